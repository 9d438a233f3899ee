#include "audio_player.h"

#include "av_support.h"

#include <QFileInfo>
#include <QStringList>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <memory>

namespace tamsel {

namespace {

// Opens a sound output (a device, or a file format writing to a path) for
// interleaved 16-bit samples of the given rate and channels.
Result<AVFormatContext *> openOutput(const DeviceChoice &choice, int rate, int channels)
{
    const QString where = choice.format + QLatin1Char(' ') + choice.device;
    auto failure = [&](int rc) { return Status::failure(where + QStringLiteral("：") + av::errorText(rc)); };
    const QByteArray format = choice.format.toUtf8();
    const QByteArray device = choice.device.toUtf8();
    // The sound server takes a stream name where other outputs take the
    // device; its device is an option, and left out it is the default one.
    const bool server = choice.format == QLatin1String("pulse");
    const QByteArray url = server ? QByteArrayLiteral("Tamsel") : device;
    AVFormatContext *raw = nullptr;
    int rc = avformat_alloc_output_context2(&raw, nullptr, format.constData(), url.constData());
    if (rc < 0 || !raw)
        return failure(rc < 0 ? rc : AVERROR_MUXER_NOT_FOUND);
    av::OutputPtr output(raw);
    AVStream *stream = avformat_new_stream(output.get(), nullptr);
    if (!stream)
        return failure(AVERROR(ENOMEM));
    AVCodecParameters *p = stream->codecpar;
    p->codec_type = AVMEDIA_TYPE_AUDIO;
    p->codec_id = AV_CODEC_ID_PCM_S16LE;
    p->format = AV_SAMPLE_FMT_S16;
    p->sample_rate = rate;
    av_channel_layout_default(&p->ch_layout, channels);
    p->bits_per_coded_sample = 16;
    p->block_align = 2 * channels;
    p->bit_rate = int64_t(rate) * 16 * channels;
    stream->time_base = AVRational{1, rate};
    if (!(output->oformat->flags & AVFMT_NOFILE)
        && (rc = avio_open(&output->pb, url.constData(), AVIO_FLAG_WRITE)) < 0)
        return failure(rc);
    // A short device buffer lets "停止" silence the sound at once.
    AVDictionary *options = nullptr;
    if (server) {
        av_dict_set(&options, "buffer_duration", "300", 0);
        if (choice.device != QLatin1String("default"))
            av_dict_set(&options, "device", device.constData(), 0);
    }
    rc = avformat_write_header(output.get(), &options);
    av_dict_free(&options);
    if (rc < 0)
        return failure(rc);
    return output.release();
}

} // namespace

struct AudioPlayer::Playback
{
    av::SoundInput input;
    av::OutputPtr output;
    int channels = 1;
};

AudioPlayer::AudioPlayer(std::vector<DeviceChoice> outputs)
    : m_outputs(std::move(outputs))
{
}

AudioPlayer::~AudioPlayer()
{
    finish();
}

Status AudioPlayer::play(const QString &path)
{
    finish();
    m_stop = false;
    auto playback = std::make_unique<Playback>();
    const Status opened = playback->input.open({DeviceChoice{QString(), path}}, &m_stop);
    if (!opened)
        return Status::failure(QStringLiteral("无法打开音频文件 %1（%2）")
                                   .arg(QFileInfo(path).absoluteFilePath(), opened.message()));
    const int rate = playback->input.sourceRate() > 0 ? playback->input.sourceRate() : 8000;
    playback->channels = qBound(1, playback->input.sourceChannels(), 2);
    playback->input.setOutputFormat(rate, playback->channels);

    QStringList reasons;
    for (const DeviceChoice &choice : m_outputs) {
        const Result<AVFormatContext *> output = openOutput(choice, rate, playback->channels);
        if (output) {
            playback->output.reset(output.value());
            break;
        }
        reasons << output.message();
    }
    if (!playback->output)
        return Status::failure(QStringLiteral("没有找到放音设备（%1）").arg(reasons.join(QStringLiteral("；"))));

    m_playing = true;
    m_thread = std::thread([this, p = playback.release()] { run(p); });
    return Status::success();
}

void AudioPlayer::run(Playback *raw)
{
    std::unique_ptr<Playback> playback(raw);
    av::PacketPtr packet(av_packet_alloc());
    const int frameBytes = 2 * playback->channels;
    int64_t samplesPlayed = 0;
    QByteArray samples;
    while (!m_stop.load()) {
        samples.clear();
        const Result<bool> read = playback->input.read(samples);
        if (!read || !read.value())
            break;
        if (samples.isEmpty())
            continue;
        if (av_new_packet(packet.get(), int(samples.size())) < 0)
            break;
        memcpy(packet->data, samples.constData(), size_t(samples.size()));
        const int64_t count = samples.size() / frameBytes;
        packet->pts = packet->dts = samplesPlayed;
        packet->duration = count;
        packet->stream_index = 0;
        samplesPlayed += count;
        // The device takes the sound at its own pace: this waits while its
        // buffer is full, so the loop plays in real time and sees "停止"
        // within the device's buffer time.
        const int rc = av_write_frame(playback->output.get(), packet.get());
        av_packet_unref(packet.get());
        if (rc < 0)
            break;
    }

    av_write_trailer(playback->output.get());
    m_playing = false;
}

void AudioPlayer::stop()
{
    // The playing thread ends by itself; the device may take a moment to
    // let go, which the caller (the window) does not wait for.
    m_stop = true;
}

void AudioPlayer::finish()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void AudioPlayer::waitUntilFinished()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace tamsel

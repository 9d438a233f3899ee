#include "av_support.h"

#include <QStringList>

#include <mutex>
#include <thread>

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
}

namespace tamsel::av {

QString errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

void registerDevices()
{
    static std::once_flag once;
    std::call_once(once, [] {
        av_log_set_level(AV_LOG_ERROR);
        avdevice_register_all();
    });
}

void RealTimePacer::waitUntil(double streamSeconds, const std::atomic<bool> &stop)
{
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (!m_started) {
        m_started = true;
        m_start = now - duration_cast<steady_clock::duration>(duration<double>(streamSeconds));
        return;
    }
    const auto due = m_start + duration_cast<steady_clock::duration>(duration<double>(streamSeconds));
    while (steady_clock::now() < due && !stop.load())
        std::this_thread::sleep_for(std::min<steady_clock::duration>(due - steady_clock::now(), milliseconds(20)));
}

namespace {

int interruptRequested(void *opaque)
{
    const auto *stop = static_cast<const std::atomic<bool> *>(opaque);
    return stop && stop->load() ? 1 : 0;
}

bool isSoundDevice(const QString &format)
{
    return format == QLatin1String("pulse") || format == QLatin1String("alsa");
}

// Whether the stream's parameters are known without probing its data, which
// for a live device would wait for seconds of it.
bool parametersKnown(const AVCodecParameters *p)
{
    if (p->codec_id == AV_CODEC_ID_NONE)
        return false;
    if (p->codec_type == AVMEDIA_TYPE_AUDIO)
        return p->sample_rate > 0 && p->ch_layout.nb_channels > 0;
    return p->width > 0 && p->height > 0;
}

} // namespace

Status Input::open(const std::vector<DeviceChoice> &choices, AVMediaType type,
                   const std::atomic<bool> *stop)
{
    registerDevices();
    QStringList reasons;
    for (const DeviceChoice &choice : choices) {
        const Status status = openOne(choice, type, stop);
        if (status)
            return status;
        reasons << status.message();
    }
    if (reasons.isEmpty())
        reasons << QStringLiteral("没有设置设备");
    return Status::failure(reasons.join(QStringLiteral("；")));
}

Status Input::openOne(const DeviceChoice &choice, AVMediaType type, const std::atomic<bool> *stop)
{
    const QString where = choice.format.isEmpty()
        ? choice.device : choice.format + QLatin1Char(' ') + choice.device;
    auto failure = [&](const QString &reason) { return Status::failure(where + QStringLiteral("：") + reason); };

    const AVInputFormat *format = nullptr;
    if (!choice.format.isEmpty()) {
        format = av_find_input_format(choice.format.toUtf8().constData());
        if (!format)
            return failure(QStringLiteral("此格式不可用"));
    }
    AVDictionary *options = nullptr;
    if (isSoundDevice(choice.format) && type == AVMEDIA_TYPE_AUDIO) {
        // Ask the sound server or driver for the recording format itself.
        av_dict_set(&options, "sample_rate", "8000", 0);
        av_dict_set(&options, "channels", "1", 0);
        // The sound server hands sound on in pieces of a tenth of a second,
        // not in its default of seconds, which a stop would cut off.
        if (choice.format == QLatin1String("pulse"))
            av_dict_set(&options, "fragment_size", "1600", 0);
    }
    AVFormatContext *raw = avformat_alloc_context();
    raw->interrupt_callback.callback = interruptRequested;
    raw->interrupt_callback.opaque = const_cast<std::atomic<bool> *>(stop);
    const QByteArray url = choice.device.toUtf8();
    int rc = avformat_open_input(&raw, url.constData(), format, &options);
    av_dict_free(&options);
    if (rc < 0)
        return failure(errorText(rc));
    InputPtr context(raw);

    bool known = context->nb_streams > 0;
    for (unsigned i = 0; i < context->nb_streams; ++i)
        known = known && parametersKnown(context->streams[i]->codecpar);
    if (!known && (rc = avformat_find_stream_info(context.get(), nullptr)) < 0)
        return failure(errorText(rc));

    const AVCodec *codec = nullptr;
    const int index = av_find_best_stream(context.get(), type, -1, -1, &codec, 0);
    if (index < 0)
        return failure(type == AVMEDIA_TYPE_AUDIO ? QStringLiteral("没有声音") : QStringLiteral("没有图像"));
    AVStream *stream = context->streams[index];
    CodecPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder)
        return failure(errorText(AVERROR(ENOMEM)));
    if ((rc = avcodec_parameters_to_context(decoder.get(), stream->codecpar)) < 0
        || (rc = avcodec_open2(decoder.get(), codec, nullptr)) < 0)
        return failure(errorText(rc));

    m_choice = choice;
    m_context = std::move(context);
    m_decoder = std::move(decoder);
    m_stream = stream;
    m_packet.reset(av_packet_alloc());
    m_frame.reset(av_frame_alloc());
    m_draining = false;
    m_paced = choice.format == QLatin1String("lavfi");
    m_stop = stop;
    m_pacer = RealTimePacer();
    return Status::success();
}

Result<AVFrame *> Input::nextFrame()
{
    static const std::atomic<bool> never{false};
    const std::atomic<bool> &stop = m_stop ? *m_stop : never;
    for (;;) {
        int rc = avcodec_receive_frame(m_decoder.get(), m_frame.get());
        if (rc == 0) {
            const int64_t pts = m_frame->best_effort_timestamp;
            if (m_paced && pts != AV_NOPTS_VALUE) {
                // Sound is due when its last sample is, a picture when it shows.
                double due = pts * av_q2d(m_stream->time_base);
                if (m_frame->sample_rate > 0)
                    due += double(m_frame->nb_samples) / m_frame->sample_rate;
                m_pacer.waitUntil(due, stop);
            }
            return m_frame.get();
        }
        if (rc == AVERROR_EOF)
            return static_cast<AVFrame *>(nullptr);
        if (rc != AVERROR(EAGAIN))
            return Status::failure(errorText(rc));
        if (m_draining)
            return static_cast<AVFrame *>(nullptr);

        rc = av_read_frame(m_context.get(), m_packet.get());
        if (rc == AVERROR_EOF) {
            m_draining = true;
            avcodec_send_packet(m_decoder.get(), nullptr);
            continue;
        }
        if (rc == AVERROR(EAGAIN)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        if (rc < 0)
            return Status::failure(errorText(rc));
        if (m_packet->stream_index == m_stream->index)
            rc = avcodec_send_packet(m_decoder.get(), m_packet.get());
        av_packet_unref(m_packet.get());
        if (rc < 0 && rc != AVERROR_INVALIDDATA)
            return Status::failure(errorText(rc));
    }
}

Status SoundInput::open(const std::vector<DeviceChoice> &choices, const std::atomic<bool> *stop)
{
    m_resampler.reset();
    return m_input.open(choices, AVMEDIA_TYPE_AUDIO, stop);
}

void SoundInput::setOutputFormat(int sampleRate, int channels)
{
    m_rate = sampleRate;
    m_channels = channels;
    m_resampler.reset();
}

int SoundInput::sourceRate() const
{
    return m_input.decoder() ? m_input.decoder()->sample_rate : 0;
}

int SoundInput::sourceChannels() const
{
    return m_input.decoder() ? m_input.decoder()->ch_layout.nb_channels : 0;
}

Result<bool> SoundInput::read(QByteArray &samples)
{
    const Result<AVFrame *> next = m_input.nextFrame();
    if (!next)
        return next.status();
    AVFrame *frame = next.value();
    if (!frame)
        return false;

    if (!m_resampler) {
        AVChannelLayout in = {};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels == 0)
            av_channel_layout_default(&in, qMax(1, frame->ch_layout.nb_channels));
        else
            av_channel_layout_copy(&in, &frame->ch_layout);
        AVChannelLayout out = {};
        av_channel_layout_default(&out, m_channels);
        SwrContext *raw = nullptr;
        int rc = swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_S16, m_rate, &in,
                                     AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&out);
        m_resampler.reset(raw);
        if (rc < 0 || (rc = swr_init(m_resampler.get())) < 0) {
            m_resampler.reset();
            return Status::failure(errorText(rc));
        }
    }
    const int room = swr_get_out_samples(m_resampler.get(), frame->nb_samples);
    if (room <= 0)
        return true;
    const qsizetype start = samples.size();
    const int frameBytes = 2 * m_channels;
    samples.resize(start + qsizetype(room) * frameBytes);
    auto *out = reinterpret_cast<uint8_t *>(samples.data() + start);
    const int made = swr_convert(m_resampler.get(), &out, room,
                                 const_cast<const uint8_t **>(frame->extended_data), frame->nb_samples);
    if (made < 0) {
        samples.resize(start);
        return Status::failure(errorText(made));
    }
    samples.resize(start + qsizetype(made) * frameBytes);
    return true;
}

} // namespace tamsel::av

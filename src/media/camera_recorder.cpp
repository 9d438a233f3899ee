#include "camera_recorder.h"

#include "av_support.h"
#include "wav_file.h"

#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
}

#include <chrono>
#include <cmath>
#include <mutex>

namespace tamsel {

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

struct CameraRecorder::Running
{
    av::Input camera;
    av::SoundInput sound;
    bool hasSound = false;
    QString path;
    av::OutputPtr output;
    av::CodecPtr encoder;
    AVStream *videoStream = nullptr;
    AVStream *soundStream = nullptr;
    int fps = 25;
    Clock::time_point started;
    std::mutex writeMutex;
    Status writeFailure = Status::success();

    // Writes a packet, shared by the two capture threads; the muxer puts
    // sound and picture in time order.
    void write(AVPacket *packet)
    {
        std::lock_guard lock(writeMutex);
        const int rc = av_interleaved_write_frame(output.get(), packet);
        if (rc < 0 && writeFailure.ok())
            writeFailure = Status::failure(QStringLiteral("无法写入文件 %1：%2")
                                               .arg(QFileInfo(path).absoluteFilePath(), av::errorText(rc)));
    }
};

CameraRecorder::CameraRecorder(MediaDevices devices)
    : m_devices(std::move(devices))
{
}

CameraRecorder::~CameraRecorder()
{
    stop();
}

bool CameraRecorder::hasSound() const
{
    return m_running && m_running->hasSound;
}

void CameraRecorder::setPreviewHandler(std::function<void(const QImage &)> handler, int previewWidth)
{
    m_onPreview = std::move(handler);
    m_previewWidth = qMax(16, previewWidth);
}

void CameraRecorder::setFailureHandler(std::function<void(const QString &)> handler)
{
    m_onFailure = std::move(handler);
}

Status CameraRecorder::start(const QString &aviPath)
{
    stop();
    m_stop = false;
    m_frames = 0;
    m_noCamera = false;
    auto r = std::make_unique<Running>();
    r->path = aviPath;

    const Status camera = r->camera.open(m_devices.camera, AVMEDIA_TYPE_VIDEO, &m_stop);
    if (!camera) {
        m_noCamera = true;
        return Status::failure(QStringLiteral("没有找到摄像头（%1）").arg(camera.message()));
    }
    const AVCodecContext *decoder = r->camera.decoder();
    const int width = decoder->width & ~1;
    const int height = decoder->height & ~1;
    if (width <= 0 || height <= 0) {
        m_noCamera = true;
        return Status::failure(QStringLiteral("摄像头 %1 没有图像").arg(r->camera.choice().device));
    }
    AVRational rate = r->camera.stream()->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        rate = r->camera.stream()->r_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        r->fps = qBound(1, int(std::lround(av_q2d(rate))), 60);

    // The sound is welcome but not required.
    r->hasSound = r->sound.open(m_devices.audioInput, &m_stop).ok();
    r->sound.setOutputFormat(WavFormat::SampleRate, WavFormat::Channels);

    auto failure = [&](int rc) {
        return Status::failure(QStringLiteral("无法写入文件 %1：%2")
                                   .arg(QFileInfo(aviPath).absoluteFilePath(), av::errorText(rc)));
    };
    const QByteArray fileName = QFile::encodeName(aviPath);
    AVFormatContext *raw = nullptr;
    int rc = avformat_alloc_output_context2(&raw, nullptr, "avi", fileName.constData());
    if (rc < 0)
        return failure(rc);
    r->output.reset(raw);

    const AVCodec *mjpeg = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    if (!mjpeg)
        return failure(AVERROR_ENCODER_NOT_FOUND);
    r->encoder.reset(avcodec_alloc_context3(mjpeg));
    AVCodecContext *enc = r->encoder.get();
    enc->width = width;
    enc->height = height;
    enc->pix_fmt = AV_PIX_FMT_YUVJ420P;
    enc->time_base = AVRational{1, r->fps};
    enc->framerate = AVRational{r->fps, 1};
    enc->flags |= AV_CODEC_FLAG_QSCALE;
    enc->global_quality = FF_QP2LAMBDA * 4;
    if (r->output->oformat->flags & AVFMT_GLOBALHEADER)
        enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if ((rc = avcodec_open2(enc, mjpeg, nullptr)) < 0)
        return failure(rc);
    r->videoStream = avformat_new_stream(r->output.get(), nullptr);
    if (!r->videoStream)
        return failure(AVERROR(ENOMEM));
    avcodec_parameters_from_context(r->videoStream->codecpar, enc);
    r->videoStream->time_base = enc->time_base;

    if (r->hasSound) {
        r->soundStream = avformat_new_stream(r->output.get(), nullptr);
        if (!r->soundStream)
            return failure(AVERROR(ENOMEM));
        AVCodecParameters *p = r->soundStream->codecpar;
        p->codec_type = AVMEDIA_TYPE_AUDIO;
        p->codec_id = AV_CODEC_ID_PCM_S16LE;
        p->format = AV_SAMPLE_FMT_S16;
        p->sample_rate = WavFormat::SampleRate;
        av_channel_layout_default(&p->ch_layout, WavFormat::Channels);
        p->bits_per_coded_sample = WavFormat::BitsPerSample;
        p->block_align = WavFormat::Channels * WavFormat::BitsPerSample / 8;
        p->bit_rate = WavFormat::BytesPerSecond * 8;
        r->soundStream->time_base = AVRational{1, WavFormat::SampleRate};
    }

    if ((rc = avio_open(&r->output->pb, fileName.constData(), AVIO_FLAG_WRITE)) < 0)
        return failure(rc);
    if ((rc = avformat_write_header(r->output.get(), nullptr)) < 0) {
        r->output.reset();
        QFile::remove(aviPath);
        return failure(rc);
    }

    r->started = Clock::now();
    m_running = std::move(r);
    m_videoThread = std::thread([this] { runVideo(); });
    if (m_running->hasSound)
        m_soundThread = std::thread([this] { runSound(); });
    return Status::success();
}

void CameraRecorder::runVideo()
{
    Running &r = *m_running;
    AVCodecContext *enc = r.encoder.get();
    av::FramePtr picture(av_frame_alloc());
    picture->format = enc->pix_fmt;
    picture->width = enc->width;
    picture->height = enc->height;
    if (av_frame_get_buffer(picture.get(), 0) < 0)
        return;
    av::PacketPtr packet(av_packet_alloc());
    SwsContext *toEncoder = nullptr;
    SwsContext *toPreview = nullptr;
    int64_t lastPts = -1;
    Clock::time_point lastPreview;

    auto encode = [&](AVFrame *frame) {
        if (avcodec_send_frame(enc, frame) < 0)
            return;
        while (avcodec_receive_packet(enc, packet.get()) == 0) {
            av_packet_rescale_ts(packet.get(), enc->time_base, r.videoStream->time_base);
            packet->stream_index = r.videoStream->index;
            r.write(packet.get());
            av_packet_unref(packet.get());
            ++m_frames;
        }
    };

    while (!m_stop.load()) {
        const Result<AVFrame *> next = r.camera.nextFrame();
        if (m_stop.load())
            break;
        if (!next || !next.value()) {
            if (m_onFailure)
                m_onFailure(QStringLiteral("摄像头不再送来图像%1")
                                .arg(next ? QString() : QStringLiteral("（%1）").arg(next.message())));
            break;
        }
        const AVFrame *frame = next.value();
        // Pictures are stamped with the moment they came in, so the file
        // plays at the pace the interview happened.
        const auto now = Clock::now();
        const int64_t pts = std::llround(std::chrono::duration<double>(now - r.started).count() * r.fps);
        if (pts > lastPts) {
            lastPts = pts;
            toEncoder = sws_getCachedContext(toEncoder, frame->width, frame->height,
                                             AVPixelFormat(frame->format), enc->width, enc->height,
                                             enc->pix_fmt, SWS_BILINEAR, nullptr, nullptr, nullptr);
            if (toEncoder && av_frame_make_writable(picture.get()) >= 0) {
                sws_scale(toEncoder, frame->data, frame->linesize, 0, frame->height,
                          picture->data, picture->linesize);
                picture->pts = pts;
                picture->quality = enc->global_quality;
                encode(picture.get());
            }
        }
        if (m_onPreview && now - lastPreview >= std::chrono::milliseconds(100)) {
            lastPreview = now;
            const int w = m_previewWidth & ~1;
            const int h = qMax(2, int(qint64(w) * frame->height / qMax(1, frame->width)) & ~1);
            QImage image(w, h, QImage::Format_RGB32);
            toPreview = sws_getCachedContext(toPreview, frame->width, frame->height,
                                             AVPixelFormat(frame->format), w, h, AV_PIX_FMT_BGRA,
                                             SWS_BILINEAR, nullptr, nullptr, nullptr);
            if (toPreview) {
                uint8_t *planes[4] = {image.bits(), nullptr, nullptr, nullptr};
                int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
                sws_scale(toPreview, frame->data, frame->linesize, 0, frame->height, planes, strides);
                m_onPreview(image);
            }
        }
    }
    encode(nullptr);
    sws_freeContext(toEncoder);
    sws_freeContext(toPreview);
}

void CameraRecorder::runSound()
{
    Running &r = *m_running;
    av::PacketPtr packet(av_packet_alloc());
    QByteArray samples;
    int64_t next = -1;
    const int frameBytes = WavFormat::Channels * WavFormat::BitsPerSample / 8;
    while (!m_stop.load()) {
        samples.clear();
        const Result<bool> read = r.sound.read(samples);
        if (m_stop.load() || !read || !read.value())
            break; // without sound the picture goes on
        const int64_t count = samples.size() / frameBytes;
        if (count == 0)
            continue;
        if (next < 0) {
            // The first sound lines up with the picture of the same moment.
            const double elapsed = std::chrono::duration<double>(Clock::now() - r.started).count();
            next = qMax<int64_t>(0, std::llround(elapsed * WavFormat::SampleRate) - count);
        }
        if (av_new_packet(packet.get(), int(count * frameBytes)) < 0)
            break;
        memcpy(packet->data, samples.constData(), size_t(count * frameBytes));
        packet->pts = packet->dts = next;
        packet->duration = count;
        next += count;
        av_packet_rescale_ts(packet.get(), AVRational{1, WavFormat::SampleRate}, r.soundStream->time_base);
        packet->stream_index = r.soundStream->index;
        r.write(packet.get());
        av_packet_unref(packet.get());
    }
}

Status CameraRecorder::stop()
{
    if (!m_running)
        return Status::success();
    m_stop = true;
    if (m_videoThread.joinable())
        m_videoThread.join();
    if (m_soundThread.joinable())
        m_soundThread.join();
    Running &r = *m_running;
    Status result = r.writeFailure;
    const int rc = av_write_trailer(r.output.get());
    if (rc < 0 && result.ok())
        result = Status::failure(QStringLiteral("无法写入文件 %1：%2")
                                     .arg(QFileInfo(r.path).absoluteFilePath(), av::errorText(rc)));
    m_running.reset();
    return result;
}

} // namespace tamsel

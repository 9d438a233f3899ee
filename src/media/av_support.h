#pragma once

// The FFmpeg pieces the recorder, the player and the video capture share:
// owning handles, error texts, and the two inputs that read sound and
// pictures from a device or a file. Internal to the media library.

#include "media_devices.h"
#include "status.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace tamsel::av {

struct InputCloser { void operator()(AVFormatContext *c) const { avformat_close_input(&c); } };
struct CodecFreer { void operator()(AVCodecContext *c) const { avcodec_free_context(&c); } };
struct FrameFreer { void operator()(AVFrame *f) const { av_frame_free(&f); } };
struct PacketFreer { void operator()(AVPacket *p) const { av_packet_free(&p); } };
struct SwrFreer { void operator()(SwrContext *s) const { swr_free(&s); } };
struct SwsFreer { void operator()(SwsContext *s) const { sws_freeContext(s); } };
// An output's file is closed with it, unless its format writes no file.
struct OutputCloser
{
    void operator()(AVFormatContext *c) const
    {
        if (!c)
            return;
        if (c->pb && !(c->oformat->flags & AVFMT_NOFILE))
            avio_closep(&c->pb);
        avformat_free_context(c);
    }
};

using InputPtr = std::unique_ptr<AVFormatContext, InputCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFreer>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFreer>;
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

// The text of an FFmpeg error code.
QString errorText(int code);
// Registers the device formats once per process.
void registerDevices();

// Sleeps so that a source that makes its data faster than real time (the
// virtual "lavfi" sources) is read at the pace of a real device; returns
// early when `stop` is set.
class RealTimePacer
{
public:
    void waitUntil(double streamSeconds, const std::atomic<bool> &stop);

private:
    bool m_started = false;
    std::chrono::steady_clock::time_point m_start;
};

// One decoded stream of a device or a file.
class Input
{
public:
    // Opens the first of `choices` that works, reading `type` from it. The
    // failure lists every device tried with its reason. A set `stop` aborts
    // a blocking read. An empty format means "a file of any format".
    Status open(const std::vector<DeviceChoice> &choices, AVMediaType type,
                const std::atomic<bool> *stop);
    DeviceChoice choice() const { return m_choice; }
    AVCodecContext *decoder() const { return m_decoder.get(); }
    AVStream *stream() const { return m_stream; }

    // The next decoded frame, owned by the input and valid until the next
    // call; nullptr at the end of the source. Fails on a device error.
    Result<AVFrame *> nextFrame();

private:
    Status openOne(const DeviceChoice &choice, AVMediaType type, const std::atomic<bool> *stop);

    DeviceChoice m_choice;
    InputPtr m_context;
    CodecPtr m_decoder;
    AVStream *m_stream = nullptr;
    PacketPtr m_packet;
    FramePtr m_frame;
    bool m_draining = false;
    bool m_paced = false;
    const std::atomic<bool> *m_stop = nullptr;
    RealTimePacer m_pacer;
};

// Sound from an input, converted to interleaved 16-bit samples of a fixed
// rate and channel count.
class SoundInput
{
public:
    Status open(const std::vector<DeviceChoice> &choices, const std::atomic<bool> *stop);
    // The format the samples are converted to; the recorder's 8000 Hz mono
    // unless set before the first read.
    void setOutputFormat(int sampleRate, int channels);
    // The source's own rate and channels (after open).
    int sourceRate() const;
    int sourceChannels() const;
    DeviceChoice choice() const { return m_input.choice(); }

    // Appends the next piece of sound to `samples`; false at the end of the
    // source. Fails on a device error.
    Result<bool> read(QByteArray &samples);

private:
    Input m_input;
    SwrPtr m_resampler;
    int m_rate = 8000;
    int m_channels = 1;
};

} // namespace tamsel::av

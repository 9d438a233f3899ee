#include "audio_capture.h"

#include "av_support.h"
#include "wav_file.h"

#include <QFile>

#include <chrono>

namespace tamsel {

struct AudioCapture::Running
{
    av::SoundInput input;
    WavWriter writer;
};

AudioCapture::AudioCapture(std::vector<DeviceChoice> inputs)
    : m_inputs(std::move(inputs))
{
}

AudioCapture::~AudioCapture()
{
    stop();
}

void AudioCapture::setFailureHandler(std::function<void(const QString &)> handler)
{
    std::lock_guard lock(m_mutex);
    m_onFailure = std::move(handler);
}

Status AudioCapture::start(const QString &wavPath)
{
    stop();
    m_stop = false;
    m_paused = false;
    m_recordedBytes = 0;
    m_failure = Status::success();
    m_path = wavPath;

    auto running = std::make_unique<Running>();
    const Status opened = running->input.open(m_inputs, &m_stop);
    if (!opened)
        return Status::failure(QStringLiteral("没有找到录音设备（%1）").arg(opened.message()));
    running->input.setOutputFormat(WavFormat::SampleRate, WavFormat::Channels);
    const Status created = running->writer.open(wavPath);
    if (!created) {
        QFile::remove(wavPath);
        return created;
    }
    m_running = std::move(running);
    m_thread = std::thread([this] { run(); });
    return Status::success();
}

void AudioCapture::pause()
{
    m_paused = true;
}

void AudioCapture::resume()
{
    m_paused = false;
}

Status AudioCapture::stop()
{
    if (!m_thread.joinable())
        return Status::success();
    m_stop = true;
    m_thread.join();
    m_running.reset();
    std::lock_guard lock(m_mutex);
    return m_failure;
}

void AudioCapture::fail(const Status &status)
{
    std::function<void(const QString &)> handler;
    {
        std::lock_guard lock(m_mutex);
        if (m_failure.ok())
            m_failure = status;
        // Once stop() was asked for, its caller hears of the failure.
        if (!m_stop.load())
            handler = m_onFailure;
    }
    if (handler)
        handler(status.message());
}

void AudioCapture::run()
{
    using namespace std::chrono;
    // The header is patched twice a second and forced to the disk every few
    // seconds: a crash loses at most half a second, a power cut a few.
    constexpr auto PatchEvery = milliseconds(500);
    constexpr auto SyncEvery = seconds(5);
    WavWriter &writer = m_running->writer;
    auto lastPatch = steady_clock::now();
    auto lastSync = lastPatch;
    QByteArray samples;
    samples.reserve(WavFormat::BytesPerSecond);

    while (!m_stop.load()) {
        samples.clear();
        const Result<bool> read = m_running->input.read(samples);
        if (m_stop.load())
            break;
        if (!read) {
            fail(Status::failure(QStringLiteral("录音设备出错，录音已停止（%1）").arg(read.message())));
            break;
        }
        if (!read.value()) {
            fail(Status::failure(QStringLiteral("录音设备 %1 不再送来声音，录音已停止")
                                     .arg(m_running->input.choice().device)));
            break;
        }
        if (!m_paused.load() && !samples.isEmpty()) {
            const Status written = writer.append(samples.constData(), samples.size());
            if (!written) {
                fail(written);
                break;
            }
            m_recordedBytes = writer.dataBytes();
        }
        const auto now = steady_clock::now();
        if (now - lastPatch >= PatchEvery) {
            const bool toDisk = now - lastSync >= SyncEvery;
            const Status patched = writer.patchHeader(toDisk);
            if (!patched) {
                fail(patched);
                break;
            }
            lastPatch = now;
            if (toDisk)
                lastSync = now;
        }
    }
    const Status closed = writer.close();
    if (!closed)
        fail(closed);
}

} // namespace tamsel

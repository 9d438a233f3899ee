#pragma once

#include "media_devices.h"
#include "status.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace tamsel {

class WavWriter;

// Records sound from the first input device that opens into a WAVE file
// (8000 Hz, mono, 16 bit) on a thread of its own. The file's header is kept
// up to date while recording, so the file is readable at any moment, even
// after a crash or a power cut.
class AudioCapture
{
public:
    explicit AudioCapture(std::vector<DeviceChoice> inputs);
    ~AudioCapture();

    AudioCapture(const AudioCapture &) = delete;
    AudioCapture &operator=(const AudioCapture &) = delete;

    // Opens the device and creates the file, then records until stop(). The
    // failure names the device or the file; nothing runs after a failure.
    Status start(const QString &wavPath);
    // Pausing drops the sound that comes in until resume(); both are
    // harmless when not needed.
    void pause();
    void resume();
    bool isPaused() const { return m_paused.load(); }
    // Ends the recording and closes the file; gives the first write failure
    // of the recording, if any. Harmless when not recording.
    Status stop();
    bool isRunning() const { return m_thread.joinable(); }

    // Sound kept in the file so far, in bytes.
    qint64 recordedBytes() const { return m_recordedBytes.load(); }
    QString path() const { return m_path; }

    // Called on the capture thread when recording ends by itself (a device
    // lost, a full disk), with the reason. The file keeps what was recorded.
    void setFailureHandler(std::function<void(const QString &)> handler);

private:
    void run();
    void fail(const Status &status);

    std::vector<DeviceChoice> m_inputs;
    QString m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_paused{false};
    std::atomic<qint64> m_recordedBytes{0};
    struct Running;
    std::unique_ptr<Running> m_running;
    std::mutex m_mutex; // guards m_failure and m_onFailure
    Status m_failure = Status::success();
    std::function<void(const QString &)> m_onFailure;
};

} // namespace tamsel

#pragma once

#include "media_devices.h"
#include "status.h"

#include <QImage>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace tamsel {

// Captures the camera picture (MJPEG) and, when a sound input opens, the
// sound (PCM, 8000 Hz mono 16 bit) into an AVI file, on threads of its own,
// and hands out small preview pictures while it runs.
class CameraRecorder
{
public:
    explicit CameraRecorder(MediaDevices devices);
    ~CameraRecorder();

    CameraRecorder(const CameraRecorder &) = delete;
    CameraRecorder &operator=(const CameraRecorder &) = delete;

    // Opens the camera first: without one nothing is written and the
    // failure says so (isNoCamera()). Then the sound (a capture without sound
    // when none opens) and the file, and starts capturing.
    Status start(const QString &aviPath);
    // Ends the capture and completes the file. Harmless when not running.
    Status stop();
    bool isRunning() const { return m_running != nullptr; }
    bool hasSound() const;
    // After a failed start: whether it failed for want of a camera.
    bool isNoCamera() const { return m_noCamera; }
    // Pictures written to the file so far.
    qint64 framesWritten() const { return m_frames.load(); }

    // Called on a capture thread about ten times a second with a picture
    // scaled to `previewWidth` pixels wide.
    void setPreviewHandler(std::function<void(const QImage &)> handler, int previewWidth = 320);
    // Called on a capture thread when the camera stops delivering pictures.
    void setFailureHandler(std::function<void(const QString &)> handler);

private:
    struct Running;
    void runVideo();
    void runSound();

    MediaDevices m_devices;
    std::unique_ptr<Running> m_running;
    std::thread m_videoThread, m_soundThread;
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_frames{0};
    bool m_noCamera = false;
    std::function<void(const QImage &)> m_onPreview;
    int m_previewWidth = 320;
    std::function<void(const QString &)> m_onFailure;
};

} // namespace tamsel

#pragma once

#include "run_directory.h"
#include "status.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <memory>

namespace tamsel {

class CameraRecorder;
class Clock;
class Form;

// The video evidence commands "开始录像取证" and "结束录像取证": the view
// "视频设备1" in its frame "标签1", and a capture from the camera, with sound,
// into "<record folder>/<date and time>.avi". The capture runs in the
// background; the window shows previewFrame() in the view.
class VideoEvidence : public QObject
{
    Q_OBJECT

public:
    static inline const QString View = QStringLiteral("视频设备1");
    static inline const QString Frame = QStringLiteral("标签1");

    // Devices are read from the run directory's settings file at each start.
    VideoEvidence(Form &form, const RunDirectory &runDirectory, const Clock &clock,
                  QObject *parent = nullptr);
    ~VideoEvidence() override;

    // Shows the view and starts a capture into a new file (a capture already
    // running is completed first). Without a camera or a record folder
    // nothing is written and the status bar says why.
    void start();
    // Hides the view and completes the capture, if one runs.
    void stop();

    bool isCapturing() const;
    // The file of the running or the last started capture.
    QString captureFile() const { return m_file; }
    // The file a capture started now would write.
    QString fileNameFor(const QDateTime &moment) const;

signals:
    // A preview picture, emitted about ten times a second while capturing
    // (from the capture thread; connections to the window are queued).
    void previewFrame(const QImage &frame);

private:
    void captureFailed(const QString &reason);

    Form &m_form;
    RunDirectory m_runDirectory;
    const Clock &m_clock;
    QString m_file;
    std::unique_ptr<CameraRecorder> m_recorder;
};

} // namespace tamsel

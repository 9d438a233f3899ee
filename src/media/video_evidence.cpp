#include "video_evidence.h"

#include "camera_recorder.h"
#include "clock.h"
#include "date_time_text.h"
#include "form.h"
#include "media_devices.h"

#include <QDir>
#include <QFileInfo>

namespace tamsel {

VideoEvidence::VideoEvidence(Form &form, const RunDirectory &runDirectory, const Clock &clock,
                             QObject *parent)
    : QObject(parent)
    , m_form(form)
    , m_runDirectory(runDirectory)
    , m_clock(clock)
{
}

VideoEvidence::~VideoEvidence()
{
    // The capture is completed so the file is whole.
    if (m_recorder)
        m_recorder->stop();
}

QString VideoEvidence::fileNameFor(const QDateTime &moment) const
{
    return QDir(m_runDirectory.recordFolder()).filePath(dateTimeText(moment) + QStringLiteral(".avi"));
}

bool VideoEvidence::isCapturing() const
{
    return m_recorder && m_recorder->isRunning();
}

void VideoEvidence::start()
{
    m_form.setVisible(View, true);
    m_form.setVisible(Frame, true);
    if (m_recorder) {
        m_recorder->stop();
        m_recorder.reset();
    }
    m_file = fileNameFor(m_clock.now());

    // The record folder comes with the first saved record; the capture
    // does not make it.
    if (!QFileInfo(m_runDirectory.recordFolder()).isDir()) {
        m_form.setStatusText(QStringLiteral("没有记录文件夹 %1，无法录像。")
                                 .arg(QDir::toNativeSeparators(m_runDirectory.recordFolder())));
        return;
    }
    auto recorder = std::make_unique<CameraRecorder>(MediaDevices::fromSettings(m_runDirectory));
    recorder->setPreviewHandler([this](const QImage &image) { emit previewFrame(image); });
    recorder->setFailureHandler([this](const QString &reason) {
        QMetaObject::invokeMethod(this, [this, reason] { captureFailed(reason); }, Qt::QueuedConnection);
    });
    const Status started = recorder->start(m_file);
    if (!started) {
        m_form.setStatusText(recorder->isNoCamera()
                                 ? QStringLiteral("没有找到摄像头，无法录像。")
                                 : QStringLiteral("无法录像：%1").arg(started.message()));
        return;
    }
    m_form.setStatusText(QStringLiteral("正在录像取证%1：%2")
                             .arg(recorder->hasSound() ? QString() : QStringLiteral("（没有声音）"),
                                  QFileInfo(m_file).fileName()));
    m_recorder = std::move(recorder);
}

void VideoEvidence::stop()
{
    m_form.setVisible(View, false);
    m_form.setVisible(Frame, false);
    if (!m_recorder)
        return;
    const Status stopped = m_recorder->stop();
    m_recorder.reset();
    m_form.setStatusText(stopped ? QStringLiteral("录像已保存：%1").arg(QFileInfo(m_file).fileName())
                                 : QStringLiteral("录像保存出错：%1").arg(stopped.message()));
}

void VideoEvidence::captureFailed(const QString &reason)
{
    if (!m_recorder)
        return;
    // What was captured is completed and kept.
    const Status stopped = m_recorder->stop();
    m_recorder.reset();
    m_form.setStatusText(QStringLiteral("录像中断：%1；已录下的保存在 %2")
                             .arg(stopped ? reason : stopped.message(), QFileInfo(m_file).fileName()));
}

} // namespace tamsel

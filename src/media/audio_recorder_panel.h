#pragma once

#include "record_fields.h"
#include "run_directory.h"
#include "status.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace tamsel {

class AudioCapture;
class AudioPlayer;
class Clock;
class Form;
class Prompter;

// The recorder panel "分组框5": record, pause, continue, stop-and-save, and
// playback of a chosen file. It reaches the window only through Form (the
// controls by their control names) and Prompter, and keeps the recording in
// a file "未保存录音-<date-time>.wav" in the record folder until it is saved,
// so neither a crash nor a cancelled dialog loses what was recorded.
class AudioRecorderPanel : public QObject
{
    Q_OBJECT

public:
    // The panel's controls.
    static inline const QString Panel = QStringLiteral("分组框5");
    static inline const QString Slider = QStringLiteral("滑块条1");
    static inline const QString ClockLabel = QStringLiteral("标签14");
    static inline const QString RecordButton = QStringLiteral("按钮录音");
    static inline const QString PauseButton = QStringLiteral("按钮暂停");
    static inline const QString ResumeButton = QStringLiteral("按钮继续");
    static inline const QString SaveButton = QStringLiteral("按钮4");
    static inline const QString PlayButton = QStringLiteral("按钮播放");
    static inline const QString StopPlayButton = QStringLiteral("暂停");
    // The hidden field that keeps the path chosen for the last playback.
    static inline const QString &PlaybackFileField = scratch::PlaybackFile;
    // The name of a recording that has not been saved yet.
    static inline const QString UnsavedPrefix = QStringLiteral("未保存录音-");

    enum class State { Idle, Recording, Paused, Stopped };

    // Puts the panel's controls in their start state (panel hidden).
    // Devices are read from the run directory's settings file at each use.
    AudioRecorderPanel(Form &form, Prompter &prompter, const RunDirectory &runDirectory,
                       const Clock &clock, QObject *parent = nullptr);
    ~AudioRecorderPanel() override;

    // "打开笔录录音" and "关闭笔录录音": show or hide the panel; a recording
    // goes on while it is hidden.
    void openPanel();
    void closePanel();

    // The buttons "录音", "暂停", "继续", "停止保存", "播放" and "停止".
    void record();
    void pause();
    void resume();
    // Gives the outcome of the save: a failure when nothing was saved
    // (cancelled, no recording, or the write failed).
    Status stopAndSave();
    void play();
    void stopPlayback();

    // One tick of the recording clock "时钟1" (every second while recording).
    void tick();

    // At start-up: offers each recording a crash or a close left unsaved in
    // the record folder for saving; one not saved stays where it is.
    void offerUnsavedRecordings();
    // The unsaved recordings in the record folder, oldest first, without the
    // one this panel is recording.
    QStringList unsavedRecordings() const;

    State state() const { return m_state; }
    bool isClockRunning() const { return m_clock.isActive(); }
    int clockInterval() const { return m_clock.isActive() ? m_clock.interval() : 0; }
    // The file the current recording is kept in until it is saved.
    QString recordingFile() const { return m_recordingFile; }
    bool isPlaying() const;
    // Waits for the playback to end (the command line waits for it).
    void waitForPlayback();

private:
    void applyStartState();
    void showElapsed();
    QString newRecordingFile() const;
    void captureFailed(const QString &reason);
    // Saves `source` as `target` and removes `source`; a failure is shown.
    Status saveRecording(const QString &source, const QString &target);

    Form &m_form;
    Prompter &m_prompter;
    RunDirectory m_runDirectory;
    const Clock &m_time;
    QTimer m_clock;
    State m_state = State::Idle;
    int m_hours = 0, m_minutes = 0, m_seconds = 0;
    QString m_recordingFile;
    std::unique_ptr<AudioCapture> m_capture;
    std::unique_ptr<AudioPlayer> m_player;
};

} // namespace tamsel

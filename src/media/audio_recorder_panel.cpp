#include "audio_recorder_panel.h"

#include "audio_capture.h"
#include "audio_player.h"
#include "clock.h"
#include "date_time_text.h"
#include "form.h"
#include "media_devices.h"
#include "prompter.h"
#include "wav_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tamsel {

namespace {

const QString SaveFilter = QStringLiteral("WAV录音文件|*.wav");
const QString SaveSuffix = QStringLiteral("WAV");
const QString Caption = QStringLiteral("提 示：");

QString clockText(qint64 totalSeconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(totalSeconds / 3600).arg(totalSeconds / 60 % 60).arg(totalSeconds % 60);
}

bool sameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

AudioRecorderPanel::AudioRecorderPanel(Form &form, Prompter &prompter, const RunDirectory &runDirectory,
                                       const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_form(form)
    , m_prompter(prompter)
    , m_runDirectory(runDirectory)
    , m_time(clock)
{
    m_clock.setObjectName(QStringLiteral("时钟1"));
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &AudioRecorderPanel::tick);
    applyStartState();
}

AudioRecorderPanel::~AudioRecorderPanel()
{
    // A recording still going is closed as a valid file and stays in the
    // record folder, to be offered at the next start.
    if (m_capture)
        m_capture->stop();
    if (m_player)
        m_player->stop();
}

void AudioRecorderPanel::applyStartState()
{
    m_form.setVisible(Panel, false);
    m_form.setVisible(Slider, true);
    m_form.setEnabled(Slider, true);
    m_form.setVisible(ClockLabel, true);
    m_form.setText(ClockLabel, QString());
    m_form.setVisible(RecordButton, true);
    m_form.setEnabled(RecordButton, true);
    m_form.setVisible(PauseButton, true);
    m_form.setEnabled(PauseButton, false);
    m_form.setVisible(ResumeButton, false);
    m_form.setEnabled(ResumeButton, true);
    m_form.setVisible(SaveButton, true);
    m_form.setEnabled(SaveButton, false);
    m_form.setVisible(PlayButton, true);
    m_form.setEnabled(PlayButton, true);
    m_form.setVisible(StopPlayButton, true);
    m_form.setEnabled(StopPlayButton, true);
}

void AudioRecorderPanel::openPanel()
{
    m_form.setVisible(Panel, true);
}

void AudioRecorderPanel::closePanel()
{
    m_form.setVisible(Panel, false);
}

QString AudioRecorderPanel::newRecordingFile() const
{
    const QDir folder(m_runDirectory.recordFolder());
    const QString stem = UnsavedPrefix + dateTimeText(m_time.now());
    QString path = folder.filePath(stem + QStringLiteral(".wav"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(stem + QStringLiteral("-%1.wav").arg(n));
    return path;
}

void AudioRecorderPanel::record()
{
    if (m_state == State::Recording || m_state == State::Paused)
        return;

    // The sound goes straight to a file in the record folder; a recording
    // that was left unsaved keeps its own file there.
    const QString folder = m_runDirectory.recordFolder();
    Status started = QDir().mkpath(folder)
        ? Status::success()
        : Status::failure(QStringLiteral("无法建立记录文件夹 %1").arg(QDir::toNativeSeparators(folder)));
    auto capture = std::make_unique<AudioCapture>(MediaDevices::fromSettings(m_runDirectory).audioInput);
    const QString file = newRecordingFile();
    if (started)
        started = capture->start(file);
    if (!started) {
        m_form.setStatusText(QStringLiteral("录音没有开始。"));
        m_prompter.inform(QStringLiteral("无法开始录音：%1").arg(started.message()), Caption);
        return;
    }
    capture->setFailureHandler([this](const QString &reason) {
        QMetaObject::invokeMethod(this, [this, reason] { captureFailed(reason); }, Qt::QueuedConnection);
    });
    m_capture = std::move(capture);
    m_recordingFile = file;
    m_state = State::Recording;

    // Which of "暂停" and "继续" shows is left as it is.
    m_form.setEnabled(RecordButton, false);
    m_form.setEnabled(PauseButton, true);
    m_form.setEnabled(ResumeButton, true);
    m_form.setEnabled(SaveButton, true);
    m_form.setStatusText(QStringLiteral("笔录.录音开始..."));
    m_hours = m_minutes = m_seconds = 0;
    showElapsed();
    m_clock.start(1000);
}

void AudioRecorderPanel::pause()
{
    if (m_state != State::Recording)
        return;
    m_form.setVisible(PauseButton, false);
    m_form.setVisible(ResumeButton, true);
    m_capture->pause();
    m_state = State::Paused;
    m_form.setStatusText(QStringLiteral("笔录.暂停录音..."));
    m_clock.stop();
}

void AudioRecorderPanel::resume()
{
    // "继续" also shows on a running recording after a stop while paused;
    // pressing it then only brings "暂停" back.
    if (m_state != State::Recording && m_state != State::Paused)
        return;
    m_form.setVisible(PauseButton, true);
    m_form.setVisible(ResumeButton, false);
    m_capture->resume();
    m_state = State::Recording;
    m_clock.start(1000);
    m_form.setStatusText(QStringLiteral("笔录.继续录音..."));
}

Status AudioRecorderPanel::stopAndSave()
{
    if (m_state == State::Idle)
        return Status::failure(QStringLiteral("没有可保存的录音。"));

    m_form.setEnabled(PauseButton, false);
    m_form.setEnabled(ResumeButton, false);
    m_form.setEnabled(RecordButton, true);
    const Status captured = m_capture ? m_capture->stop() : Status::success();
    m_clock.stop();
    m_state = State::Stopped;
    m_form.setStatusText(QStringLiteral("录音停止！请选择保存录音笔录的文件名称..."));
    if (!captured) {
        m_prompter.inform(QStringLiteral("录音中断：%1\n已录下的声音仍可保存。").arg(captured.message()),
                          Caption);
    }

    const QString target = m_prompter.chooseFileToSave(SaveFilter, SaveSuffix);
    if (target.isEmpty()) {
        const QString text = QStringLiteral("没有输入WAV音频文件名称，请重新保存。");
        m_prompter.inform(text, QStringLiteral("提示："));
        return Status::failure(text);
    }
    const Status saved = saveRecording(m_recordingFile, target);
    if (!saved)
        return saved;
    m_form.setEnabled(SaveButton, false);
    m_form.setStatusText(QStringLiteral("笔录.录音保存成功..."));
    m_recordingFile.clear();
    m_capture.reset();
    m_state = State::Idle;
    return Status::success();
}

Status AudioRecorderPanel::saveRecording(const QString &source, const QString &target)
{
    const Status saved = saveWavFile(source, target);
    if (!saved) {
        // Only the success branch may claim the save; the recording stays.
        m_form.setStatusText(QStringLiteral("录音没有保存。"));
        m_prompter.inform(QStringLiteral("录音没有保存：%1").arg(saved.message()), Caption);
        return saved;
    }
    // Saved under the name of its own unsaved file: that file is the saved one.
    if (!sameFile(source, target))
        QFile::remove(source);
    return Status::success();
}

void AudioRecorderPanel::tick()
{
    if (m_state != State::Recording)
        return;
    if (++m_seconds == 60) {
        m_seconds = 0;
        if (++m_minutes == 60) {
            m_minutes = 0;
            ++m_hours;
        }
    }
    showElapsed();
    // The slider only shows that time runs; the window keeps it in range.
    const int position = m_form.text(Slider).toInt();
    m_form.setText(Slider, QString::number(position + 1));
}

void AudioRecorderPanel::showElapsed()
{
    m_form.setText(ClockLabel, QStringLiteral("%1:%2:%3").arg(m_hours).arg(m_minutes).arg(m_seconds));
}

void AudioRecorderPanel::captureFailed(const QString &reason)
{
    // A report that arrives after the recording was stopped is stale.
    if (m_state != State::Recording && m_state != State::Paused)
        return;
    m_clock.stop();
    m_form.setStatusText(QStringLiteral("录音中断。"));
    m_prompter.inform(QStringLiteral("录音中断：%1\n已录下的声音请按“停止保存”保存。").arg(reason), Caption);
}

void AudioRecorderPanel::play()
{
    const QString path = m_prompter.browseForFile(QStringLiteral(" "));
    m_form.setText(PlaybackFileField, path);
    // The old check, kept as it was: the letters "wav" in lower case
    // anywhere in the path.
    if (path.isEmpty() || !path.contains(QLatin1String("wav"))) {
        m_prompter.inform(QStringLiteral("音频文件不正确，请选择正确音频文件播放..."), Caption);
        return;
    }
    if (m_player)
        m_player->stop();
    m_player = std::make_unique<AudioPlayer>(MediaDevices::fromSettings(m_runDirectory).audioOutput);
    const Status playing = m_player->play(path);
    if (!playing) {
        m_prompter.inform(QStringLiteral("无法播放录音：%1").arg(playing.message()), Caption);
        return;
    }
    m_form.setStatusText(QStringLiteral("笔录.录音播放中..."));
}

void AudioRecorderPanel::stopPlayback()
{
    if (m_player)
        m_player->stop();
}

bool AudioRecorderPanel::isPlaying() const
{
    return m_player && m_player->isPlaying();
}

void AudioRecorderPanel::waitForPlayback()
{
    if (m_player)
        m_player->waitUntilFinished();
}

QStringList AudioRecorderPanel::unsavedRecordings() const
{
    const QDir folder(m_runDirectory.recordFolder());
    const QFileInfoList found = folder.entryInfoList({UnsavedPrefix + QStringLiteral("*.wav")},
                                                     QDir::Files, QDir::Time | QDir::Reversed);
    QStringList paths;
    for (const QFileInfo &info : found) {
        if (!sameFile(info.filePath(), m_recordingFile))
            paths << info.filePath();
    }
    return paths;
}

void AudioRecorderPanel::offerUnsavedRecordings()
{
    for (const QString &file : unsavedRecordings()) {
        const Result<qint64> length = repairWavHeader(file);
        if (!length)
            continue; // not one of ours; leave it alone
        if (length.value() == 0) {
            QFile::remove(file); // cut off before any sound came in
            continue;
        }
        const QString question = QStringLiteral("上次有一段录音没有保存：%1（长 %2）。\n现在保存吗？选“否”则录音留在记录文件夹中。")
            .arg(QFileInfo(file).fileName(), clockText(length.value() / WavFormat::BytesPerSecond));
        if (m_prompter.message(question, Caption, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
            continue;
        const QString target = m_prompter.chooseFileToSave(SaveFilter, SaveSuffix);
        if (target.isEmpty())
            continue;
        if (saveRecording(file, target))
            m_form.setStatusText(QStringLiteral("笔录.录音保存成功..."));
    }
}

} // namespace tamsel

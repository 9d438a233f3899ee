// The recorder panel's buttons, clock, save and playback, driven through the
// widget-free form with a tone standing in for the microphone.
#include "audio_recorder_panel.h"
#include "fake_clock.h"
#include "fake_form.h"
#include "media_test_support.h"
#include "scripted_prompter.h"
#include "temp_home.h"
#include "wav_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

using Panel = AudioRecorderPanel;

const QString CancelText = QStringLiteral("没有输入WAV音频文件名称，请重新保存。");
const QString BadFileText = QStringLiteral("音频文件不正确，请选择正确音频文件播放...");

// A prompter for messages whose reason comes from the system: it keeps
// them and answers OK.
class CollectingPrompter : public Prompter
{
public:
    Answer message(const QString &text, const QString &caption, Buttons) override
    {
        shown << caption + QStringLiteral(" ") + text;
        return Answer::Ok;
    }
    QString chooseFileToOpen(const QString &, const QString &) override { return file; }
    QString chooseFileToSave(const QString &, const QString &) override { return file; }
    QString browseForFile(const QString &) override { return file; }
    QStringList shown;
    QString file;
};

class RecorderPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ensureApplication();
        runDir = home.makeRunDir();
        writeDeviceSettings(runDir, toneInput() + QStringList{
            QStringLiteral("bofang_geshi=wav"),
            QStringLiteral("bofang_shebei=") + QDir(runDir).filePath(QStringLiteral("played.wav"))});
    }
    QString path(const QString &name) const { return QDir(runDir).filePath(name); }

    TempHome home;
    QString runDir;
    FakeForm form;
    ScriptedPrompter prompter;
    FakeClock clock{QDateTime(QDate(2024, 5, 3), QTime(9, 5, 30))};
};

// ---- the state table ------------------------------------------------------

struct Buttons
{
    bool record, pauseShown, pauseEnabled, resumeShown, resumeEnabled, save;
    int clock;
};
bool operator==(const Buttons &a, const Buttons &b)
{
    return a.record == b.record && a.pauseShown == b.pauseShown && a.pauseEnabled == b.pauseEnabled
        && a.resumeShown == b.resumeShown && a.resumeEnabled == b.resumeEnabled && a.save == b.save
        && a.clock == b.clock;
}
std::ostream &operator<<(std::ostream &out, const Buttons &b)
{
    return out << "录音 " << (b.record ? "on" : "off") << ", 暂停 " << (b.pauseShown ? "shown " : "hidden ")
               << (b.pauseEnabled ? "on" : "off") << ", 继续 " << (b.resumeShown ? "shown " : "hidden ")
               << (b.resumeEnabled ? "on" : "off") << ", 停止保存 " << (b.save ? "on" : "off")
               << ", clock " << b.clock;
}

Buttons buttonsOf(const Form &form, const Panel &panel)
{
    return {form.isEnabled(Panel::RecordButton), form.isVisible(Panel::PauseButton),
            form.isEnabled(Panel::PauseButton), form.isVisible(Panel::ResumeButton),
            form.isEnabled(Panel::ResumeButton), form.isEnabled(Panel::SaveButton),
            panel.clockInterval()};
}

const Buttons IdleAtStart{true, true, false, false, true, false, 0};
const Buttons Recording{false, true, true, false, true, true, 1000};
const Buttons Paused{false, false, true, true, true, true, 0};
const Buttons Stopped{true, true, false, false, false, true, 0};
const Buttons IdleAfterSave{true, true, false, false, false, false, 0};
const Buttons StoppedWhilePaused{true, false, false, true, false, true, 0};
const Buttons IdleAfterSaveWhilePaused{true, false, false, true, false, false, 0};
const Buttons RecordingResumeShowing{false, false, true, true, true, true, 1000};

enum class Act { Record, Pause, Resume, SaveConfirmed, SaveCancelled };

struct Step
{
    Act act;
    Buttons after;
    const char *status;
};

struct Scenario
{
    const char *name;
    std::vector<Step> steps;
};

const char *const Started = "笔录.录音开始...";
const char *const PausedText = "笔录.暂停录音...";
const char *const Continued = "笔录.继续录音...";
const char *const AskName = "录音停止！请选择保存录音笔录的文件名称...";
const char *const Saved = "笔录.录音保存成功...";

const Scenario Scenarios[] = {
    {"record_pause_resume_save",
     {{Act::Record, Recording, Started}, {Act::Pause, Paused, PausedText},
      {Act::Resume, Recording, Continued}, {Act::SaveConfirmed, IdleAfterSave, Saved}}},
    {"cancel_keeps_stop_save_then_new_recording",
     {{Act::Record, Recording, Started}, {Act::SaveCancelled, Stopped, AskName},
      {Act::SaveCancelled, Stopped, AskName}, {Act::SaveConfirmed, IdleAfterSave, Saved},
      {Act::Record, Recording, Started}}},
    {"record_again_after_cancel",
     {{Act::Record, Recording, Started}, {Act::SaveCancelled, Stopped, AskName},
      {Act::Record, Recording, Started}}},
    {"stop_while_paused_leaves_resume_showing",
     {{Act::Record, Recording, Started}, {Act::Pause, Paused, PausedText},
      {Act::SaveCancelled, StoppedWhilePaused, AskName},
      {Act::Record, RecordingResumeShowing, Started}, {Act::Resume, Recording, Continued},
      {Act::Pause, Paused, PausedText}}},
    {"save_while_paused",
     {{Act::Record, Recording, Started}, {Act::Pause, Paused, PausedText},
      {Act::SaveConfirmed, IdleAfterSaveWhilePaused, Saved}}},
};

void PrintTo(const Scenario &s, std::ostream *out) { *out << s.name; }

class RecorderStates : public RecorderPanelTest, public ::testing::WithParamInterface<Scenario>
{
};

TEST_P(RecorderStates, ButtonsFollowTheStateTable)
{
    Panel panel(form, prompter, RunDirectory(runDir), clock);
    ASSERT_EQ(buttonsOf(form, panel), IdleAtStart);
    int saves = 0;
    for (size_t i = 0; i < GetParam().steps.size(); ++i) {
        const Step &step = GetParam().steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1));
        switch (step.act) {
        case Act::Record: panel.record(); break;
        case Act::Pause: panel.pause(); break;
        case Act::Resume: panel.resume(); break;
        case Act::SaveConfirmed:
            prompter.expectFileChoice(path(QStringLiteral("saved%1.wav").arg(++saves)));
            EXPECT_TRUE(panel.stopAndSave().ok());
            break;
        case Act::SaveCancelled:
            prompter.expectFileChoice(QString());
            prompter.expectMessage(CancelText, Prompter::Answer::Ok, QStringLiteral("提示："));
            EXPECT_FALSE(panel.stopAndSave().ok());
            break;
        }
        EXPECT_EQ(buttonsOf(form, panel), step.after);
        EXPECT_EQ(form.statusText().toStdString(), step.status);
    }
    for (int n = 1; n <= saves; ++n)
        EXPECT_EQ(streamOf(probe(path(QStringLiteral("saved%1.wav").arg(n))), "audio")
                      .value("sample_rate").toString(), "8000") << "saved" << n;
}

INSTANTIATE_TEST_SUITE_P(, RecorderStates, ::testing::ValuesIn(Scenarios),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RecorderPanelTest, PanelStartsHiddenAndRecordingGoesOnWhileClosed)
{
    Panel panel(form, prompter, RunDirectory(runDir), clock);
    EXPECT_FALSE(form.isVisible(Panel::Panel));
    for (const QString &usable : {Panel::RecordButton, Panel::PlayButton, Panel::StopPlayButton, Panel::Slider})
        EXPECT_TRUE(form.isVisible(usable) && form.isEnabled(usable)) << usable.toStdString();
    panel.openPanel();
    EXPECT_TRUE(form.isVisible(Panel::Panel));
    panel.record();
    panel.closePanel();
    EXPECT_FALSE(form.isVisible(Panel::Panel));
    EXPECT_EQ(panel.state(), Panel::State::Recording);
    EXPECT_TRUE(panel.isClockRunning());
    panel.tick();
    EXPECT_EQ(form.text(Panel::ClockLabel).toStdString(), "0:0:1");
}

// ---- the recording clock --------------------------------------------------

TEST_F(RecorderPanelTest, ClockCountsSecondsMinutesHoursAndMovesTheSlider)
{
    Panel panel(form, prompter, RunDirectory(runDir), clock);
    panel.record();
    EXPECT_EQ(form.text(Panel::ClockLabel).toStdString(), "0:0:0");
    const struct { int ticks; const char *shown; } rows[] = {
        {1, "0:0:1"}, {59, "0:0:59"}, {60, "0:1:0"}, {307, "0:5:7"}, {3599, "0:59:59"}, {3600, "1:0:0"},
        {3661, "1:1:1"}};
    int done = 0;
    for (const auto &row : rows) {
        for (; done < row.ticks; ++done)
            panel.tick();
        EXPECT_EQ(form.text(Panel::ClockLabel).toStdString(), row.shown) << row.ticks << " ticks";
    }
    EXPECT_EQ(form.text(Panel::Slider).toInt(), done);

    // Paused, the clock stands still and goes on from the same value.
    panel.pause();
    EXPECT_FALSE(panel.isClockRunning());
    panel.resume();
    panel.tick();
    EXPECT_EQ(form.text(Panel::ClockLabel).toStdString(), "1:1:2");

    // A second recording starts again at 0:0:0; the slider is never set back.
    prompter.expectFileChoice(path(QStringLiteral("first.wav")));
    ASSERT_TRUE(panel.stopAndSave().ok());
    panel.record();
    EXPECT_EQ(form.text(Panel::ClockLabel).toStdString(), "0:0:0");
    panel.tick();
    EXPECT_EQ(form.text(Panel::ClockLabel).toStdString(), "0:0:1");
    EXPECT_EQ(form.text(Panel::Slider).toInt(), done + 2);
}

// ---- saving ---------------------------------------------------------------

TEST_F(RecorderPanelTest, CancelThenStopSaveOffersTheSameRecording)
{
    Panel panel(form, prompter, RunDirectory(runDir), clock);
    panel.record();
    runEventsFor(300);
    prompter.expectFileChoice(QString());
    prompter.expectMessage(CancelText, Prompter::Answer::Ok, QStringLiteral("提示："));
    panel.stopAndSave();
    const QString kept = panel.recordingFile();
    ASSERT_TRUE(QFile::exists(kept));
    EXPECT_TRUE(kept.contains(QStringLiteral("/BL/未保存录音-2024年5月3日9时5分30秒")));
    EXPECT_GT(QFile(kept).size(), WavFormat::HeaderBytes + 1000) << "the recording holds sound";
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray sound = file.readAll().mid(WavFormat::HeaderBytes);
    file.close();

    prompter.expectFileChoice(path(QStringLiteral("interview.wav")));
    ASSERT_TRUE(panel.stopAndSave().ok());
    QFile saved(path(QStringLiteral("interview.wav")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().mid(WavFormat::HeaderBytes), sound);
    EXPECT_FALSE(QFile::exists(kept)) << "the saved recording leaves no unsaved copy";
}

TEST_F(RecorderPanelTest, SavingOverAnExistingFileReplacesIt)
{
    const QString target = path(QStringLiteral("old.wav"));
    writeGbkFile(target, QStringLiteral("an older file of the same name"));
    Panel panel(form, prompter, RunDirectory(runDir), clock);
    panel.record();
    runEventsFor(300);
    prompter.expectFileChoice(target);
    ASSERT_TRUE(panel.stopAndSave().ok());
    const QJsonObject audio = streamOf(probe(target), "audio");
    EXPECT_EQ(audio.value("codec_name").toString(), "pcm_s16le");
    EXPECT_EQ(QDir(runDir).entryList({QStringLiteral("old.wav*")}, QDir::Files).size(), 1);
}

TEST_F(RecorderPanelTest, FailedSaveSaysSoAndKeepsTheRecording)
{
    CollectingPrompter ask;
    Panel panel(form, ask, RunDirectory(runDir), clock);
    panel.record();
    runEventsFor(200);
    const QString target = path(QStringLiteral("no such folder/interview.wav"));
    ask.file = target;
    const Status saved = panel.stopAndSave();
    EXPECT_FALSE(saved.ok());
    ASSERT_EQ(ask.shown.size(), 1);
    EXPECT_TRUE(ask.shown[0].startsWith(QStringLiteral("提 示： 录音没有保存：无法写入文件 ") + target))
        << ask.shown[0].toStdString();
    EXPECT_EQ(form.statusText().toStdString(), "录音没有保存。");
    EXPECT_TRUE(form.isEnabled(Panel::SaveButton));
    EXPECT_TRUE(QFile::exists(panel.recordingFile()));

    ask.file = path(QStringLiteral("interview.wav"));
    EXPECT_TRUE(panel.stopAndSave().ok());
    EXPECT_EQ(form.statusText().toStdString(), "笔录.录音保存成功...");
}

TEST_F(RecorderPanelTest, NoSoundDeviceStartsNothing)
{
    writeDeviceSettings(runDir, {QStringLiteral("luyin_geshi=alsa"), QStringLiteral("luyin_shebei=hw:97")});
    CollectingPrompter ask;
    Panel panel(form, ask, RunDirectory(runDir), clock);
    panel.record();
    EXPECT_EQ(panel.state(), Panel::State::Idle);
    EXPECT_EQ(buttonsOf(form, panel), IdleAtStart);
    ASSERT_EQ(ask.shown.size(), 1);
    EXPECT_TRUE(ask.shown[0].startsWith(QStringLiteral("提 示： 无法开始录音：没有找到录音设备（alsa hw:97")))
        << ask.shown[0].toStdString();
    EXPECT_NE(form.statusText().toStdString(), Started);
    EXPECT_TRUE(QDir(path("BL")).entryList(QDir::Files).isEmpty());
}

TEST_F(RecorderPanelTest, LostDeviceIsReportedAndWhatWasRecordedCanBeSaved)
{
    // A source that falls silent after half a second stands in for a
    // microphone pulled out mid-interview.
    writeDeviceSettings(runDir, {QStringLiteral("luyin_geshi=lavfi"),
                                 QStringLiteral("luyin_shebei=sine=frequency=440:sample_rate=8000:duration=0.5")});
    CollectingPrompter ask;
    Panel panel(form, ask, RunDirectory(runDir), clock);
    panel.record();
    runEventsFor(1200);
    ASSERT_EQ(ask.shown.size(), 1);
    EXPECT_TRUE(ask.shown[0].startsWith(QStringLiteral("提 示： 录音中断："))) << ask.shown[0].toStdString();
    EXPECT_EQ(form.statusText().toStdString(), "录音中断。");
    EXPECT_FALSE(panel.isClockRunning());
    EXPECT_TRUE(form.isEnabled(Panel::SaveButton));

    ask.file = path(QStringLiteral("half.wav"));
    ASSERT_TRUE(panel.stopAndSave().ok());
    EXPECT_NEAR(durationOf(probe(ask.file)), 0.5, 0.05);
}

// ---- unsaved recordings from an earlier run -------------------------------

class LeftOverRecording : public RecorderPanelTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(LeftOverRecording, IsOfferedAtStartAndKeptUnlessSaved)
{
    const bool save = GetParam();
    // A crash left one second of sound behind a header that still says none.
    QDir().mkpath(path("BL"));
    const QString left = path(QStringLiteral("BL/未保存录音-2024年5月2日16时0分0秒.wav"));
    {
        QFile file(left);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(wavHeader(0) + QByteArray(WavFormat::BytesPerSecond, '\x01'));
    }
    Panel panel(form, prompter, RunDirectory(runDir), clock);
    ASSERT_EQ(panel.unsavedRecordings(), QStringList{left});
    prompter.expectMessage(QStringLiteral("上次有一段录音没有保存：未保存录音-2024年5月2日16时0分0秒.wav（长 0:0:1）。\n"
                                          "现在保存吗？选“否”则录音留在记录文件夹中。"),
                           save ? Prompter::Answer::Yes : Prompter::Answer::No, QStringLiteral("提 示："));
    const QString target = path(QStringLiteral("yesterday.wav"));
    if (save)
        prompter.expectFileChoice(target);
    panel.offerUnsavedRecordings();

    const QString readable = save ? target : left;
    EXPECT_NEAR(durationOf(probe(readable)), 1.0, 0.01);
    EXPECT_EQ(QFile::exists(left), !save);
}

INSTANTIATE_TEST_SUITE_P(, LeftOverRecording, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "saved" : "kept"; });

// ---- playback -------------------------------------------------------------

struct PlayCase
{
    const char *name;
    const char *chosen; // relative to the run directory; "" = cancelled
    enum { Refused, Played, Unplayable } outcome;
};

const PlayCase PlayCases[] = {
    {"cancelled", "", PlayCase::Refused},
    {"capital_WAV_only", "REC.WAV", PlayCase::Refused},
    {"wav_in_folder_name_only", "wavs/REC.WAV", PlayCase::Played},
    {"wav_file", "tone.wav", PlayCase::Played},
    {"wav_in_name_but_no_sound", "notes_wav.txt", PlayCase::Unplayable},
};

void PrintTo(const PlayCase &c, std::ostream *out) { *out << c.name; }

class Playback : public RecorderPanelTest, public ::testing::WithParamInterface<PlayCase>
{
};

TEST_P(Playback, PlaysOnlyPathsWithWav)
{
    QDir().mkpath(path("wavs"));
    for (const char *name : {"REC.WAV", "wavs/REC.WAV", "tone.wav"}) {
        ASSERT_EQ(QProcess::execute("sox", {"-n", "-r", "8000", "-c", "1", "-b", "16", path(name),
                                             "synth", "0.5", "sine", "440"}), 0);
    }
    writeGbkFile(path("notes_wav.txt"), QStringLiteral("no sound here"));
    const PlayCase &c = GetParam();
    const QString chosen = *c.chosen ? path(c.chosen) : QString();

    CollectingPrompter ask;
    ask.file = chosen;
    Panel panel(form, ask, RunDirectory(runDir), clock);
    form.setStatusText(QStringLiteral("before"));
    panel.play();
    panel.waitForPlayback();
    EXPECT_EQ(form.text(Panel::PlaybackFileField), chosen);
    const QString played = path("played.wav");
    switch (c.outcome) {
    case PlayCase::Refused:
        EXPECT_EQ(ask.shown, QStringList{QStringLiteral("提 示： ") + BadFileText});
        EXPECT_FALSE(QFile::exists(played));
        EXPECT_EQ(form.statusText().toStdString(), "before");
        break;
    case PlayCase::Played:
        EXPECT_TRUE(ask.shown.isEmpty()) << ask.shown.join("\n").toStdString();
        EXPECT_EQ(form.statusText().toStdString(), "笔录.录音播放中...");
        EXPECT_NEAR(durationOf(probe(played)), 0.5, 0.02);
        break;
    case PlayCase::Unplayable:
        ASSERT_EQ(ask.shown.size(), 1);
        EXPECT_TRUE(ask.shown[0].startsWith(QStringLiteral("提 示： 无法播放录音："))) << ask.shown[0].toStdString();
        EXPECT_EQ(form.statusText().toStdString(), "before");
        break;
    }
    // "停止" with nothing playing changes nothing.
    panel.stopPlayback();
    EXPECT_FALSE(panel.isPlaying());
}

INSTANTIATE_TEST_SUITE_P(, Playback, ::testing::ValuesIn(PlayCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace tamsel::test

// Recording from a tone source in real time: pause, the file's format, and a
// capture killed in the middle.
#include "audio_capture.h"
#include "audio_recorder_panel.h"
#include "fake_clock.h"
#include "fake_form.h"
#include "media_test_support.h"
#include "scripted_prompter.h"
#include "temp_home.h"
#include "wav_file.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tamsel::test {
namespace {

QString soxi(const QString &option, const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("soxi"), {option, file});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

TEST(AudioRecording, ThreeSecondsWithOneSecondPauseGivesTwoSecondsOfWav)
{
    ensureApplication();
    TempHome home;
    const QString runDir = home.makeRunDir();
    writeDeviceSettings(runDir, toneInput());
    FakeForm form;
    ScriptedPrompter prompter;
    FakeClock clock;
    AudioRecorderPanel panel(form, prompter, RunDirectory(runDir), clock);

    panel.record();
    ASSERT_EQ(panel.state(), AudioRecorderPanel::State::Recording);
    runEventsFor(1000);
    panel.pause();
    runEventsFor(1000);
    panel.resume();
    runEventsFor(1000);
    const QString target = QDir(runDir).filePath(QStringLiteral("笔录录音.wav"));
    prompter.expectFileChoice(target);
    ASSERT_TRUE(panel.stopAndSave().ok());

    EXPECT_EQ(soxi("-r", target).toStdString(), "8000");
    EXPECT_EQ(soxi("-c", target).toStdString(), "1");
    EXPECT_EQ(soxi("-b", target).toStdString(), "16");
    EXPECT_NEAR(soxi("-D", target).toDouble(), 2.0, 0.3);
    const QJsonObject audio = streamOf(probe(target), "audio");
    EXPECT_EQ(audio.value("codec_name").toString().toStdString(), "pcm_s16le");
    EXPECT_EQ(audio.value("channels").toInt(), 1);
}

TEST(AudioRecording, KilledCaptureLeavesAReadableRecording)
{
    TempHome home;
    const QString wav = QDir(home.path()).filePath(QStringLiteral("未保存录音-killed.wav"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child records until it is killed; it never returns to the tests.
        AudioCapture capture({DeviceChoice{QStringLiteral("lavfi"),
                                           QStringLiteral("sine=frequency=440:sample_rate=8000")}});
        if (!capture.start(wav))
            _exit(3);
        std::this_thread::sleep_for(std::chrono::seconds(30));
        _exit(0);
    }
    // Kill it once more than a second of sound is on disk.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (QFileInfo(wav).size() < WavFormat::HeaderBytes + WavFormat::BytesPerSecond * 12 / 10
           && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself with " << WEXITSTATUS(status);

    // Readers take the length from the header, which was kept up to date.
    const QJsonObject probed = probe(wav);
    EXPECT_EQ(streamOf(probed, "audio").value("sample_rate").toString().toStdString(), "8000");
    EXPECT_GE(durationOf(probed), 0.5);
    EXPECT_GE(soxi("-D", wav).toDouble(), 0.5);
    // Repairing takes in every whole sample that reached the file.
    const Result<qint64> repaired = repairWavHeader(wav);
    ASSERT_TRUE(repaired.ok()) << repaired.message().toStdString();
    EXPECT_EQ(repaired.value(), (QFileInfo(wav).size() - WavFormat::HeaderBytes) & ~1);
    EXPECT_NEAR(soxi("-D", wav).toDouble(), repaired.value() / double(WavFormat::BytesPerSecond), 0.01);
}

} // namespace
} // namespace tamsel::test

// tamsel-cli record-audio and capture-video, run as the officer's scripts
// would run them.
#include "media_test_support.h"
#include "temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

struct CliRun
{
    int exitCode;
    QString out, err;
};

CliRun cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAMSEL_BUILD_DIR "/tamsel-cli"), args);
    if (!p.waitForFinished(30000))
        return {-1, {}, QStringLiteral("did not finish")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(p.readAllStandardError()).trimmed()};
}

TEST(MediaCommands, RecordAudioPausesAndSaves)
{
    TempHome home;
    const QString runDir = home.makeRunDir();
    writeDeviceSettings(runDir, toneInput());
    const QString out = QDir(home.path()).filePath(QStringLiteral("询问录音.wav"));
    const CliRun run = cli({"record-audio", "--seconds", "2", "--pause-at", "0.5", "--resume-at", "1",
                         "--out", out, "--run-dir", runDir});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject probed = probe(out);
    EXPECT_EQ(streamOf(probed, "audio").value("sample_rate").toString().toStdString(), "8000");
    EXPECT_NEAR(durationOf(probed), 1.5, 0.3);
    EXPECT_TRUE(QDir(runDir + "/BL").entryList(QDir::Files).isEmpty()) << "the saved recording leaves no copy";
}

TEST(MediaCommands, CaptureVideoWritesIntoTheRecordFolderOrNothing)
{
    TempHome home;
    const QString runDir = home.makeRunDir();
    const QString camera = QStringLiteral("shexiang_geshi=lavfi");
    writeDeviceSettings(runDir, {camera, QStringLiteral("shexiang_shebei=testsrc=size=160x120:rate=10")});

    CliRun run = cli({"capture-video", "--seconds", "1", "--run-dir", runDir});
    EXPECT_EQ(run.exitCode, 1) << "no record folder yet";
    EXPECT_FALSE(QFileInfo::exists(runDir + "/BL"));

    QDir().mkpath(runDir + "/BL");
    run = cli({"capture-video", "--seconds", "1", "--run-dir", runDir});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(runDir + "/BL/") && run.out.endsWith(".avi")) << run.out.toStdString();
    EXPECT_EQ(streamOf(probe(run.out), "video").value("codec_name").toString().toStdString(), "mjpeg");

    writeDeviceSettings(runDir, {QStringLiteral("shexiang_shebei=/dev/video97")});
    run = cli({"capture-video", "--seconds", "1", "--run-dir", runDir});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("没有找到摄像头，无法录像。"))) << run.err.toStdString();
    EXPECT_EQ(QDir(runDir + "/BL").entryList(QDir::Files).size(), 1);
}

TEST(MediaCommands, BadArgumentsGiveTheUsage)
{
    const QStringList rows[] = {
        {"record-audio", "--seconds", "2"},
        {"record-audio", "--seconds", "2", "--out", "x.wav", "--pause-at", "1"},
        {"record-audio", "--seconds", "2", "--out", "x.wav", "--pause-at", "1", "--resume-at", "3"},
        {"record-audio", "--seconds", "zwei", "--out", "x.wav"},
        {"capture-video", "--run-dir", "."},
    };
    for (const QStringList &args : rows) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("usage:")) << args.join(' ').toStdString();
    }
}

} // namespace
} // namespace tamsel::test

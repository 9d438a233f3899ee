// Video evidence from a test picture and a tone: the AVI, its name, the view,
// and the cases where nothing may be written.
#include "fake_clock.h"
#include "fake_form.h"
#include "media_test_support.h"
#include "temp_home.h"
#include "video_evidence.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

const QString TestCamera = QStringLiteral("shexiang_geshi=lavfi");
const QString TestPicture = QStringLiteral("shexiang_shebei=testsrc=size=320x240:rate=10");

class VideoEvidenceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ensureApplication();
        runDir = home.makeRunDir();
    }
    QString recordFolder() const { return QDir(runDir).filePath(QStringLiteral("BL")); }

    TempHome home;
    QString runDir;
    FakeForm form;
    FakeClock clock{QDateTime(QDate(2024, 5, 3), QTime(9, 5, 30))};
};

TEST_F(VideoEvidenceTest, CapturesPictureAndSoundIntoAviNamedByTheMoment)
{
    QDir().mkpath(recordFolder());
    writeDeviceSettings(runDir, toneInput() + QStringList{TestCamera, TestPicture});
    VideoEvidence video(form, RunDirectory(runDir), clock);
    int previews = 0;
    QImage last;
    QObject::connect(&video, &VideoEvidence::previewFrame, [&](const QImage &image) {
        ++previews;
        last = image;
    });

    video.start();
    EXPECT_TRUE(form.isVisible(VideoEvidence::View));
    EXPECT_TRUE(form.isVisible(VideoEvidence::Frame));
    ASSERT_TRUE(video.isCapturing()) << form.statusText().toStdString();
    runEventsFor(1500);
    video.stop();
    EXPECT_FALSE(form.isVisible(VideoEvidence::View));
    EXPECT_FALSE(form.isVisible(VideoEvidence::Frame));

    const QString file = QDir(recordFolder()).filePath(QStringLiteral("2024年5月3日9时5分30秒.avi"));
    EXPECT_EQ(video.captureFile(), file);
    const QJsonObject probed = probe(file);
    EXPECT_EQ(probed.value("format").toObject().value("format_name").toString().toStdString(), "avi");
    const QJsonObject picture = streamOf(probed, "video");
    EXPECT_EQ(picture.value("codec_name").toString().toStdString(), "mjpeg");
    EXPECT_GE(picture.value("nb_read_frames").toString().toInt(), 8);
    const QJsonObject sound = streamOf(probed, "audio");
    EXPECT_EQ(sound.value("codec_name").toString().toStdString(), "pcm_s16le");
    EXPECT_EQ(sound.value("sample_rate").toString().toStdString(), "8000");
    EXPECT_GE(previews, 3);
    EXPECT_EQ(last.width(), 320);
    EXPECT_EQ(last.height(), 240);
}

TEST_F(VideoEvidenceTest, FileNamesFollowTheDateTimeText)
{
    VideoEvidence video(form, RunDirectory(runDir), clock);
    const struct { QTime time; const char *name; } rows[] = {
        {QTime(9, 5, 30), "2024年5月3日9时5分30秒.avi"},
        {QTime(9, 5, 0), "2024年5月3日9时5分.avi"},
        {QTime(0, 0, 0), "2024年5月3日.avi"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(video.fileNameFor(QDateTime(QDate(2024, 5, 3), row.time)),
                  QDir(recordFolder()).filePath(QString::fromUtf8(row.name)));
    }
}

TEST_F(VideoEvidenceTest, StopWithoutCaptureOnlyHidesTheView)
{
    QDir().mkpath(recordFolder());
    VideoEvidence video(form, RunDirectory(runDir), clock);
    form.setStatusText(QStringLiteral("lasting"));
    video.stop();
    EXPECT_FALSE(form.isVisible(VideoEvidence::View));
    EXPECT_FALSE(form.isVisible(VideoEvidence::Frame));
    EXPECT_EQ(form.statusText().toStdString(), "lasting");
    EXPECT_TRUE(QDir(recordFolder()).isEmpty());
}

struct NothingWritten
{
    const char *name;
    bool recordFolder;
    const char *camera; // the shexiang_shebei of lavfi, or "" for a v4l2 camera that is not there
    const char *status;
};

const NothingWritten NothingWrittenCases[] = {
    {"no_camera", true, "", "没有找到摄像头，无法录像。"},
    {"no_record_folder", false, "testsrc", "没有记录文件夹 %1，无法录像。"},
};

void PrintTo(const NothingWritten &c, std::ostream *out) { *out << c.name; }

class NoCapture : public VideoEvidenceTest, public ::testing::WithParamInterface<NothingWritten>
{
};

TEST_P(NoCapture, WritesNothingAndStaysUsable)
{
    const NothingWritten &c = GetParam();
    if (c.recordFolder)
        QDir().mkpath(recordFolder());
    writeDeviceSettings(runDir, *c.camera
        ? QStringList{TestCamera, QStringLiteral("shexiang_shebei=") + c.camera}
        : QStringList{QStringLiteral("shexiang_geshi=v4l2"), QStringLiteral("shexiang_shebei=/dev/video97")});
    VideoEvidence video(form, RunDirectory(runDir), clock);
    for (int round = 0; round < 2; ++round) {
        video.start();
        EXPECT_TRUE(form.isVisible(VideoEvidence::View));
        EXPECT_FALSE(video.isCapturing());
        EXPECT_EQ(form.statusText(), QString::fromUtf8(c.status).replace(
                                         QStringLiteral("%1"), QDir::toNativeSeparators(recordFolder())));
        video.stop();
        EXPECT_FALSE(form.isVisible(VideoEvidence::View));
    }
    EXPECT_EQ(QFileInfo(recordFolder()).isDir(), c.recordFolder);
    if (c.recordFolder) {
        EXPECT_TRUE(QDir(recordFolder()).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(, NoCapture, ::testing::ValuesIn(NothingWrittenCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace tamsel::test

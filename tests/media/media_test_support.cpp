#include "media_test_support.h"

#include "temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTimer>

namespace tamsel::test {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "test_media";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    Q_UNUSED(app);
}

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void writeDeviceSettings(const QString &runDir, const QStringList &lines)
{
    writeGbkFile(QDir(runDir).filePath(QStringLiteral("set.ini")),
                 QStringLiteral("[shebei]\n") + lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

QStringList toneInput()
{
    return {QStringLiteral("luyin_geshi=lavfi"),
            QStringLiteral("luyin_shebei=sine=frequency=440:sample_rate=8000")};
}

QJsonObject probe(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
                   QStringLiteral("-show_entries"),
                   QStringLiteral("stream=codec_type,codec_name,sample_rate,channels,bits_per_sample,"
                                  "nb_read_frames:format=duration,format_name"),
                   QStringLiteral("-of"), QStringLiteral("json"), path});
    if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

QJsonObject streamOf(const QJsonObject &probed, const QString &kind)
{
    for (const QJsonValue &stream : probed.value(QStringLiteral("streams")).toArray()) {
        if (stream.toObject().value(QStringLiteral("codec_type")).toString() == kind)
            return stream.toObject();
    }
    return {};
}

double durationOf(const QJsonObject &probed)
{
    return probed.value(QStringLiteral("format")).toObject().value(QStringLiteral("duration"))
        .toString().toDouble();
}

} // namespace tamsel::test

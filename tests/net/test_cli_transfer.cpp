#include "local_server.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using tamsel::test::LocalServer;

namespace {

struct CliRun
{
    int exitCode;
    QString out;
    QString err;
};

// tamsel-cli with the password in the environment only.
CliRun cli(const QStringList &args, const QString &password)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TAMSEL_FTP_PASSWORD"));
    if (!password.isNull())
        env.insert(QStringLiteral("TAMSEL_FTP_PASSWORD"), password);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TAMSEL_BUILD_DIR "/tamsel-cli"), args);
    process.waitForFinished(20000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(process.readAllStandardError()).trimmed()};
}

TEST(CliTransfer, UploadAndDownloadThroughTheMenuCode)
{
    tamsel::test::TempHome home;
    const QString root = home.path() + QStringLiteral("/ftp");
    QDir().mkpath(root + QStringLiteral("/wwwroot"));
    LocalServer server(QStringLiteral("ftp_server.py"),
                       {QStringLiteral("--root"), root, QStringLiteral("--user"), QStringLiteral("officer"),
                        QStringLiteral("--password"), QStringLiteral("s3cret")});
    ASSERT_TRUE(server.started()) << server.errors().toStdString();
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    const QString local = home.path() + QStringLiteral("/mine.ini");
    QFile file(local);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[set]\r\nnum1=1\r\n");
    file.close();
    const QString runDir = home.makeRunDir();
    const QStringList account{QStringLiteral("--server"), address, QStringLiteral("--user"), QStringLiteral("officer"),
                              QStringLiteral("--name"), QStringLiteral("共享")};

    const struct
    {
        const char *name;
        QStringList args;
        QString password;
        int exitCode;
        const char *out;
        const char *err;
    } cases[] = {
        {"upload", QStringList{QStringLiteral("ftp-upload"), local} + account, QStringLiteral("s3cret"), 0,
         "笔录模板文件.ini上传FTP服务器成功.", ""},
        {"download", QStringList{QStringLiteral("ftp-download"), QStringLiteral("--run-dir"), runDir} + account,
         QStringLiteral("s3cret"), 0, "笔录模板.ini文件下载到 笔录软件的BL目录成功.", ""},
        {"wrong_password", QStringList{QStringLiteral("ftp-download"), QStringLiteral("--run-dir"), runDir} + account,
         QStringLiteral("nope"), 1, "服务器帐号密码不对..", ""},
        {"no_password", QStringList{QStringLiteral("ftp-download"), QStringLiteral("--run-dir"), runDir} + account,
         QString(), 1, "", "FTP服务器配置没有添写！"},
    };
    for (const auto &c : cases) {
        const CliRun run = cli(c.args, c.password);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        EXPECT_EQ(run.out.toStdString(), c.out) << c.name;
        EXPECT_EQ(run.err.toStdString(), c.err) << c.name;
    }
    QFile fetched(runDir + QStringLiteral("/BL/共享.ini"));
    ASSERT_TRUE(fetched.open(QIODevice::ReadOnly));
    EXPECT_EQ(fetched.readAll(), "[set]\r\nnum1=1\r\n");
}

} // namespace

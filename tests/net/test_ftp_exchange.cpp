#include "background_task.h"
#include "fake_form.h"
#include "ftp_exchange.h"
#include "gbk.h"
#include "local_server.h"
#include "run_directory.h"
#include "scripted_prompter.h"
#include "temp_home.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <thread>

#include <gtest/gtest.h>

using namespace tamsel;
using tamsel::test::LocalServer;

namespace {

const QString Status = QStringLiteral("编辑框25");
const QString Name = QStringLiteral("编辑框23");
const QString Password = QStringLiteral("FTP密码 1");
const QByteArray Template = "[set]\r\nnum1=\xd5\xc5\xc8\xfd\r\nbeizu=\r\n";

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Remembers the title of the file browser it was asked to show.
class Prompts : public test::ScriptedPrompter
{
public:
    QString browseForFile(const QString &title) override
    {
        browseTitles << title;
        return ScriptedPrompter::browseForFile(title);
    }
    QStringList browseTitles;
};

// Runs the job on a worker thread like the real tasks, watches its progress
// meanwhile, and asks it to stop once `cancelAfter` bytes are done.
class WatchingTask : public BackgroundTask
{
public:
    explicit WatchingTask(qint64 cancelAfter) : m_cancelAfter(cancelAfter) {}
    void run(const QString &, const Job &job) override
    {
        TaskControl control;
        std::atomic<bool> finished{false};
        std::thread worker([&] {
            job(control);
            finished.store(true);
        });
        while (!finished.load()) {
            maxDone = std::max(maxDone, control.done());
            if (control.done() > m_cancelAfter)
                control.cancel();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        worker.join();
    }
    qint64 maxDone = 0;

private:
    qint64 m_cancelAfter;
};

class FtpExchangeTest : public testing::Test
{
protected:
    // An FTP server on 127.0.0.1 in one of the modes of ftp_server.py.
    std::unique_ptr<LocalServer> startServer(const QString &mode = QStringLiteral("normal"))
    {
        QDir().mkpath(serverRoot + QStringLiteral("/wwwroot"));
        auto server = std::make_unique<LocalServer>(
            QStringLiteral("ftp_server.py"),
            QStringList{QStringLiteral("--root"), serverRoot, QStringLiteral("--user"), QStringLiteral("officer"),
                        QStringLiteral("--password"), Password, QStringLiteral("--mode"), mode});
        EXPECT_TRUE(server->started()) << server->errors().toStdString();
        return server;
    }
    void fillPanel(int port, const QString &name)
    {
        form.setText(QStringLiteral("编辑框20"), QStringLiteral("127.0.0.1:%1").arg(port));
        form.setText(QStringLiteral("编辑框21"), QStringLiteral("officer"));
        form.setText(QStringLiteral("编辑框22"), Password);
        form.setText(Name, name);
    }
    QString remoteFile(const QString &name) const { return serverRoot + QStringLiteral("/wwwroot/") + name; }
    QString localFile(const QString &name) const { return runDir.recordFolder() + QStringLiteral("/") + name; }
    // Names in the record folder other than the templates themselves.
    QStringList leftovers() const
    {
        return QDir(runDir.recordFolder()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("part"));
    }

    test::TempHome home;
    QString serverRoot = home.path() + QStringLiteral("/ftp");
    RunDirectory runDir{home.makeRunDir()};
    test::FakeForm form;
    Prompts prompter;
    WaitingTask task;
    FtpLimits limits{2, 2};
    FtpExchange exchange{form, prompter, runDir, task, limits};
};

TEST_F(FtpExchangeTest, UploadSendsTheChosenFileUnderTheTypedName)
{
    auto server = startServer();
    const QString chosen = home.path() + QStringLiteral("/templates/2024.1.3-某公司-张三.ini");
    writeFile(chosen, Template);
    fillPanel(server->port(), QStringLiteral("张三笔录"));
    prompter.expectFileChoice(chosen);
    EXPECT_TRUE(exchange.upload());
    EXPECT_EQ(form.text(Status), QStringLiteral("笔录模板文件.ini上传FTP服务器成功."));
    EXPECT_EQ(form.text(QStringLiteral("编辑框17")), chosen);
    EXPECT_EQ(prompter.browseTitles, QStringList{QStringLiteral(" ")});
    // The server reads names as GBK: the name arrived as GBK bytes.
    EXPECT_EQ(readFile(remoteFile(QStringLiteral("张三笔录.ini"))), Template);

    // Again under the same name: the remote file is replaced.
    writeFile(chosen, "[set]\r\nnum1=2\r\n");
    prompter.expectFileChoice(chosen);
    EXPECT_TRUE(exchange.upload());
    EXPECT_EQ(readFile(remoteFile(QStringLiteral("张三笔录.ini"))), "[set]\r\nnum1=2\r\n");
}

TEST_F(FtpExchangeTest, UploadChoiceMustContainIniInLowerCase)
{
    auto server = startServer();
    const QString inFolder = home.path() + QStringLiteral("/mini/record.txt");
    const QString capitals = home.path() + QStringLiteral("/T/RECORD.INI");
    writeFile(inFolder, "any file");
    writeFile(capitals, Template);
    fillPanel(server->port(), QStringLiteral("a"));
    struct Case
    {
        const char *name;
        QString choice;
        bool uploaded;
    } cases[] = {
        {"cancelled", QString(), false},
        {"capitals_only", capitals, false},
        {"ini_in_a_folder_name", inFolder, true},
    };
    for (const Case &c : cases) {
        form.setText(Status, QString());
        prompter.expectFileChoice(c.choice);
        if (!c.uploaded)
            prompter.expectMessage(QStringLiteral("请选择笔录模板文件.ini上传"), Prompter::Answer::Ok,
                                   QStringLiteral("提示："));
        EXPECT_EQ(exchange.upload(), c.uploaded) << c.name;
        EXPECT_EQ(form.text(QStringLiteral("编辑框17")), c.choice) << c.name;
        EXPECT_EQ(form.text(Status).isEmpty(), !c.uploaded) << c.name;
    }
    EXPECT_EQ(readFile(remoteFile(QStringLiteral("a.ini"))), "any file");
}

TEST_F(FtpExchangeTest, DownloadReplacesTheLocalTemplateAndMakesTheRecordFolder)
{
    auto server = startServer();
    writeFile(remoteFile(QStringLiteral("王五.ini")), Template);
    fillPanel(server->port(), QStringLiteral("王五"));
    ASSERT_FALSE(QFileInfo::exists(runDir.recordFolder()));
    EXPECT_TRUE(exchange.download());
    EXPECT_EQ(form.text(Status), QStringLiteral("笔录模板.ini文件下载到 笔录软件的BL目录成功."));
    EXPECT_EQ(readFile(localFile(QStringLiteral("王五.ini"))), Template);

    writeFile(remoteFile(QStringLiteral("王五.ini")), "[set]\r\nnum1=new\r\n");
    EXPECT_TRUE(exchange.download());
    EXPECT_EQ(readFile(localFile(QStringLiteral("王五.ini"))), "[set]\r\nnum1=new\r\n");
    EXPECT_EQ(leftovers(), QStringList());
}

struct FailureCase
{
    const char *name;
    const char *mode;   // server mode; "closed" for a port nobody listens on
    bool wrongPassword;
    bool remoteExists;
    const char *downloadStatus;
    const char *uploadStatus; // nullptr: not tried
};

const FailureCase FailureCases[] = {
    {"wrong_password", "normal", true, true, "服务器帐号密码不对..", "服务器帐号密码不对.."},
    {"closed_port", "closed", false, true, "服务器帐号密码不对..", "服务器帐号密码不对.."},
    {"server_never_greets", "silent", false, true, "服务器帐号密码不对..", "服务器帐号密码不对.."},
    {"missing_remote_file", "normal", false, false, "笔录下载失败.", nullptr},
    {"data_connection_cut", "cut", false, true, "笔录下载失败.", nullptr},
    {"transfer_stalls", "stall", false, true, "笔录下载失败.", nullptr},
};

void PrintTo(const FailureCase &c, std::ostream *os) { *os << c.name; }

class FtpFailure : public FtpExchangeTest, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(FtpFailure, EndsWithTheFailureStatusAndTheLocalFileIntact)
{
    const FailureCase &c = GetParam();
    const bool closed = QByteArray(c.mode) == "closed";
    auto server = closed ? nullptr : startServer(QString::fromLatin1(c.mode));
    const QString name = QStringLiteral("李四");
    if (c.remoteExists)
        writeFile(remoteFile(name + QStringLiteral(".ini")), QByteArray(512 * 1024, 'r'));
    const QByteArray old = "[set]\r\nnum1=old\r\n";
    writeFile(localFile(name + QStringLiteral(".ini")), old);
    fillPanel(closed ? test::closedPort() : server->port(), name);
    if (c.wrongPassword)
        form.setText(QStringLiteral("编辑框22"), QStringLiteral("wrong"));

    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(exchange.download());
    EXPECT_EQ(form.text(Status).toStdString(), c.downloadStatus);
    EXPECT_EQ(readFile(localFile(name + QStringLiteral(".ini"))), old);
    EXPECT_EQ(leftovers(), QStringList());
    // Bounded by the connect and stall limits (2 s each here).
    EXPECT_LT(timer.elapsed(), 6000);

    if (c.uploadStatus) {
        const QString chosen = home.path() + QStringLiteral("/up.ini");
        writeFile(chosen, Template);
        prompter.expectFileChoice(chosen);
        EXPECT_FALSE(exchange.upload());
        EXPECT_EQ(form.text(Status).toStdString(), c.uploadStatus);
    }
}

INSTANTIATE_TEST_SUITE_P(Ftp, FtpFailure, testing::ValuesIn(FailureCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FtpExchangeTest, CancelEndsLikeAFailureWithoutPartialFile)
{
    auto server = startServer(QStringLiteral("stall"));
    writeFile(remoteFile(QStringLiteral("big.ini")), QByteArray(512 * 1024, 'b'));
    WatchingTask cancelling(1000);
    FtpExchange cancellable(form, prompter, runDir, cancelling, FtpLimits{2, 30});
    fillPanel(server->port(), QStringLiteral("big"));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(cancellable.download());
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_GT(cancelling.maxDone, 1000);
    EXPECT_EQ(form.text(Status), QStringLiteral("笔录下载失败."));
    EXPECT_FALSE(QFileInfo::exists(localFile(QStringLiteral("big.ini"))));
    EXPECT_EQ(leftovers(), QStringList());
}

TEST_F(FtpExchangeTest, EveryFieldMustBeFilledBeforeAnyConnection)
{
    const QString fields[] = {QStringLiteral("编辑框20"), QStringLiteral("编辑框21"), QStringLiteral("编辑框22"),
                              QStringLiteral("编辑框23")};
    for (const QString &empty : fields) {
        fillPanel(test::closedPort(), QStringLiteral("a"));
        form.setText(empty, QString());
        for (bool upload : {true, false}) {
            prompter.expectMessage(QStringLiteral("FTP服务器配置没有添写！"), Prompter::Answer::Ok,
                                   QStringLiteral("请完善FTP服务器配置才可以上传下载："));
            EXPECT_FALSE(upload ? exchange.upload() : exchange.download());
            // Every attempted connection sets the status; none was made.
            EXPECT_EQ(form.text(Status), QString()) << empty.toStdString();
        }
    }
    // A field of one blank counts as filled: the connection is tried.
    for (const QString &field : fields)
        form.setText(field, QStringLiteral(" "));
    EXPECT_FALSE(exchange.download());
    EXPECT_EQ(form.text(Status), QStringLiteral("服务器帐号密码不对.."));
}

TEST_F(FtpExchangeTest, NamesThatLeaveTheFolderAreRefusedBeforeConnecting)
{
    auto server = startServer();
    writeFile(serverRoot + QStringLiteral("/x.ini"), Template);
    const struct
    {
        const char *name;
        const char *reason;
    } cases[] = {
        {"../x", "不能含有路径分隔符“/”或“\\”"},
        {"a/b", "不能含有路径分隔符“/”或“\\”"},
        {"a\\b", "不能含有路径分隔符“/”或“\\”"},
        {"..", "不能含有“..”"},
        {"a..b", "不能含有“..”"},
        {"tab\there", "不能含有控制字符"},
        {"\xe2\x80\x8b\x01", "不能含有控制字符"},
        {"\xf0\x9f\x98\x80", "含有不能用 GBK 编码表示的字符"},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromUtf8(c.name);
        fillPanel(server->port(), name);
        for (bool upload : {true, false}) {
            prompter.expectMessage(
                QStringLiteral("文件名“%1”%2，请改正后再上传或下载。").arg(name, QString::fromUtf8(c.reason)),
                Prompter::Answer::Ok, QStringLiteral("提 示："));
            EXPECT_FALSE(upload ? exchange.upload() : exchange.download()) << c.name;
            EXPECT_EQ(form.text(Status), QString()) << c.name;
        }
    }
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/run/x.ini")));
    EXPECT_FALSE(QFileInfo::exists(runDir.recordFolder()));
}

TEST_F(FtpExchangeTest, PanelOpensAtTheTopLeftAndClosesKeepingTheFields)
{
    form.setGeometry(QStringLiteral("分组框7"), QRect(40, 50, 271, 65));
    form.setVisible(QStringLiteral("分组框7"), false);
    form.setText(QStringLiteral("编辑框20"), QStringLiteral("10.0.0.1"));
    for (int round = 0; round < 2; ++round) {
        exchange.openPanel();
        EXPECT_EQ(form.geometry(QStringLiteral("分组框7")), QRect(1, 0, 271, 65));
        EXPECT_TRUE(form.isVisible(QStringLiteral("分组框7")));
    }
    exchange.closePanel();
    EXPECT_EQ(form.geometry(QStringLiteral("分组框7")), QRect(0, 0, 271, 65));
    EXPECT_FALSE(form.isVisible(QStringLiteral("分组框7")));
    EXPECT_EQ(form.text(QStringLiteral("编辑框20")), QStringLiteral("10.0.0.1"));
}

} // namespace

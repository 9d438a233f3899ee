#include "local_server.h"
#include "run_directory.h"
#include "scripted_prompter.h"
#include "temp_home.h"
#include "update_check.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace tamsel;
using tamsel::test::LocalServer;

namespace {

const QString NoNewVersion = QStringLiteral("软件暂时没有新版本用于更新！");
const QString Caption = QStringLiteral("提 示：");

struct AnswerCase
{
    const char *name;
    const char *softIni; // nullptr: the server has no such file (404 page)
    bool newVersion;
};

const AnswerCase AnswerCases[] = {
    {"one", "[set]\r\ngengxin=1\r\n", true},
    {"one_with_blanks_and_lf", "[Set]\nGengXin = 1 \n", true},
    {"two", "[set]\r\ngengxin=2\r\n", false},
    {"eleven", "[set]\r\ngengxin=11\r\n", false},
    {"leading_zero", "[set]\r\ngengxin=01\r\n", false},
    {"empty_value", "[set]\r\ngengxin=\r\n", false},
    {"missing_key", "[set]\r\nbanben=2.3\r\n", false},
    {"other_section", "[new]\r\ngengxin=1\r\n[set]\r\nx=1\r\n", false},
    {"error_page", nullptr, false},
};

void PrintTo(const AnswerCase &c, std::ostream *os) { *os << c.name; }

class UpdateCheck : public testing::TestWithParam<AnswerCase>
{
protected:
    void SetUp() override { ASSERT_TRUE(server.started()) << server.errors().toStdString(); }
    void serve(const char *softIni)
    {
        QFile::remove(root + QStringLiteral("/soft.ini"));
        if (!softIni)
            return;
        QFile file(root + QStringLiteral("/soft.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(softIni);
    }
    QString site() const { return QStringLiteral("127.0.0.1:%1").arg(server.port()); }

    test::TempHome home;
    RunDirectory runDir{home.makeRunDir()};
    QString root = home.path() + QStringLiteral("/web");
    bool made = QDir().mkpath(root);
    LocalServer server{QStringLiteral("http_server.py"),
                       {QStringLiteral("--log"), home.path() + QStringLiteral("/requests.log"),
                        QStringLiteral("--root"), root}};
    test::ScriptedPrompter prompter;
    FetchLimits quick{1, 2, 1024 * 1024};
};

TEST_P(UpdateCheck, AnswersFromSetGengxinOnly)
{
    const AnswerCase &c = GetParam();
    serve(c.softIni);
    const QString message = c.newVersion
        ? QStringLiteral("软件有新版本！ 请到 http://%1 下载新版本使用。。。").arg(site())
        : NoNewVersion;
    prompter.expectMessage(message, Prompter::Answer::Ok, Caption);
    const UpdateAnswer answer = checkForUpdate(prompter, runDir, site(), quick);
    EXPECT_EQ(answer.newVersion, c.newVersion);
    EXPECT_TRUE(answer.answered);
    // The local copy holds the answer's bytes, the error page included.
    QFile copy(updateFileCopy());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    if (c.softIni)
        EXPECT_EQ(copy.readAll(), QByteArray(c.softIni));
    else
        EXPECT_TRUE(copy.readAll().contains("404"));
}

INSTANTIATE_TEST_SUITE_P(Update, UpdateCheck, testing::ValuesIn(AnswerCases),
                         [](const auto &info) { return std::string(info.param.name); });

class UpdateCheckRuns : public UpdateCheck
{
};

TEST_F(UpdateCheckRuns, EachCheckReplacesTheCopyAndAnUnreachableServerMeansNoNews)
{
    serve("[set]\r\ngengxin=1\r\n");
    prompter.expectMessage(QStringLiteral("软件有新版本！ 请到 http://%1 下载新版本使用。。。").arg(site()));
    EXPECT_TRUE(checkForUpdate(prompter, runDir, site(), quick).newVersion);

    serve("[set]\r\ngengxin=0\r\n");
    prompter.expectMessage(NoNewVersion);
    EXPECT_FALSE(checkForUpdate(prompter, runDir, site(), quick).newVersion);

    // Nothing came back: the copy is emptied and the answer is "no news".
    prompter.expectMessage(NoNewVersion, Prompter::Answer::Ok, Caption);
    const UpdateAnswer unreachable =
        checkForUpdate(prompter, runDir, QStringLiteral("127.0.0.1:%1").arg(test::closedPort()), quick);
    EXPECT_FALSE(unreachable.newVersion);
    EXPECT_FALSE(unreachable.answered);
    EXPECT_EQ(QFileInfo(updateFileCopy()).size(), 0);
}

TEST_F(UpdateCheckRuns, TheServerComesFromTheSettingsFile)
{
    EXPECT_EQ(updateServer(runDir), QStringLiteral("update.tamsel.example"));
    test::writeGbkFile(runDir.filePath(QStringLiteral("Set.ini")),
                       QStringLiteral("[biaoti]\nbiaoti1=笔录\n[gengxin]\nserver= %1 \n").arg(site()));
    EXPECT_EQ(updateServer(runDir), site());
    serve("[set]\r\ngengxin=1\r\n");
    prompter.expectMessage(QStringLiteral("软件有新版本！ 请到 http://%1 下载新版本使用。。。").arg(site()));
    EXPECT_TRUE(checkForUpdate(prompter, runDir, QString(), quick).newVersion);
}

} // namespace

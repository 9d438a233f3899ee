#include "atomic_file.h"
#include "carried_text.h"
#include "fake_form.h"
#include "file_size_limit.h"
#include "gbk.h"
#include "law_texts.h"
#include "memory_prompter.h"
#include "library_commands.h"
#include "record_fields.h"
#include "run_directory.h"
#include "scripted_prompter.h"
#include "temp_home.h"
#include "text_viewer.h"
#include "url_catcher.h"
#include "web_links.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace tamsel::test {

namespace {

const QString Viewer = QStringLiteral("超级编辑框1");

class TextsTest : public testing::Test
{
protected:
    TextsTest() : runDir(home.makeRunDir()) {}

    void run(const QString &item)
    {
        for (const MenuCommand &command : libraryCommands(form, prompter, runDir)) {
            if (command.item == item) {
                command.run();
                return;
            }
        }
        ADD_FAILURE() << "no command " << item.toStdString();
    }

    QString firstLineWithText(const QByteArray &bytes)
    {
        for (const QString &line : gbk::decode(bytes).split(QStringLiteral("\r\n"))) {
            const QString bare = line.trimmed().remove(QChar(0x3000));
            if (!bare.isEmpty())
                return bare;
        }
        return {};
    }

    TempHome home;
    RunDirectory runDir;
    FakeForm form;
    ScriptedPrompter prompter;
};

TEST_F(TextsTest, everyItemWritesItsFileAndTheViewerShowsIt)
{
    ASSERT_EQ(lawTexts().size(), 20u);
    for (const LawText &text : lawTexts()) {
        const QByteArray carried = carriedText(text.fileName);
        ASSERT_GT(carried.size(), 500) << text.fileName.toStdString() << " is carried";
        EXPECT_FALSE(carried.contains('\0'));
        EXPECT_FALSE(carried.contains("\n") && carried.count("\n") != carried.count("\r\n")) << "CR LF lines";
        EXPECT_FALSE(firstLineWithText(carried).isEmpty());
        form.setVisible(Viewer, false);
        run(text.menuText);
        const QString path = QDir(userCacheFolder()).filePath(text.fileName);
        EXPECT_EQ(form.text(scratch::ViewerFile), path);
        EXPECT_EQ(readFileBytes(path), carried) << text.fileName.toStdString();
        EXPECT_EQ(form.text(Viewer), gbk::decode(carried)) << text.fileName.toStdString();
        EXPECT_TRUE(form.isVisible(Viewer));
        EXPECT_TRUE(form.isVisible(QStringLiteral("按钮6")));
        EXPECT_EQ(form.geometry(Viewer), QRect(1, 64, 1017, 506));
    }
    EXPECT_TRUE(form.text(Viewer).contains(QStringLiteral("监察笔录制作过程"))) << "the guide is the last item";
}

TEST_F(TextsTest, theLargestTextIsShownWhole)
{
    run(QStringLiteral("劳动合同法200问"));
    const QString shown = form.text(Viewer);
    EXPECT_GT(gbk::byteLength(shown), 60000);
    EXPECT_TRUE(shown.contains(QStringLiteral("1．问：")));
    EXPECT_TRUE(shown.contains(QStringLiteral("200．问：")));
}

TEST_F(TextsTest, theBureausOwnTextReplacesTheCarriedOne)
{
    QDir(runDir.path()).mkpath(QStringLiteral("法律法规"));
    writeGbkFile(runDir.filePath(QStringLiteral("法律法规/最低工资标准.txt")), QStringLiteral("本省最低工资标准\n一类地区 2200元\n"));
    run(QStringLiteral("最低工资标准"));
    EXPECT_EQ(form.text(Viewer), QStringLiteral("本省最低工资标准\r\n一类地区 2200元\r\n"));
    run(QStringLiteral("最新劳动法"));
    EXPECT_EQ(form.text(Viewer), gbk::decode(carriedText(QStringLiteral("a.txt"))));
}

TEST_F(TextsTest, theStartUpRulesAreTheMenuItemsText)
{
    EXPECT_EQ(rulesOfProcedure(runDir), gbk::decode(carriedText(QStringLiteral("y.txt"))));
    QDir(runDir.path()).mkpath(QStringLiteral("法律法规"));
    writeGbkFile(runDir.filePath(QStringLiteral("法律法规/劳动监察办案程序规则.txt")), QStringLiteral("本局存放的完整文本\n"));
    EXPECT_EQ(rulesOfProcedure(runDir), QStringLiteral("本局存放的完整文本\r\n")) << "the bureau's copy shows at start-up too";
    run(QStringLiteral("劳动监察办案程序规则"));
    EXPECT_EQ(form.text(Viewer), rulesOfProcedure(runDir));
}

TEST_F(TextsTest, aFailedWriteIsReportedAndTheViewerKeepsWhatItShowed)
{
    run(QStringLiteral("劳动监察办案时效"));
    const QString shownBefore = form.text(Viewer);
    const QString fileBefore = form.text(scratch::ViewerFile);
    MemoryPrompter failing;
    {
        FileSizeLimit full(256);
        for (const MenuCommand &command : libraryCommands(form, failing, runDir)) {
            if (command.item == QStringLiteral("最新劳动合同法"))
                command.run();
        }
    }
    ASSERT_EQ(failing.messages().size(), 1);
    EXPECT_TRUE(failing.messages().first().contains(QStringLiteral("b.txt"))) << failing.messages().first().toStdString();
    EXPECT_EQ(form.text(Viewer), shownBefore);
    EXPECT_EQ(form.text(scratch::ViewerFile), fileBefore) << "print would take the text still shown";
}

TEST_F(TextsTest, helpFilesComeFromTheRunDirectory)
{
    run(QStringLiteral("软件帮助"));
    EXPECT_EQ(form.text(Viewer), QString()) << "a missing file shows an empty viewer";
    EXPECT_TRUE(form.isVisible(Viewer));
    EXPECT_EQ(form.text(scratch::ViewerFile), runDir.filePath(QStringLiteral("帮助.txt")));

    writeGbkFile(runDir.filePath(QStringLiteral("市镇县乡村劳动保障监察员联系方式.txt")), QStringLiteral("序号 姓名\n1 张三"));
    run(QStringLiteral("市/镇/县/乡/村 劳动保障监察员联系方式"));
    EXPECT_EQ(form.text(Viewer), QStringLiteral("序号 姓名\r\n1 张三"));
}

TEST_F(TextsTest, eachWebItemOpensExactlyItsAddress)
{
    UrlCatcher catcher;
    QStringList expected;
    for (const auto links : {provinceLinks(), downloadLinks()}) {
        for (const WebLink &link : links) {
            run(link.menuText);
            expected << link.url;
        }
    }
    writeGbkFile(runDir.settingsFile(), QStringLiteral("[wangzhi]\nzhuye=http://bureau.example/\n"));
    run(QStringLiteral("官方网站"));
    expected << QStringLiteral("http://bureau.example/");
    EXPECT_EQ(provinceLinks().size(), 23u);
    EXPECT_EQ(catcher.opened, expected);
    EXPECT_EQ(QSet<QString>(expected.begin(), expected.end()).size(), expected.size()) << "every address its own";
}

TEST_F(TextsTest, contactBoxChangesNothing)
{
    prompter.expectMessage(authorContactText(), Prompter::Answer::Ok, QStringLiteral("作者信息："));
    run(QStringLiteral("联系作者"));
    EXPECT_FALSE(form.isWindowShown());
}

} // namespace
} // namespace tamsel::test

#include "atomic_file.h"
#include "file_size_limit.h"
#include "memory_prompter.h"
#include "native_document_session.h"
#include "page_renderer.h"
#include "record_document.h"
#include "record_fixture.h"
#include "record_output.h"
#include "record_template.h"
#include "scripted_prompter.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace tamsel::test {
namespace {

const QString Tip = QStringLiteral("提 示：");
const QString Overwrite = QStringLiteral(" 文件以经存在，是否覆盖老文件？ ");
const QString Preview = QStringLiteral(" 是 否 对 此 笔 录 文 件 进 行 预 览？ ");
const QString PrintQuestion = QStringLiteral(" 是/否 打 印 当 前 笔 录 内 容 ？ \r\n");

class OutputTest : public testing::Test, public RecordFixture
{
protected:
    OutputTest()
        : session(doc::NativeDocumentSession::Services{
              [this](const doc::Document &d) {
                  ++printed;
                  printedDocument = d;
                  return printFailure.isEmpty() ? Status::success() : Status::failure(printFailure);
              },
              nullptr, nullptr})
    {
        fillPairs(1, 2);
        output.findOffice = [this] { return office; };
        output.showInOffice = [this](const doc::OfficeSuite &, const QString &path) {
            shown << path;
            return true;
        };
        output.printWithOffice = [this](const doc::OfficeSuite &, const QString &path) {
            officePrinted << path;
            return Status::success();
        };
        output.print = [this](const doc::Document &d) {
            ++printed;
            printedDocument = d;
            return printFailure.isEmpty() ? Status::success() : Status::failure(printFailure);
        };
    }

    QString status() const { return form.text(scratch::StatusMessage); }
    QString savedStatus() const
    {
        return QStringLiteral("笔录WORD文件以经保存在 <") + runDir.path() + QStringLiteral("/BL/目录中> ");
    }
    QString docPath() const { return bl(QStringLiteral("2024.12.5-宏达建筑公司-张三.doc")); }
    QString iniPath() const { return bl(QStringLiteral("2024.12.5-宏达建筑公司-张三.ini")); }
    static doc::OfficeSuite someOffice()
    {
        doc::OfficeSuite suite;
        suite.kind = doc::OfficeSuite::Kind::LibreOffice;
        suite.writer = QStringLiteral("/usr/bin/soffice");
        return suite;
    }

    ScriptedPrompter prompter;
    doc::NativeDocumentSession session;
    int lineCounter = 0;
    RecordOutput output{form, prompter, runDir, session, lineCounter};
    doc::OfficeSuite office;
    QStringList shown, officePrinted;
    int printed = 0;
    doc::Document printedDocument;
    QString printFailure;
};

TEST_F(OutputTest, savingWritesTheDocumentAndItsTemplateWithNoOfficeProgram)
{
    prompter.expectMessage(Preview, Prompter::Answer::No, Tip);
    EXPECT_TRUE(saveRecord(output));
    EXPECT_TRUE(readFileBytes(docPath()).startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
    EXPECT_EQ(RecordTemplate::load(iniPath()).value().value(QStringLiteral("num10")), QStringLiteral("张三"));
    EXPECT_EQ(status(), savedStatus());
}

TEST_F(OutputTest, theChecksComeFirstInTheirOrder)
{
    set("WorkUnit", QString());
    set("EndMinute", QString());
    prompter.expectMessage(QStringLiteral(" 笔录没有录入完成，工作单位等资料都没有添写. "), Prompter::Answer::Ok, Tip);
    EXPECT_FALSE(saveRecord(output));
    EXPECT_EQ(status(), savedStatus());

    set("WorkUnit", QStringLiteral("宏达建筑公司"));
    form.setText(scratch::StatusMessage, QString());
    prompter.expectMessage(QStringLiteral(" 笔录结束时间没有添写！ "), Prompter::Answer::Ok, Tip);
    EXPECT_FALSE(saveRecord(output));
    EXPECT_EQ(status(), savedStatus());
    EXPECT_FALSE(QFileInfo::exists(runDir.recordFolder())) << "nothing composed or written";
}

TEST_F(OutputTest, declinedOverwriteLeavesBothOldFilesByteForByte)
{
    prompter.expectMessage(Preview, Prompter::Answer::No);
    saveRecord(output);
    const QByteArray oldDoc = readFileBytes(docPath());
    const QByteArray oldIni = readFileBytes(iniPath());
    fillPairs(3, 4);

    prompter.expectMessage(Overwrite, Prompter::Answer::No, Tip);
    prompter.expectMessage(Preview, Prompter::Answer::No);
    EXPECT_FALSE(saveRecord(output)) << "the record on screen is not the one kept";
    EXPECT_EQ(readFileBytes(docPath()), oldDoc);
    EXPECT_EQ(readFileBytes(iniPath()), oldIni);

    prompter.expectMessage(Overwrite, Prompter::Answer::Yes, Tip);
    prompter.expectMessage(Preview, Prompter::Answer::No);
    EXPECT_TRUE(saveRecord(output));
    EXPECT_NE(readFileBytes(docPath()), oldDoc);
    EXPECT_EQ(RecordTemplate::load(iniPath()).value().value(QStringLiteral("num29")), QStringLiteral("问：第4问？"));
}

TEST_F(OutputTest, previewOpensTheDocumentAsOneArgumentOrSaysThereIsNoOffice)
{
    prompter.expectMessage(Preview, Prompter::Answer::Yes);
    prompter.expectMessage(QStringLiteral("电 脑 没 有 安 装 WORD 办 公 软 件."), Prompter::Answer::Ok,
                           QStringLiteral("无法预览笔录："));
    saveRecord(output);
    EXPECT_TRUE(shown.isEmpty());

    office = someOffice();
    prompter.expectMessage(Overwrite, Prompter::Answer::Yes);
    prompter.expectMessage(Preview, Prompter::Answer::Yes);
    saveRecord(output);
    EXPECT_EQ(shown, QStringList{docPath()});
}

TEST_F(OutputTest, aWriteThatFailsIsReportedAndClaimsNothing)
{
    prompter.expectMessage(Preview, Prompter::Answer::No);
    saveRecord(output);
    const QByteArray oldDoc = readFileBytes(docPath());
    const QByteArray oldIni = readFileBytes(iniPath());
    form.setText(scratch::StatusMessage, QStringLiteral("之前的状态"));
    fillPairs(3, 24);

    MemoryPrompter failing;
    RecordOutput out{form, failing, runDir, session, lineCounter};
    {
        FileSizeLimit full(4096);
        // The overwrite question is answered No by this prompter; answer Yes.
        struct YesPrompter : MemoryPrompter
        {
            Answer message(const QString &text, const QString &caption, Buttons buttons) override
            {
                MemoryPrompter::message(text, caption, buttons);
                return text == Overwrite ? Answer::Yes : Answer::No;
            }
        } yes;
        RecordOutput answering{form, yes, runDir, session, lineCounter};
        EXPECT_FALSE(saveRecord(answering));
        ASSERT_EQ(yes.messages().size(), 2);
        EXPECT_TRUE(yes.messages().last().contains(QStringLiteral(".doc"))) << yes.messages().last().toStdString();
    }
    EXPECT_EQ(readFileBytes(docPath()), oldDoc);
    EXPECT_EQ(readFileBytes(iniPath()), oldIni);
    EXPECT_EQ(status(), QStringLiteral("之前的状态"));
}

TEST_F(OutputTest, printingTheCurrentRecordUsesOurRendererAndRewritesTheTemplate)
{
    prompter.expectMessage(PrintQuestion, Prompter::Answer::Yes, QStringLiteral("打印提示："));
    printRecord(output);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(status(), QStringLiteral("打 印 成 功！"));
    EXPECT_TRUE(QFileInfo::exists(iniPath()));
    EXPECT_FALSE(QFileInfo::exists(docPath())) << "printing saves no document";

    printFailure = QStringLiteral("无法打印：没有打印机");
    form.setText(scratch::StatusMessage, QString());
    prompter.expectMessage(PrintQuestion, Prompter::Answer::Yes);
    prompter.expectMessage(printFailure, Prompter::Answer::Ok, QStringLiteral("无法打印："));
    printRecord(output);
    EXPECT_EQ(status(), QString()) << "a failed print is not claimed";
}

TEST_F(OutputTest, printingTheCurrentRecordChecksItFirst)
{
    set("EndHour", QString());
    prompter.expectMessage(PrintQuestion, Prompter::Answer::Yes);
    prompter.expectMessage(QStringLiteral(" 笔录结束时间没有添写！ "), Prompter::Answer::Ok, Tip);
    printRecord(output);
    set("WorkUnit", QString());
    prompter.expectMessage(PrintQuestion, Prompter::Answer::Yes);
    prompter.expectMessage(QStringLiteral("笔录没有录入完成，工作单位等资料没有添写."), Prompter::Answer::Ok, Tip);
    printRecord(output);
    EXPECT_EQ(printed, 0);
}

TEST_F(OutputTest, printingAChosenFileGoesThroughTheOfficeProgram)
{
    const struct
    {
        QString path;
        bool passes;
    } cases[] = {{QStringLiteral("/records/REC.DOC"), false},
                 {QStringLiteral("/home/x/docs/notes.txt"), true},
                 {QStringLiteral("/home/x/BL/a.doc"), true}};
    office = someOffice();
    for (const auto &c : cases) {
        prompter.expectMessage(PrintQuestion, Prompter::Answer::No);
        prompter.expectFileChoice(c.path);
        if (!c.passes)
            prompter.expectMessage(QStringLiteral("打印笔录文档选择的不匹配 (要选doc文档).   请重新再选。"),
                                   Prompter::Answer::Ok, Tip);
        printRecord(output);
        EXPECT_EQ(form.text(scratch::ChosenFile), c.path);
        EXPECT_EQ(officePrinted.contains(c.path), c.passes) << c.path.toStdString();
    }
    EXPECT_EQ(status(), QStringLiteral("打印笔录成功... "));

    prompter.expectMessage(PrintQuestion, Prompter::Answer::No);
    prompter.expectFileChoice(QString());
    prompter.expectMessage(QStringLiteral("没有选择正确的笔录文件！笔录WORD文件保存在 <") + runDir.recordFolder()
                               + QStringLiteral("/> 目录中。"),
                           Prompter::Answer::Ok, QStringLiteral("错误："));
    printRecord(output);

    office = {};
    prompter.expectMessage(PrintQuestion, Prompter::Answer::No);
    prompter.expectFileChoice(QStringLiteral("/home/x/BL/b.doc"));
    prompter.expectMessage(QStringLiteral("电 脑 没 有 安 装 WORD 办 公 软 件."), Prompter::Answer::Ok,
                           QStringLiteral("无法打印："));
    printRecord(output);
}

TEST_F(OutputTest, theViewersPrintButtonPrintsTheFileOnShow)
{
    prompter.expectMessage(QStringLiteral("没有可打印的文件：请先从“法律法规”或“帮助”菜单打开要打印的文本。"),
                           Prompter::Answer::Ok, QStringLiteral("无 法 打 印："));
    printViewedText(output);
    EXPECT_EQ(printed, 0);

    const QString file = runDir.filePath(QStringLiteral("a.txt"));
    writeGbkFile(file, QStringLiteral("中华人民共和国劳动法\n第一条　为了保护劳动者的合法权益"));
    form.setText(scratch::ViewerFile, file);
    printViewedText(output);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(form.statusText(), QStringLiteral("打印成功..."));
    const auto *first = std::get_if<doc::Paragraph>(&printedDocument.body.front());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->runs.front().text, QStringLiteral("中华人民共和国劳动法"));
}

} // namespace
} // namespace tamsel::test

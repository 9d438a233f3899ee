// The "监察文书" commands (write the form, print it through our renderer or
// show it in the office suite), the "工具" programs, and the export commands
// of tamsel-cli.
#include "atomic_file.h"
#include "doc_writer.h"
#include "fake_form.h"
#include "file_size_limit.h"
#include "form_catalogue.h"
#include "form_commands.h"
#include "form_description.h"
#include "form_documents.h"
#include "law_texts.h"
#include "memory_prompter.h"
#include "page_renderer.h"
#include "run_directory.h"
#include "scripted_prompter.h"
#include "temp_home.h"
#include "tool_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tamsel::test {

namespace {

const QString Ask = QStringLiteral("是否直接打印此监察文书？");
const QString Notice = QStringLiteral("提 示：");
const QString NoWord = QStringLiteral("电 脑 没 有 安 装 WORD 办 公 软 件.");
const QString Printed = QStringLiteral("打印监察文书成功...");

const FormEntry &entryNamed(const QString &menuText)
{
    for (const FormEntry &entry : formCatalogue()) {
        if (QString::fromUtf16(entry.menuText) == menuText)
            return entry;
    }
    throw std::invalid_argument("no such form");
}

// What the outside world was asked to do.
struct Effects
{
    QStringList printedTitles;
    QStringList shownFiles;
    Status printResult = Status::success();
    doc::OfficeSuite office;
};

class FormCommandsTest : public testing::Test
{
protected:
    FormCommandsTest()
    {
        services.print = [this](const doc::Document &document) {
            effects.printedTitles << formTitle(document);
            return effects.printResult;
        };
        services.findOffice = [this] { return effects.office; };
        services.showInOffice = [this](const doc::OfficeSuite &suite, const QString &path) {
            EXPECT_TRUE(suite.found());
            effects.shownFiles << path;
            return true;
        };
        form.setStatusText(QStringLiteral("状态"));
    }

    void choose(const QString &menuText)
    {
        for (const MenuCommand &command : formCommands(form, prompter, services)) {
            if (command.item == menuText) {
                command.run();
                return;
            }
        }
        ADD_FAILURE() << "no command " << menuText.toStdString();
    }

    TempHome home;
    FakeForm form;
    ScriptedPrompter prompter;
    FormServices services;
    Effects effects;
};

TEST_F(FormCommandsTest, everyMenuItemHasItsCommandAndPrintsTheCarriedForm)
{
    const MenuCommands commands = formCommands(form, prompter, services);
    ASSERT_EQ(commands.size(), formCatalogue().size());
    for (size_t i = 0; i < commands.size(); ++i) {
        const FormEntry &entry = formCatalogue()[i];
        EXPECT_EQ(commands[i].item, QString::fromUtf16(entry.menuText));
        // The page printed is laid out from the same model the carried bytes were written from.
        const Result<doc::Document> document = carriedFormDocument(entry.number);
        ASSERT_TRUE(document) << document.message().toStdString();
        EXPECT_EQ(doc::docBytes(document.value()), carriedForm(entry.number)) << entry.number;
    }
    EXPECT_FALSE(carriedFormDocument(28)) << "no form 28";
}

// OK: the file holds exactly the carried bytes, the form goes to the printer
// (here our renderer's PDF) and the status bar says so; Cancel: the file goes
// to the office suite.
TEST_F(FormCommandsTest, okPrintsThroughOurRendererAndCancelShowsTheFileInTheOffice)
{
    QTemporaryDir pdfs;
    services.print = [&](const doc::Document &document) {
        effects.printedTitles << formTitle(document);
        return doc::renderPdf(document, pdfs.filePath(QStringLiteral("%1.pdf").arg(effects.printedTitles.size())));
    };
    effects.office = {doc::OfficeSuite::Kind::LibreOffice, QStringLiteral("/opt/office/soffice"),
                      QStringLiteral("/opt/office/soffice")};
    struct Case
    {
        const char16_t *menuText;
        const char *fileName;
        const char16_t *title;
    };
    const Case cases[] = {
        {u"举报登记表", "ws4.doc", u"劳动保障监察举报登记表"},
        {u"涉嫌犯罪案件移送审批表", "ws25.doc", u"涉嫌犯罪案件移送审批表"},
        {u"监察文书大全", "ws27.doc", u"监察文书大全"},
    };
    for (const Case &c : cases) {
        const QString menuText = QString::fromUtf16(c.menuText);
        const QString path = QDir(userCacheFolder()).filePath(QString::fromLatin1(c.fileName));
        SCOPED_TRACE(menuText.toStdString());
        const QByteArray carried = carriedForm(entryNamed(menuText).number);
        ASSERT_TRUE(carried.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
        ASSERT_EQ(carried.size() % 512, 0);

        form.setStatusText(QStringLiteral("状态"));
        prompter.expectMessage(Ask, Prompter::Answer::Ok, Notice);
        choose(menuText);
        EXPECT_EQ(readFileBytes(path), carried);
        EXPECT_EQ(form.statusText(), Printed);
        ASSERT_FALSE(effects.printedTitles.isEmpty());
        EXPECT_EQ(effects.printedTitles.last(), QString::fromUtf16(c.title));
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {pdfs.filePath(QStringLiteral("%1.pdf").arg(effects.printedTitles.size())), QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(60000));
        // The PDF's fonts map some characters to their Kangxi radical forms (⽂ for 文).
        const QString printedText = QString::fromUtf8(text.readAllStandardOutput())
                                        .normalized(QString::NormalizationForm_KC)
                                        .remove(QLatin1Char(' '));
        EXPECT_TRUE(printedText.contains(QString::fromUtf16(c.title))) << printedText.left(300).toStdString();

        // Cancel: the same file, written again, goes to the office suite; the status bar is left alone.
        QFile::remove(path);
        form.setStatusText(QStringLiteral("状态"));
        prompter.expectMessage(Ask, Prompter::Answer::Cancel, Notice);
        choose(menuText);
        EXPECT_EQ(readFileBytes(path), carried);
        EXPECT_EQ(effects.shownFiles, QStringList{path});
        EXPECT_EQ(form.statusText(), QStringLiteral("状态"));
        effects.shownFiles.clear();
    }
    EXPECT_EQ(effects.printedTitles.size(), 3);
}

TEST_F(FormCommandsTest, failuresAreReportedNeverClaimed)
{
    // No printer: the renderer's reason is shown and the status bar claims nothing.
    effects.printResult = Status::failure(QStringLiteral("无法打印：系统没有配置打印机"));
    prompter.expectMessage(Ask, Prompter::Answer::Ok, Notice);
    prompter.expectMessage(QStringLiteral("无法打印：系统没有配置打印机"), Prompter::Answer::Ok,
                           QStringLiteral("无 法 打 印："));
    choose(QStringLiteral("询问通知书"));
    EXPECT_EQ(form.statusText(), QStringLiteral("状态"));

    // No office suite: the message, nothing shown.
    effects.office = {};
    prompter.expectMessage(Ask, Prompter::Answer::Cancel, Notice);
    prompter.expectMessage(NoWord, Prompter::Answer::Ok, QStringLiteral("无 法 打 开 文 档："));
    choose(QStringLiteral("询问通知书"));
    EXPECT_TRUE(effects.shownFiles.isEmpty());

    // An office suite that cannot start: said so, not taken for shown.
    effects.office = {doc::OfficeSuite::Kind::LibreOffice, QStringLiteral("/nowhere/soffice"),
                      QStringLiteral("/nowhere/soffice")};
    services.showInOffice = doc::showInOffice;
    MemoryPrompter cancelling;
    formCommands(form, cancelling, services)[3].run();
    ASSERT_EQ(cancelling.messages().size(), 2);
    EXPECT_TRUE(cancelling.messages().last().contains(QStringLiteral("/nowhere/soffice")))
        << cancelling.messages().last().toStdString();
}

// A write that fails (a full disk) is reported naming the file, and the older
// copy at the target is neither printed nor shown as the one chosen.
TEST_F(FormCommandsTest, aFailedWriteIsReportedAndNothingElseHappens)
{
    const QString path = QDir(userCacheFolder()).filePath(QStringLiteral("ws5.doc"));
    QDir().mkpath(userCacheFolder());
    ASSERT_TRUE(writeFileAtomically(path, "older copy"));
    effects.office = {doc::OfficeSuite::Kind::LibreOffice, QStringLiteral("/opt/office/soffice"),
                      QStringLiteral("/opt/office/soffice")};
    MemoryPrompter failing;
    {
        FileSizeLimit full(1024);
        formCommands(form, failing, services)[5].run(); // "投诉登记表"
    }
    ASSERT_EQ(failing.messages().size(), 1) << "no question after the failure";
    EXPECT_TRUE(failing.messages().first().contains(QStringLiteral("ws5.doc"))) << failing.messages().first().toStdString();
    EXPECT_EQ(readFileBytes(path), QByteArray("older copy"));
    EXPECT_TRUE(effects.printedTitles.isEmpty());
    EXPECT_TRUE(effects.shownFiles.isEmpty());
    EXPECT_EQ(form.statusText(), QStringLiteral("状态"));
}

// A folder of fake programs: each file is an executable script.
class ProgramFolder
{
public:
    void add(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        ASSERT_TRUE(writeFileAtomically(path, "#!/bin/sh\nexit 0\n"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

TEST(ToolCommands, eachToolStartsTheFirstInstalledProgramOrSaysWhatIsMissing)
{
    struct Started
    {
        QStringList programs;
        QStringList office;
    } started;
    auto servicesFor = [&started](const QStringList &searchPath) {
        ToolServices services;
        services.searchPath = searchPath;
        services.start = [&started](const QString &program) {
            started.programs << program;
            return true;
        };
        services.startWriter = [&started](const doc::OfficeSuite &suite) {
            started.office << suite.writer;
            return true;
        };
        services.startSpreadsheet = [&started](const doc::OfficeSuite &suite) {
            started.office << suite.spreadsheet;
            return true;
        };
        return services;
    };
    auto run = [](const MenuCommands &commands, const QString &item) {
        for (const MenuCommand &command : commands) {
            if (command.item == item)
                return command.run();
        }
        ADD_FAILURE() << "no tool " << item.toStdString();
    };

    // Nothing installed: every tool says so, and nothing starts.
    MemoryPrompter nothing;
    const MenuCommands none = toolCommands(nothing, servicesFor({}));
    ASSERT_EQ(none.size(), 4u);
    for (const MenuCommand &command : none)
        command.run();
    ASSERT_EQ(nothing.messages().size(), 4);
    EXPECT_TRUE(nothing.messages()[0].contains(QStringLiteral("gnome-calculator")));
    EXPECT_TRUE(nothing.messages()[0].contains(QStringLiteral("xcalc")));
    EXPECT_TRUE(nothing.messages()[1].contains(QStringLiteral("gedit")));
    EXPECT_TRUE(nothing.messages()[1].contains(QStringLiteral("leafpad")));
    EXPECT_EQ(nothing.messages()[2], NoWord);
    EXPECT_EQ(nothing.messages()[3], QStringLiteral("电 脑 没 有 安 装 ExceL 办 公 软 件."));
    EXPECT_TRUE(started.programs.isEmpty());
    EXPECT_TRUE(started.office.isEmpty());

    ScriptedPrompter captions;
    captions.expectMessage(NoWord, Prompter::Answer::Ok, QStringLiteral("无 法 打 印："));
    run(toolCommands(captions, servicesFor({})), QStringLiteral("Word文档"));

    // The earlier of two installed programs is preferred, whatever the folder order.
    ProgramFolder first, second;
    first.add(QStringLiteral("xcalc"));
    first.add(QStringLiteral("leafpad"));
    second.add(QStringLiteral("kcalc"));
    second.add(QStringLiteral("soffice"));
    ScriptedPrompter quiet;
    const MenuCommands installed = toolCommands(quiet, servicesFor({first.path(), second.path()}));
    run(installed, QStringLiteral("计算器"));
    run(installed, QStringLiteral("文本文档"));
    run(installed, QStringLiteral("Word文档"));
    run(installed, QStringLiteral("Excel文档"));
    EXPECT_EQ(started.programs, (QStringList{second.filePath(QStringLiteral("kcalc")), first.filePath(QStringLiteral("leafpad"))}));
    EXPECT_EQ(started.office, (QStringList{second.filePath(QStringLiteral("soffice")), second.filePath(QStringLiteral("soffice"))}));

    // A writer without a spreadsheet: Word starts, Excel is missing.
    ProgramFolder wpsOnly;
    wpsOnly.add(QStringLiteral("wps"));
    started = {};
    ScriptedPrompter noExcel;
    noExcel.expectMessage(QStringLiteral("电 脑 没 有 安 装 ExceL 办 公 软 件."), Prompter::Answer::Ok,
                          QStringLiteral("无 法 打 印："));
    const MenuCommands wps = toolCommands(noExcel, servicesFor({wpsOnly.path()}));
    run(wps, QStringLiteral("Word文档"));
    run(wps, QStringLiteral("Excel文档"));
    EXPECT_EQ(started.office, QStringList{wpsOnly.filePath(QStringLiteral("wps"))});
}

#ifdef TAMSEL_CLI
// tamsel-cli writes every carried form and text under its name, and fails
// plainly when the folder cannot be made.
TEST(ExportCommands, cliWritesEveryFormAndText)
{
    TempHome home;
    const QString cli = QStringLiteral(TAMSEL_CLI);
    ASSERT_TRUE(QFileInfo(cli).isExecutable()) << cli.toStdString();
    QTemporaryDir out;
    struct Case
    {
        const char *command;
        QStringList files;
        std::function<QByteArray(int)> carried;
    };
    QStringList formFiles, textFiles;
    for (const FormEntry &entry : formCatalogue())
        formFiles << formFileName(entry.number);
    for (const LawText &text : lawTexts())
        textFiles << text.fileName;
    const RunDirectory runDir(home.makeRunDir());
    const Case cases[] = {
        {"export-forms", formFiles, [](int i) { return carriedForm(formCatalogue()[i].number); }},
        {"export-texts", textFiles, [&runDir](int i) { return lawTextBytes(lawTexts()[i], runDir); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        const QString folder = out.filePath(QString::fromLatin1(c.command) + QStringLiteral("/new"));
        QStringList arguments{QString::fromLatin1(c.command), folder};
        if (QByteArray(c.command) == "export-texts")
            arguments << QStringLiteral("--run-dir") << runDir.path();
        QProcess process;
        process.start(cli, arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        const QStringList printed = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(printed.size(), c.files.size());
        for (qsizetype i = 0; i < c.files.size(); ++i) {
            EXPECT_EQ(printed[i], QDir(folder).filePath(c.files[i]));
            const QByteArray expected = c.carried(int(i));
            EXPECT_FALSE(expected.isEmpty());
            EXPECT_EQ(readFileBytes(printed[i]), expected) << c.files[i].toStdString();
        }

        // A file where the folder should be: non-zero exit, a message, nothing claimed.
        const QString blocked = out.filePath(QString::fromLatin1(c.command) + QStringLiteral("-file"));
        ASSERT_TRUE(writeFileAtomically(blocked, "x"));
        QProcess failing;
        failing.start(cli, {QString::fromLatin1(c.command), blocked});
        ASSERT_TRUE(failing.waitForFinished(60000));
        EXPECT_NE(failing.exitCode(), 0);
        EXPECT_TRUE(failing.readAllStandardOutput().isEmpty());
        EXPECT_FALSE(failing.readAllStandardError().isEmpty());
    }
}
#endif

} // namespace

} // namespace tamsel::test

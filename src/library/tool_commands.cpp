#include "tool_commands.h"

#include "program_runner.h"
#include "prompter.h"

#include <QDir>
#include <QStandardPaths>

namespace tamsel {

namespace {

const QString Notice = QStringLiteral("提 示：");

// Starts the first installed of `programs`, or says which were looked for.
void startFirstInstalled(Prompter &prompter, const ToolServices &services, const QStringList &programs,
                         const QString &what)
{
    const QString program = findFirstProgram(programs, services.searchPath);
    if (program.isEmpty()) {
        prompter.inform(QStringLiteral("电脑上没有安装%1程序（查找了 %2）。").arg(what, programs.join(QStringLiteral("、"))),
                        Notice);
        return;
    }
    if (!services.start(program))
        prompter.inform(QStringLiteral("%1 不能启动。").arg(program), Notice);
}

// The suite's writer or spreadsheet, or the tool's "not installed" message.
void startOffice(Prompter &prompter, const ToolServices &services, bool spreadsheet)
{
    const QString caption = QStringLiteral("无 法 打 印：");
    const QString missing = spreadsheet ? QStringLiteral("电 脑 没 有 安 装 ExceL 办 公 软 件.")
                                        : QStringLiteral("电 脑 没 有 安 装 WORD 办 公 软 件.");
    // An empty search path finds nothing; findOfficeSuite() would take it for PATH.
    const doc::OfficeSuite suite =
        services.searchPath.isEmpty() ? doc::OfficeSuite{} : doc::findOfficeSuite(services.searchPath);
    const QString program = spreadsheet ? suite.spreadsheet : suite.writer;
    if (!suite.found() || program.isEmpty()) {
        prompter.inform(missing, caption);
        return;
    }
    const bool started = spreadsheet ? services.startSpreadsheet(suite) : services.startWriter(suite);
    if (!started)
        prompter.inform(QStringLiteral("%1 不能启动。").arg(program), Notice);
}

} // namespace

QStringList ToolServices::pathFolders()
{
    QStringList folders;
    for (const QString &folder : qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders << folder;
    return folders;
}

bool ToolServices::runTool(const QString &program)
{
    return runProgram(program);
}

const QStringList &calculatorPrograms()
{
    static const QStringList programs{QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                      QStringLiteral("galculator"),       QStringLiteral("qalculate-gtk"),
                                      QStringLiteral("mate-calc"),        QStringLiteral("xcalc")};
    return programs;
}

const QStringList &textEditorPrograms()
{
    static const QStringList programs{QStringLiteral("gedit"),    QStringLiteral("gnome-text-editor"),
                                      QStringLiteral("kate"),     QStringLiteral("kwrite"),
                                      QStringLiteral("mousepad"), QStringLiteral("pluma"),
                                      QStringLiteral("xed"),      QStringLiteral("featherpad"),
                                      QStringLiteral("leafpad")};
    return programs;
}

QString findFirstProgram(const QStringList &programs, const QStringList &searchPath)
{
    if (searchPath.isEmpty())
        return {};
    for (const QString &program : programs) {
        const QString path = QStandardPaths::findExecutable(program, searchPath);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

MenuCommands toolCommands(Prompter &prompter, const ToolServices &services)
{
    return {
        {QStringLiteral("计算器"),
         [&prompter, services] { startFirstInstalled(prompter, services, calculatorPrograms(), QStringLiteral("计算器")); }},
        {QStringLiteral("文本文档"),
         [&prompter, services] { startFirstInstalled(prompter, services, textEditorPrograms(), QStringLiteral("文本编辑")); }},
        {QStringLiteral("Word文档"), [&prompter, services] { startOffice(prompter, services, false); }},
        {QStringLiteral("Excel文档"), [&prompter, services] { startOffice(prompter, services, true); }},
    };
}

} // namespace tamsel

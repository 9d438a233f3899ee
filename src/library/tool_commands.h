#pragma once

#include "menu_command.h"
#include "office_programs.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tamsel {

class Prompter;

// Where the "工具" commands look for programs and how they start them.
// Replaceable for tests; the defaults are the folders of PATH and the real
// process start.
struct ToolServices
{
    // The folders searched, in order; empty means nothing is installed.
    QStringList searchPath = pathFolders();
    std::function<bool(const QString &program)> start = [](const QString &program) { return runTool(program); };
    std::function<bool(const doc::OfficeSuite &)> startWriter = doc::startOfficeWriter;
    std::function<bool(const doc::OfficeSuite &)> startSpreadsheet = doc::startOfficeSpreadsheet;

    // The folders of the PATH variable.
    static QStringList pathFolders();
    // Starts the program without arguments and without waiting for it.
    static bool runTool(const QString &program);
};

// The desktop calculators and text editors looked for, in order of preference.
const QStringList &calculatorPrograms();
const QStringList &textEditorPrograms();

// The full path of the first of `programs` found in `searchPath`; empty when none is.
QString findFirstProgram(const QStringList &programs, const QStringList &searchPath);

// "计算器", "文本文档", "Word文档" and "Excel文档" of the "工具" menu, in
// menu order. The services are copied; the prompter must outlive the commands.
MenuCommands toolCommands(Prompter &prompter, const ToolServices &services = {});

} // namespace tamsel

// update-check: "更新软件" without the window. Prints the message the
// officer would see; exits 1 when the update server gave no answer at all.
#include "cli_command.h"

#include "memory_prompter.h"
#include "run_directory.h"
#include "update_check.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace tamsel::cli {

int runUpdateCheck(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    const QCommandLineOption runDir(QStringLiteral("run-dir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption server(QStringLiteral("server"), QString(), QStringLiteral("HOST[:PORT]"));
    parser.addOptions({runDir, server});
    if (!parser.parse(QStringList{QStringLiteral("update-check")} + args) || !parser.positionalArguments().isEmpty()) {
        err << "usage: tamsel-cli update-check [--run-dir DIR] [--server HOST[:PORT]]\n";
        return 2;
    }

    const RunDirectory runDirectory =
        parser.isSet(runDir) ? RunDirectory(parser.value(runDir)) : RunDirectory::ofProgram();
    const QString site = parser.isSet(server) ? parser.value(server) : updateServer(runDirectory);
    MemoryPrompter prompter;
    const UpdateAnswer answer = checkForUpdate(prompter, runDirectory, site);
    out << answer.message << "\n";
    if (!answer.answered) {
        err << "no answer from http://" << site << "/soft.ini\n";
        return 1;
    }
    return 0;
}

} // namespace tamsel::cli

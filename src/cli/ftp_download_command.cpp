// ftp-download: "笔录下载" without the window, into the record folder of
// the run directory, through the same FtpExchange as the menu command.
#include "cli_command.h"
#include "ftp_report.h"

#include "background_task.h"
#include "ftp_exchange.h"
#include "memory_form.h"
#include "memory_prompter.h"
#include "run_directory.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace tamsel::cli {

int runFtpDownload(const QStringList &args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    const QCommandLineOption server(QStringLiteral("server"), QString(), QStringLiteral("HOST[:PORT]"));
    const QCommandLineOption user(QStringLiteral("user"), QString(), QStringLiteral("USER"));
    const QCommandLineOption name(QStringLiteral("name"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption runDir(QStringLiteral("run-dir"), QString(), QStringLiteral("DIR"));
    parser.addOptions({server, user, name, runDir});
    if (!parser.parse(QStringList{QStringLiteral("ftp-download")} + args) || !parser.positionalArguments().isEmpty()) {
        err << "usage: tamsel-cli ftp-download --server HOST[:PORT] --user USER --name NAME [--run-dir DIR]\n"
               "       (the password comes from TAMSEL_FTP_PASSWORD)\n";
        return 2;
    }

    MemoryForm form;
    setFtpFields(form, parser.value(server), parser.value(user), parser.value(name));
    MemoryPrompter prompter;
    WaitingTask task;
    const RunDirectory runDirectory =
        parser.isSet(runDir) ? RunDirectory(parser.value(runDir)) : RunDirectory::ofProgram();
    FtpExchange exchange(form, prompter, runDirectory, task);

    return reportFtpCommand(exchange.download(), prompter, form);
}

} // namespace tamsel::cli

// ftp-upload: "笔录上传" without the window. The panel's four fields come
// from the arguments and the environment, the file choice from FILE; the
// same FtpExchange as the menu command does the rest.
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

int runFtpUpload(const QStringList &args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    const QCommandLineOption server(QStringLiteral("server"), QString(), QStringLiteral("HOST[:PORT]"));
    const QCommandLineOption user(QStringLiteral("user"), QString(), QStringLiteral("USER"));
    const QCommandLineOption name(QStringLiteral("name"), QString(), QStringLiteral("NAME"));
    parser.addOptions({server, user, name});
    parser.addPositionalArgument(QStringLiteral("FILE"), QString());
    if (!parser.parse(QStringList{QStringLiteral("ftp-upload")} + args) || parser.positionalArguments().size() != 1) {
        err << "usage: tamsel-cli ftp-upload FILE --server HOST[:PORT] --user USER --name NAME\n"
               "       (the password comes from TAMSEL_FTP_PASSWORD)\n";
        return 2;
    }

    MemoryForm form;
    setFtpFields(form, parser.value(server), parser.value(user), parser.value(name));
    MemoryPrompter prompter(parser.positionalArguments().first());
    WaitingTask task;
    const RunDirectory runDirectory = RunDirectory::ofProgram();
    FtpExchange exchange(form, prompter, runDirectory, task);

    return reportFtpCommand(exchange.upload(), prompter, form);
}

} // namespace tamsel::cli

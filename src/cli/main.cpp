// tamsel-cli: the commands of the program that need no window, run through
// the same code as the window's menu commands.
#include "cli_command.h"
#include "commands.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstring>

#include <unistd.h>

int main(int argc, char **argv)
{
    // Rendering documents needs fonts, not a display: the companion runs on
    // the offscreen platform unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session (a service, a cron job) there is no runtime folder;
    // a private one keeps the output free of Qt's complaint about it.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/tamsel-runtime-") + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);

    const auto &commands = tamsel::cli::commands();
    if (!args.isEmpty()) {
        const QString name = args.takeFirst();
        for (const tamsel::cli::CliCommand &command : commands) {
            if (name == QLatin1String(command.name))
                return command.run(args);
        }
        err << "tamsel-cli: unknown command " << name << "\n";
    }
    err << "usage: tamsel-cli COMMAND [ARGS]\n";
    for (const tamsel::cli::CliCommand &command : commands)
        err << "  " << command.name << " " << command.usage << "\n";
    return 2;
}

// tamsel-cli: the commands of the program that need no window, run through
// the same code as the window's menu commands.
#include "cli_command.h"
#include "commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstring>

int main(int argc, char **argv)
{
    // The window's code paths may show widgets-free progress; the companion
    // runs without a display.
    QCoreApplication app(argc, argv);
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

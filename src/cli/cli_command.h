#pragma once

#include <QStringList>

namespace tamsel::cli {

// One subcommand of tamsel-cli. `run` gets the arguments after the command
// name and returns the process exit code; it prints its own output.
struct CliCommand
{
    const char *name;
    const char *usage;
    int (*run)(const QStringList &args);
};

} // namespace tamsel::cli

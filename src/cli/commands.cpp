#include "commands.h"

namespace tamsel::cli {

int runSettingsReport(const QStringList &args);

namespace {

constexpr CliCommand Commands[] = {
    {"settings-report", "[RUN_DIR]", runSettingsReport},
};

} // namespace

std::span<const CliCommand> commands()
{
    return Commands;
}

} // namespace tamsel::cli

#pragma once

#include "cli_command.h"

#include <span>

namespace tamsel::cli {

// Every subcommand, in the order the usage text lists them.
std::span<const CliCommand> commands();

} // namespace tamsel::cli

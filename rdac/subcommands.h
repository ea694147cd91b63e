#pragma once
// rdac's subcommands in the order its help lists them; a new command is one row.
#include <vector>

#include "rdac/command_line.h"

namespace rdac {

std::vector<Subcommand> rdacSubcommands();

}  // namespace rdac

#pragma once
// modeltool's help texts. The manual page and the shell completion are made from them, so they
// are laid out for both: a "Usage:" line, then "Commands:" with one command a line.
#include "Command.h"

namespace mm::tool {

// modeltool --help.
std::string ProgramHelp(const std::vector<TCommand>& commands);

// modeltool COMMAND --help: a usage line for each command given (the subcommands of a group).
std::string CommandHelp(const std::vector<const TCommand*>& commands);

} // namespace mm::tool

// The table of glyphgrab-cli's commands. A command that is not built yet has no handler
// and says so when called.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace glyphgrab::cli {

using CommandHandler = int (*)(const std::vector<std::string>& args, std::ostream& out,
                               std::ostream& err);

struct Command {
  const char* name;
  const char* synopsis;  // options and operands, for --help
  const char* summary;   // one line, for --help
  CommandHandler run;    // nullptr while the command is not built yet
};

std::span<const Command> Commands();

}  // namespace glyphgrab::cli

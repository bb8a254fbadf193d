// glyphgrab-cli: the engine's commands for scripts. The executable's main only forwards
// its arguments here, so tests run the whole command line in-process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace glyphgrab::cli {

// Exit statuses as grep uses them.
constexpr int kExitOk = 0;
constexpr int kExitNothingFound = 1;
constexpr int kExitError = 2;

// args excludes the program name. Output is UTF-8 with LF line ends.
int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace glyphgrab::cli

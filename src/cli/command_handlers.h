// The handlers of glyphgrab-cli's commands, one file each (cmd_<name>.cpp).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace glyphgrab::cli {

int RunInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunExtract(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunTree(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunIndex(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunKeys(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace glyphgrab::cli

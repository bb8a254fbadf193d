// What the commands of glyphgrab-cli share: option parsing and JSON text.
#pragma once

#include <initializer_list>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace glyphgrab::cli {

struct ParsedArgs {
  std::set<std::string> flags;                 // "--sort"
  std::map<std::string, std::string> values;   // "--types" -> "jww,txt"
  std::vector<std::string> operands;           // files, folders, keywords
  bool Has(std::string_view flag) const { return flags.count(std::string(flag)) > 0; }
};

// Options first or anywhere; "--" ends them; "-" alone is an operand. `valued` options
// take the next argument ("--types LIST") or "=LIST". False with `error` set (one line,
// without the program name) for an unknown option or a missing value.
bool ParseArgs(const std::vector<std::string>& args, std::initializer_list<std::string_view> flags,
               std::initializer_list<std::string_view> valued, ParsedArgs& out, std::string& error);

// Why a named file could not be opened, for its "path: message" line: "is a folder",
// "cannot be read", "is not a regular file" (a FIFO, a device) or "no such file".
const char* FileProblem(std::u16string_view path);

// A JSON string literal of UTF-8 text.
void JsonString(std::ostream& out, std::string_view s);

}  // namespace glyphgrab::cli

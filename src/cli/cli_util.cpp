#include "cli/cli_util.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "util/paths.h"

namespace glyphgrab::cli {

bool ParseArgs(const std::vector<std::string>& args, std::initializer_list<std::string_view> flags,
               std::initializer_list<std::string_view> valued, ParsedArgs& out, std::string& error) {
  out = ParsedArgs{};
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!options || a == "-" || !a.starts_with("-")) {
      out.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      options = false;
      continue;
    }
    if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
      out.flags.insert(a);
      continue;
    }
    const auto eq = a.find('=');
    const std::string name = a.substr(0, eq);
    if (std::find(valued.begin(), valued.end(), name) != valued.end()) {
      if (eq != std::string::npos) {
        out.values[name] = a.substr(eq + 1);
      } else if (i + 1 < args.size()) {
        out.values[name] = args[++i];
      } else {
        error = "option '" + name + "' needs a value";
        return false;
      }
      continue;
    }
    error = "unknown option '" + a + "'";
    return false;
  }
  return true;
}

void JsonString(std::ostream& out, std::string_view s) {
  out << '"';
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out << "\\\""; break;
      case '\\': out << "\\\\"; break;
      case '\n': out << "\\n"; break;
      case '\r': out << "\\r"; break;
      case '\t': out << "\\t"; break;
      default:
        if (u < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", u);
          out << buf;
        } else {
          out << c;
        }
    }
  }
  out << '"';
}

const char* FileProblem(std::u16string_view path) {
  if (IsFolder(path)) return "is a folder";
  if (IsFile(path)) return "cannot be read";
  std::error_code error;
  return std::filesystem::exists(PathToNative(path), error) ? "is not a regular file" : "no such file";
}

}  // namespace glyphgrab::cli

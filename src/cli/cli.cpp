#include "cli/cli.h"

#include <string_view>

#include "cli/commands.h"
#include "cli/version.h"

namespace glyphgrab::cli {
namespace {

void PrintHelp(std::ostream& out) {
  out << "Usage: glyphgrab-cli COMMAND [OPTION...] [ARG...]\n"
         "       glyphgrab-cli --help | --version\n"
         "\n"
         "Lists the texts that Jw_cad drawings and symbols (JWW, JWS, JWC, JWK) and\n"
         "text, CSV and HTML files carry, as the Glyphgrab desktop tool shows them.\n"
         "\n"
         "Commands:\n";
  for (const Command& c : Commands()) {
    out << "  " << c.name << ' ' << c.synopsis << '\n'
        << "      " << c.summary << (c.run ? "" : " (not available yet)") << '\n';
  }
  out << "\n"
         "Output is UTF-8 with LF line ends. Exit status: 0 success (search: a file\n"
         "matched), 1 search found nothing, 2 an error (usage, or a file or folder that\n"
         "cannot be read; the other files are still processed).\n"
         "\n"
         "Names are printed as the file system holds them. In --json output a byte of\n"
         "a name that is not valid UTF-8 is written as the escape \\udc80..\\udcff\n"
         "(U+DC80 plus the byte, as Python's surrogateescape reads it back), so the\n"
         "output is always valid JSON.\n";
}

void PrintCommandHelp(const Command& c, std::ostream& out) {
  out << "Usage: glyphgrab-cli " << c.name << ' ' << c.synopsis << '\n'
      << "      " << c.summary << '\n';
}

// "--help" anywhere among a command's options asks for its help; after "--" it is an
// operand like any other (a file name, or the keys "-", "-", "h"...).
bool AsksForHelp(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--") return false;
    if (a == "--help") return true;
  }
  return false;
}

}  // namespace

int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "glyphgrab-cli: missing command (try --help)\n";
    return kExitError;
  }
  const std::string_view first = args.front();
  if (first == "--help" || first == "-h") {
    PrintHelp(out);
    return kExitOk;
  }
  if (first == "--version") {
    out << "glyphgrab-cli " << kVersion << '\n';
    return kExitOk;
  }
  if (first.starts_with("-")) {
    err << "glyphgrab-cli: unknown option '" << first << "' (try --help)\n";
    return kExitError;
  }
  for (const Command& c : Commands()) {
    if (first != c.name) continue;
    if (!c.run) {
      err << "glyphgrab-cli: command '" << first << "' is not available yet\n";
      return kExitError;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (AsksForHelp(rest)) {
      PrintCommandHelp(c, out);
      return kExitOk;
    }
    return c.run(rest, out, err);
  }
  err << "glyphgrab-cli: unknown command '" << first << "' (try --help)\n";
  return kExitError;
}

}  // namespace glyphgrab::cli

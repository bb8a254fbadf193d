// glyphgrab-cli keys COMMAND: the key events a send of COMMAND would produce, as a dry
// run. Nothing is typed and the clipboard is left alone.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_handlers.h"
#include "sendkeys/command_keys.h"
#include "util/codepage.h"

namespace glyphgrab::cli {

int RunKeys(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // A command may itself start with "-" (the keypad minus), so options are not parsed;
  // "--" is still accepted in front of it.
  const std::size_t first = !args.empty() && args[0] == "--" ? 1 : 0;
  if (args.size() != first + 1) {
    err << "glyphgrab-cli: keys takes exactly one COMMAND (try --help)\n";
    return kExitError;
  }
  const std::u16string command = Utf8ToStr(args[first]);
  if (command.empty()) return kExitOk;
  const ClipboardExpansion expansion = ExpandClipboardGroup(command);
  if (expansion.outcome == ClipboardExpansion::Outcome::kAbandoned) {
    out << "abandon\n";
    return kExitOk;
  }
  if (expansion.outcome == ClipboardExpansion::Outcome::kExpanded) {
    out << "clipboard " << StrToUtf8(expansion.clipboardText) << '\n';
  }
  for (const KeyEvent& event : TypeCommand(expansion.command)) {
    out << KeyEventLine(event) << '\n';
  }
  return kExitOk;
}

}  // namespace glyphgrab::cli

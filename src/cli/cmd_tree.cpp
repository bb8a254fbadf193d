#include <cerrno>

#include "browse/folder_tree.h"
#include "cli/cli_util.h"
#include "cli/command_handlers.h"
#include "util/codepage.h"
#include "util/paths.h"

namespace glyphgrab::cli {

int RunTree(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ParsedArgs parsed;
  std::string usage;
  if (!ParseArgs(args, {}, {}, parsed, usage) || parsed.operands.size() != 1) {
    err << "glyphgrab-cli: usage: glyphgrab-cli tree ROOT\n";
    return kExitError;
  }
  const std::string& rootArg = parsed.operands[0];
  const std::u16string root = NativeToPath(rootArg);
  FolderTree tree;
  int error = 0;
  switch (FolderTreeMake(root, tree, nullptr, &error)) {
    case FolderTreeResult::NoRoot:
    case FolderTreeResult::RootMissing:
    case FolderTreeResult::RootUnreadable:
      err << rootArg << ": " << ErrorReason(error ? error : ENOENT, true) << '\n';
      return kExitError;
    default:
      break;
  }
  for (std::size_t i = 0; i < tree.size(); ++i)
    out << PlainName(PathToNative(tree.FolderTreePath(static_cast<int>(i)))) << '\n';
  return kExitOk;
}

}  // namespace glyphgrab::cli

#include <cerrno>

#include "browse/folder_tree.h"
#include "cli/cli_util.h"
#include "cli/command_handlers.h"
#include "util/codepage.h"
#include "util/paths.h"

namespace glyphgrab::cli {

int RunTree(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1 || args[0].starts_with("-")) {
    err << "glyphgrab-cli: usage: glyphgrab-cli tree ROOT\n";
    return kExitError;
  }
  const std::u16string root = NativeToPath(args[0]);
  FolderTree tree;
  int error = 0;
  switch (FolderTreeMake(root, tree, nullptr, &error)) {
    case FolderTreeResult::NoRoot:
    case FolderTreeResult::RootMissing:
    case FolderTreeResult::RootUnreadable:
      err << args[0] << ": " << ErrorReason(error ? error : ENOENT, true) << '\n';
      return kExitError;
    default:
      break;
  }
  for (std::size_t i = 0; i < tree.size(); ++i)
    out << PathToNative(tree.FolderTreePath(static_cast<int>(i))) << '\n';
  return kExitOk;
}

}  // namespace glyphgrab::cli

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
  FolderTreeNotes notes;
  switch (FolderTreeMake(root, tree, nullptr, &error, &notes)) {
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
  // A folder that could not be read is listed without what lies below it: an error. A
  // link to a folder is left out by design (no cycles), but said, so nothing goes
  // missing unseen.
  for (const FolderTreeNotes::Unreadable& u : notes.unreadable)
    err << PlainName(PathToNative(u.path)) << ": " << ErrorReason(u.error, true) << '\n';
  for (const std::u16string& link : notes.links)
    err << PlainName(PathToNative(link)) << ": symbolic link to a folder, not followed\n";
  return notes.unreadable.empty() ? kExitOk : kExitError;
}

}  // namespace glyphgrab::cli

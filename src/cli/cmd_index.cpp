// glyphgrab-cli index: builds or refreshes the search index of a tree, or deletes it.

#include "browse/folder_tree.h"
#include "cli/cli_util.h"
#include "cli/command_handlers.h"
#include "cli/index_use.h"
#include "index/indexed_walk.h"
#include "search/file_find.h"
#include "util/paths.h"

namespace glyphgrab::cli {

int RunIndex(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--forget"}, {}, parsed, error)) {
    err << "glyphgrab-cli: index: " << error << '\n';
    return kExitError;
  }
  const bool forget = parsed.Has("--forget");
  if (forget ? !parsed.operands.empty() : parsed.operands.size() != 1) {
    err << "glyphgrab-cli: usage: glyphgrab-cli index ROOT | glyphgrab-cli index --forget\n";
    return kExitError;
  }
  if (forget) {
    const std::u16string folder = IndexFolder();
    int why = 0;
    if (!folder.empty() && !ForgetIndex(folder, why)) {
      err << PathToNative(IndexFilePath(folder)) << ": " << ErrorReason(why) << '\n';
      return kExitError;
    }
    return kExitOk;
  }

  const std::string& root = parsed.operands[0];
  FolderTree tree;
  if (!MakeSearchTree(root, tree, err)) return kExitError;
  IndexStore store;
  if (!OpenSearchIndex(store, err)) return kExitError;
  // The contents of every kind, tested for a keyword that no normalised text holds (it
  // is a control character): the walk reads and stores what the index lacks.
  const std::u16string never = u"\x01";
  IndexedWalk index(store, tree.FolderTreePath(0), never);
  SearchOptions options;
  options.names = false;
  options.contents = true;
  SearchCallbacks callbacks;
  callbacks.index = &index;
  callbacks.unreadable = [&](const std::u16string& path, int why) {
    err << PathToNative(path) << ": " << ErrorReason(why) << '\n';
  };
  FileFind(tree, never, options, callbacks);
  ReportIndexNote(index.note(), err);
  const IndexCounts counts = index.counts();
  out << "files read: " << counts.read << ", answered from the index: " << counts.answered
      << ", dropped: " << counts.dropped << '\n';
  return index.note().trouble == IndexTrouble::kUnavailable ? kExitError : kExitOk;
}

}  // namespace glyphgrab::cli

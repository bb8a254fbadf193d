#include "browse/folder_tree.h"

#include "util/collation.h"
#include "util/folder_listing.h"
#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab {

std::u16string FolderTree::FolderTreePath(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= nodes_.size()) return {};
  std::u16string path;
  for (int i = index; i > 0; i = nodes_[static_cast<std::size_t>(i)].parent) {
    path.insert(0, AddTrailingDelim(nodes_[static_cast<std::size_t>(i)].text));
  }
  return nodes_[0].text + path;
}

int FolderTree::FindFolder(std::u16string_view folder) const {
  const std::u16string wanted = StrUpper(AddTrailingDelim(folder));
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    if (StrUpper(FolderTreePath(static_cast<int>(i))) == wanted) return static_cast<int>(i);
  }
  return -1;
}

namespace {

// The names of the visible sub-folders of `path`, sorted. False when the stop request
// ended the enumeration (the names found until then are kept).
bool SubFolders(const std::u16string& path, std::vector<std::u16string>& names,
                const StopRequested& stop, FolderTreeNotes* notes) {
  SubFolderNotes listed;
  const bool stopped = !ListSubFolders(path, names, stop, notes ? &listed : nullptr);
  if (notes) {
    if (listed.error != 0) notes->unreadable.push_back({path, listed.error});
    SortCollated(listed.links, CollationStrength::Tertiary);
    for (const std::u16string& link : listed.links) notes->links.push_back(path + link + PathDelimChar());
  }
  SortCollated(names, CollationStrength::Tertiary);
  return !stopped;
}

}  // namespace

class FolderTreeBuilder {
 public:
  static FolderTreeResult Make(std::u16string_view root, FolderTree& tree,
                               const StopRequested& stop, int& rootError, FolderTreeNotes* notes) {
    if (root.empty()) return FolderTreeResult::NoRoot;
    // A folder below the root that cannot be read gets no children; the root itself
    // unread would show a tree that says nothing.
    bool missing = false;
    if (const int error = FolderReadError(root, missing); error != 0) {
      rootError = error;
      return missing ? FolderTreeResult::RootMissing : FolderTreeResult::RootUnreadable;
    }

    // Children are inserted right after their parent, so visiting the nodes in index
    // order is a depth-first walk. Build linked nodes, then number them once.
    struct Node {
      std::u16string text;
      std::u16string path;
      std::vector<std::size_t> children;
    };
    std::vector<Node> nodes;
    nodes.push_back({AddTrailingDelim(root), AddTrailingDelim(root), {}});
    std::vector<std::size_t> pending;  // stack of nodes still to scan, next on top
    bool stopped = false;
    std::vector<std::u16string> names;

    auto expand = [&](std::size_t n) {
      const bool complete = SubFolders(nodes[n].path, names, stop, notes);
      for (auto& name : names) {
        std::u16string path = nodes[n].path + name + PathDelimChar();
        nodes[n].children.push_back(nodes.size());
        nodes.push_back({std::move(name), std::move(path), {}});
      }
      const auto& children = nodes[n].children;
      for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(*it);
      return complete;
    };

    if (!expand(0)) stopped = true;
    while (!stopped && !pending.empty()) {
      if (Stopped(stop)) {
        stopped = true;
        break;
      }
      const std::size_t n = pending.back();
      pending.pop_back();
      if (!expand(n)) stopped = true;
    }

    // Number the nodes depth-first.
    tree.nodes_.clear();
    tree.nodes_.reserve(nodes.size());
    struct Frame {
      std::size_t node;
      int parent;
      int depth;
    };
    std::vector<Frame> stack = {{0, -1, 0}};
    while (!stack.empty()) {
      const Frame f = stack.back();
      stack.pop_back();
      const int index = static_cast<int>(tree.nodes_.size());
      tree.nodes_.push_back({std::move(nodes[f.node].text), f.parent, f.depth});
      const auto& children = nodes[f.node].children;
      for (auto it = children.rbegin(); it != children.rend(); ++it)
        stack.push_back({*it, index, f.depth + 1});
    }
    return stopped ? FolderTreeResult::Stopped : FolderTreeResult::Done;
  }
};

FolderTreeResult FolderTreeMake(std::u16string_view root, FolderTree& tree,
                                const StopRequested& stop, int* rootError, FolderTreeNotes* notes) {
  if (notes) *notes = {};
  int error = 0;
  const FolderTreeResult result = FolderTreeBuilder::Make(root, tree, stop, error, notes);
  if (rootError) *rootError = error;
  return result;
}

}  // namespace glyphgrab

// The folder tree below a root folder, addressed by absolute node indexes: 0 is the
// root, then every node followed by all nodes below it, as a fully expanded tree shows
// them. The search's result lines and the main window refer to folders by these indexes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "util/stop.h"

namespace glyphgrab {

struct FolderNode {
  std::u16string text;  // the folder's name; for the root the root folder with its delimiter
  int parent = -1;      // index of the parent node; -1 for the root
  int depth = 0;
};

class FolderTree {
 public:
  std::size_t size() const { return nodes_.size(); }
  bool empty() const { return nodes_.empty(); }
  const FolderNode& node(std::size_t index) const { return nodes_[index]; }
  const std::vector<FolderNode>& nodes() const { return nodes_; }

  // The folder of the node with its trailing delimiter; empty for an index outside the
  // tree.
  std::u16string FolderTreePath(int index) const;

  // The index of the first node whose path is `folder` (with or without its trailing
  // delimiter), letter case ignored as the saved current folder is looked up; or -1.
  int FindFolder(std::u16string_view folder) const;

 private:
  friend class FolderTreeBuilder;
  std::vector<FolderNode> nodes_;
};

enum class FolderTreeResult {
  Done,         // every folder was scanned
  Stopped,      // the stop request ended the scan; the tree holds what was found
  NoRoot,       // the root text is empty: the tree is left as it was
  RootMissing,  // the root is no folder: the tree is left as it was
  RootUnreadable,  // the root's entries cannot be read: the tree is left as it was
};

// Scans the folders below `root`. Hidden folders (names starting with ".") are left out
// and symbolic links are not followed, so the tree has no cycles; a folder that cannot
// be read gets no children. Siblings are ordered by Japanese collation with letter case
// counting (ties by code units). `stop` is asked before every folder and before every
// entry after the first of a folder. `rootError`, when given, receives why the root is
// missing or unreadable (an errno value).
// `notes`, when given, receives the folders below the root that could not be read and
// the symbolic links to folders that were left out, as full paths with their delimiter,
// in the order the walk met them.
struct FolderTreeNotes {
  struct Unreadable {
    std::u16string path;
    int error = 0;  // an errno value
  };
  std::vector<Unreadable> unreadable;
  std::vector<std::u16string> links;
};
FolderTreeResult FolderTreeMake(std::u16string_view root, FolderTree& tree,
                                const StopRequested& stop, int* rootError = nullptr,
                                FolderTreeNotes* notes = nullptr);

}  // namespace glyphgrab

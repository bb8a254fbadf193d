#include "browse/folder_tree.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <memory>
#include <sys/stat.h>

#include "util/collation.h"
#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab {

std::u16string FolderTree::FolderTreePath(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= nodes_.size()) return {};
  std::u16string path;
  for (int i = index; i > 0; i = nodes_[i].parent) {
    path.insert(0, AddTrailingDelim(nodes_[i].text));
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

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

// The names of the visible sub-folders of `path`, sorted. False when the stop request
// ended the enumeration (the names found until then are kept).
bool SubFolders(const std::u16string& path, std::vector<std::u16string>& names,
                const StopRequested& stop) {
  names.clear();
  const int fd = OpenNative(PathToNative(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::unique_ptr<DIR, DirCloser> dir(fd < 0 ? nullptr : ::fdopendir(fd));
  if (!dir) {
    if (fd >= 0) ::close(fd);
    return true;  // unreadable: no children, the scan goes on
  }
  bool first = true;
  bool stopped = false;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!first && Stopped(stop)) {
      stopped = true;
      break;
    }
    first = false;
    const std::string_view name(entry->d_name);
    if (name.empty() || name[0] == '.') continue;  // hidden, "." and ".."
    bool isDir = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat st {};
      isDir = ::fstatat(::dirfd(dir.get()), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
              S_ISDIR(st.st_mode);
    }
    if (isDir) names.push_back(NativeToPath(name));
  }
  SortCollated(names, CollationStrength::Tertiary);
  return !stopped;
}

}  // namespace

class FolderTreeBuilder {
 public:
  static FolderTreeResult Make(std::u16string_view root, FolderTree& tree,
                               const StopRequested& stop, int& rootError) {
    if (root.empty()) return FolderTreeResult::NoRoot;
    struct stat st {};
    if (StatNative(PathToNative(root), st, true) != 0) {
      rootError = errno;
      return FolderTreeResult::RootMissing;
    }
    if (!S_ISDIR(st.st_mode)) {
      rootError = ENOTDIR;
      return FolderTreeResult::RootMissing;
    }
    // A folder below the root that cannot be read gets no children; the root itself
    // unread would show a tree that says nothing.
    const int fd = OpenNative(PathToNative(root), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
      rootError = errno;
      return FolderTreeResult::RootUnreadable;
    }
    ::close(fd);

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
      const bool complete = SubFolders(nodes[n].path, names, stop);
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
                                const StopRequested& stop, int* rootError) {
  int error = 0;
  const FolderTreeResult result = FolderTreeBuilder::Make(root, tree, stop, error);
  if (rootError) *rootError = error;
  return result;
}

}  // namespace glyphgrab

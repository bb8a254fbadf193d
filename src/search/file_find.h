// The search across the files of a folder tree: a file matches when the normalised
// keyword occurs in its normalised name or in one of its normalised texts.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "browse/folder_tree.h"
#include "documents/file_kind.h"
#include "util/stop.h"

namespace glyphgrab {
class IndexedWalk;
struct StoredMatch;
}

namespace glyphgrab {

// The file types taken into the search and the two modes, as the search window's nine
// check boxes set them.
struct SearchOptions {
  FileKindSet kinds = kAllSearchKinds;  // of kSearchKinds; other kinds are never searched
  bool names = true;     // test the file name (extension included)
  bool contents = true;  // read the file and test its texts
  friend bool operator==(const SearchOptions&, const SearchOptions&) = default;
};

// Whether the search takes files of `kind`.
bool SearchesKind(FileKind kind, const SearchOptions& options);

struct SearchResult {
  std::u16string folder;  // the node's folder, with its trailing delimiter
  std::u16string name;    // the file name
  int node = 0;           // the node's index in the folder tree

  // folder + name + "　　:" + node, as the result list shows it.
  std::u16string Line() const;
};

// Splits a result line at its first "　　:" into the file path and the node index; false
// when the line holds no marker.
bool ParseResultLine(std::u16string_view line, std::u16string& path, int& node);

struct SearchSummary {
  int examined = 0;
  int matched = 0;
  int unreadable = 0;  // examined files whose contents, or folders whose files, could
                       // not be read
  bool stopped = false;

  // "検索終了：対象" N "ファイル中、" M "ファイル", followed by
  // "（読み込めないファイル：" K "）" when K files could not be read; or
  // "《ESC:中断しました》" after a stop.
  std::u16string StatusText() const;
};

// What the walk reports, on the thread that runs it, in the order of a one-file-at-a-time
// walk.
struct SearchCallbacks {
  std::function<void(const std::u16string& path)> progress;  // before each examined file
  std::function<void(const SearchResult&)> found;
  // A file whose contents (or a folder whose files) could not be read, and why (an errno
  // value).
  std::function<void(const std::u16string& path, int error)> unreadable;
  StopRequested stop;  // asked before every file
  // When given, contents are answered from the search index where it can, and what is
  // read is stored there; the answers stay those of a walk without it.
  IndexedWalk* index = nullptr;
};

// Whether the contents of one file (its kind from its extension) hold `keyword`, already
// normalised, in the fields a search tests: what a search over a tree decides for it.
bool FileContentsMatch(const std::u16string& path, std::u16string_view keyword);

// "検索中：" + path.
std::u16string SearchProgressText(std::u16string_view path);

// Walks every node of `tree` in index order and every file of its folder in listing
// order. `keyword` is already normalised (NormalizeForMatch). The walk owns its own
// document objects; nothing of the caller's is touched. Files are read and tested on
// `workers` extra threads (by default DefaultWorkerCount()) and on the calling one; the
// callbacks all come on the calling thread, in the order and with the answers of a walk
// that takes one file at a time, and nothing read after a stop is reported.
SearchSummary FileFind(const FolderTree& tree, std::u16string_view keyword,
                       const SearchOptions& options, const SearchCallbacks& callbacks);
SearchSummary FileFind(const FolderTree& tree, std::u16string_view keyword,
                       const SearchOptions& options, const SearchCallbacks& callbacks,
                       unsigned workers);

// What the index held before the walk for the files a search takes, as result lines in
// walk order: what the walk will most likely find, to show before it confirms them.
// `index` was made for this tree's root and the search's keyword.
std::vector<SearchResult> IndexedResults(const FolderTree& tree, const IndexedWalk& index,
                                         const SearchOptions& options);
// The same for some of the index's matches (a batch as it was read).
std::vector<SearchResult> IndexedResults(const FolderTree& tree, const std::vector<StoredMatch>& matches,
                                         const SearchOptions& options);

}  // namespace glyphgrab

// The search index's file: one SQLite database (write-ahead log, so one writer and many
// readers at once) holding, per file keyed by its absolute path, its stamp, kind, how
// its read ended and its search texts. It is a cache: a file that is damaged, of another
// program or of another version is set aside and a new one made, and every failure
// leaves the caller to search without it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "index/file_stamp.h"

struct sqlite3;
struct sqlite3_stmt;

namespace glyphgrab {

struct IndexRow {
  std::u16string path;  // absolute
  FileStamp stamp;
  int kind = 0;     // FileKind
  int outcome = 0;  // 0: read whole; else why not (an errno value)
  std::u16string texts;
};

// What a row gives to a visitor: views valid during the call. The texts are left as the
// bytes of their UTF-16 units: scanning them where SQLite holds them spares a copy of
// every file's texts on every search.
struct IndexRowView {
  std::u16string_view path;
  FileStamp stamp;
  int kind = 0;
  int outcome = 0;
  std::string_view textBytes;
};

// Why an index could not serve, or was replaced, for the one note a search gives.
enum class IndexTrouble {
  kNone,
  kSetAside,     // damaged, foreign or of another version: renamed, a new one made
  kUnavailable,  // the folder or file cannot be created, opened or written
};

struct IndexNote {
  IndexTrouble trouble = IndexTrouble::kNone;
  std::u16string path;  // kSetAside: where the old file went; kUnavailable: the file
  int error = 0;        // kUnavailable: an errno value when one is known
  std::string detail;   // SQLite's message, when it gave one
};

// The folder that holds the index: $XDG_CACHE_HOME/glyphgrab (default
// ~/.cache/glyphgrab) on Linux, %LOCALAPPDATA%\Glyphgrab on Windows; empty when
// neither can be told.
std::u16string IndexFolder();
// The index file inside `folder`.
std::u16string IndexFilePath(std::u16string_view folder);

class IndexStore {
 public:
  IndexStore() = default;
  ~IndexStore();
  IndexStore(const IndexStore&) = delete;
  IndexStore& operator=(const IndexStore&) = delete;

  // Opens the index in `folder`, making the folder (mode 0700) and the file (0600) when
  // missing. A file that is not this index at this version is set aside and replaced.
  // False when no index can be used; `note` says why, and also when a file was set
  // aside.
  bool Open(const std::u16string& folder, IndexNote& note);
  bool IsOpen() const { return db_ != nullptr; }
  const std::u16string& folder() const { return folder_; }

  // Visits every row whose path starts with `prefix` (a folder with its trailing
  // delimiter). False when the rows could not be read; `note` says why (a damaged file
  // is set aside: Open again for a new one).
  bool ForEachUnder(std::u16string_view prefix, const std::function<void(const IndexRowView&)>& visit,
                    IndexNote& note);
  // Stores the rows (replacing those of the same paths) and drops the paths, in one
  // transaction. False when it could not; `note` says why.
  bool Write(const std::vector<IndexRow>& rows, const std::vector<std::u16string>& dropped, IndexNote& note);

  void Close();

 private:
  bool Prepare(IndexNote& note);
  // Steps through the rows under `prefix`; SQLite's last answer.
  static int Visit(sqlite3_stmt* q, std::u16string_view prefix,
                   const std::function<void(const IndexRowView&)>& visit);
  bool Fail(int code, IndexNote& note);
  void SetAside(IndexNote& note);

  sqlite3* db_ = nullptr;
  std::u16string folder_;
  std::u16string file_;
};

// Deletes the index file in `folder` with its log files; false (with `error`) when one
// could not be deleted. No file there is no error.
bool ForgetIndex(const std::u16string& folder, int& error);

}  // namespace glyphgrab

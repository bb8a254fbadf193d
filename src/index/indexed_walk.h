// One search (or refresh) over a folder tree with the index: the walk stats each file
// it would read; a file whose stamp the index holds is answered from the stored texts,
// a new or changed one is read, answered and stored, and the files of the index that the
// walk no longer lists are dropped. Files the index cannot answer for (unreadable ones,
// huge texts) are left to the walk's own reading, so the answers are always those of a
// search without the index.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/file_kind.h"
#include "index/index_store.h"
#include "index/search_texts.h"
#include "util/full_width.h"

namespace glyphgrab {

struct IndexCounts {
  int read = 0;       // read and stored
  int answered = 0;   // answered from the index
  int dropped = 0;    // gone from the tree, dropped from the index
};

// A file the index holds under the walked root whose stored name or texts hold the
// keyword: what the search will most likely find there, before the walk confirms it.
struct StoredMatch {
  std::u16string path;  // as the walk spells it
  FileKind kind = FileKind::kOther;
  bool byName = false;
  bool byTexts = false;
};

// Receives the index's matches while they are read, in batches: the first as soon as
// one is found, then one about every `kMatchBatchInterval`.
using StoredMatchSink = std::function<void(std::vector<StoredMatch>)>;

class IndexedWalk {
 public:
  static constexpr std::chrono::milliseconds kMatchBatchInterval{50};

  // `walkRoot` is the tree's root folder as the walk spells it, with its trailing
  // delimiter; `keyword` is normalised. Reads what the index holds under the root,
  // handing its matches to `matches` (when given) as they are found.
  // `store` must stay open for the walk; when it fails, the walk goes on without it.
  IndexedWalk(IndexStore& store, std::u16string_view walkRoot, std::u16string_view keyword,
              const StoredMatchSink& matches = {});
  ~IndexedWalk();
  IndexedWalk(const IndexedWalk&) = delete;
  IndexedWalk& operator=(const IndexedWalk&) = delete;

  // The walk calls these (see FileFind).
  // Before the walk, with the number of threads that will call Contents.
  void Threads(unsigned count);
  // Whether the texts of the file at `path` (a plain file of `kind`) hold the keyword;
  // nothing when the walk must read the file itself. Safe on several threads at once,
  // each with its own `thread` number.
  std::optional<bool> Contents(const std::u16string& path, FileKind kind, unsigned thread);
  // The names the walk listed in `folder` (with its trailing delimiter); on the walk's
  // thread.
  void FolderListed(std::u16string_view folder, const std::vector<std::u16string>& names);
  // After the walk: stores what is left and, when the walk went through to the end,
  // drops the files it did not list.
  void Finish(bool completed);

  // Whether the index held files under the root: most files will then be answered from
  // it, and reading is the exception.
  bool Warm() const { return usable_ && !entries_.empty(); }
  // The index's matches before the walk, in no particular order.
  std::vector<StoredMatch> StoredMatches() const;
  IndexCounts counts() const;
  // What went wrong with the index, once per walk (kNone when nothing did).
  const IndexNote& note() const { return note_; }

 private:
  struct Entry {
    FileStamp stamp;
    std::uint64_t hash = 0;  // of the key; only while the slots are made
    std::uint32_t keyAt = 0, keyLength = 0;  // the key in keys_
    FileKind kind = FileKind::kOther;
    bool byName = false;  // only when the matches are handed on while read
    bool byTexts = false;
    bool answerable = false;  // read whole: the stored texts answer for it
  };

  // The path relative to the root: the key of an entry.
  std::u16string_view Key(std::u16string_view walkPath) const;
  std::u16string_view KeyOf(const Entry& e) const { return std::u16string_view(keys_).substr(e.keyAt, e.keyLength); }
  void Load(const StoredMatchSink& matches);
  bool NameHolds(std::u16string_view name, const MatchPrefilter& quick, std::u16string& buffer) const;
  void MakeSlots();
  const Entry* Find(std::u16string_view key) const;
  void Keep(IndexRow row);
  void WriteBatch(const std::vector<IndexRow>& rows, const std::vector<std::u16string>& dropped);

  IndexStore& store_;
  std::u16string walkRoot_, absRoot_;
  std::u16string keyword_;
  bool usable_ = false;
  // What the index held under the root, by path relative to it; not changed once the
  // walk runs. The keys lie one after another in one string, and an open-addressing
  // table of entry numbers finds them: a walk looks up every file it lists, and a table
  // of strings of its own would cost it more than the stat of the file.
  // `listed_` (per entry) is only touched on the walk's own thread.
  std::u16string keys_;
  std::vector<Entry> entries_;
  std::vector<std::uint64_t> slots_;  // see MakeSlots; 0 is an empty slot
  std::vector<char> listed_;
  std::u16string listedKey_;
  std::vector<std::unique_ptr<SearchTextReader>> readers_;

  std::mutex pendingMutex_;
  std::vector<IndexRow> pending_;
  std::size_t pendingUnits_ = 0;
  std::mutex storeMutex_;  // the store, the note and the counts of writes
  IndexNote note_;
  bool writable_ = true;
  std::atomic<int> read_{0}, answered_{0};
  int dropped_ = 0;
};

}  // namespace glyphgrab

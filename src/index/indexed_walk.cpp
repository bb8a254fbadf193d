#include "index/indexed_walk.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "util/full_width.h"
#include "util/paths.h"

namespace glyphgrab {

namespace {

// Rows are written in batches of about this much, so a long first search keeps what it
// read even when it is stopped, without a transaction per file.
constexpr std::size_t kBatchRows = 1024;
constexpr std::size_t kBatchUnits = std::size_t{4} << 20;

bool IsAbsolute(std::u16string_view path) {
#ifdef _WIN32
  if (path.size() >= 2 && IsPathDelim(path[0]) && IsPathDelim(path[1])) return true;  // \\server\share
  return path.size() >= 3 && path[1] == u':' && IsPathDelim(path[2]);
#else
  return !path.empty() && path[0] == u'/';
#endif
}

}  // namespace

IndexedWalk::IndexedWalk(IndexStore& store, std::u16string_view walkRoot, std::u16string_view keyword,
                         const StoredMatchSink& matches)
    : store_(store), walkRoot_(walkRoot), keyword_(keyword) {
  if (walkRoot_.empty() || !IsPathDelim(walkRoot_.back())) walkRoot_ = AddTrailingDelim(walkRoot_);
  absRoot_ = walkRoot_;
  if (!IsAbsolute(absRoot_)) {
    const std::u16string here = CurrentFolder();
    if (here.empty()) return;
    absRoot_ = AddTrailingDelim(here) + walkRoot_;
  }
  // An empty keyword (a keyword of control characters alone) matches differently in
  // drawings and text files; such a search reads every file.
  if (keyword_.empty() || !store_.IsOpen()) return;
  Load(matches);
}

void IndexedWalk::Load(const StoredMatchSink& matches) {
  const MatchPrefilter quick(keyword_);
  std::u16string name;
  std::vector<StoredMatch> batch;
  auto due = std::chrono::steady_clock::now();
  const auto send = [&] {
    matches(std::exchange(batch, {}));
    due = std::chrono::steady_clock::now() + kMatchBatchInterval;
  };
  const bool loaded = store_.ForEachUnder(
      absRoot_,
      [&](const IndexRowView& row) {
        if (row.path.size() <= absRoot_.size() || row.path.substr(0, absRoot_.size()) != absRoot_) return;
        const std::u16string_view key = row.path.substr(absRoot_.size());
        Entry e;
        e.stamp = row.stamp;
        e.kind = static_cast<FileKind>(row.kind);
        e.answerable = row.outcome == 0;
        e.byTexts = e.answerable && SearchTextsHold(row.textBytes, keyword_);
        // The walk tests names itself; only what is shown before it needs them here.
        if (matches) e.byName = NameHolds(FileBaseName(row.path), quick, name);
        e.hash = std::hash<std::u16string_view>{}(key);
        e.keyAt = static_cast<std::uint32_t>(keys_.size());
        e.keyLength = static_cast<std::uint32_t>(key.size());
        keys_ += key;
        entries_.push_back(e);
        if (!matches || !(e.byName || e.byTexts)) return;
        batch.push_back({walkRoot_ + std::u16string(key), e.kind, e.byName, e.byTexts});
        // The clock is asked only when there is something to send.
        if (std::chrono::steady_clock::now() >= due) send();
      },
      note_);
  if (!loaded) {
    keys_.clear();
    entries_.clear();
    // A damaged file was set aside: a new one takes what this walk reads.
    IndexNote reopened;
    if (note_.trouble != IndexTrouble::kSetAside || !store_.Open(store_.folder(), reopened)) return;
  }
  if (matches && !batch.empty()) send();
  MakeSlots();
  listed_.assign(entries_.size(), 0);
  usable_ = true;
}

// A slot holds the entry's number + 1 in its low half and the high half of its hash in
// the other, so most slots of other keys are passed over without reading their entry.
void IndexedWalk::MakeSlots() {
  std::size_t size = 16;
  while (size < entries_.size() * 2) size *= 2;
  slots_.assign(size, 0);
  const std::size_t mask = size - 1;
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    const std::uint64_t hash = entries_[k].hash;
    std::size_t at = hash & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = (hash & ~std::uint64_t{0xFFFFFFFF}) | (k + 1);
  }
}

const IndexedWalk::Entry* IndexedWalk::Find(std::u16string_view key) const {
  if (entries_.empty()) return nullptr;
  const std::uint64_t hash = std::hash<std::u16string_view>{}(key);
  const std::uint64_t tag = hash & ~std::uint64_t{0xFFFFFFFF};
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = hash & mask; slots_[at] != 0; at = (at + 1) & mask) {
    if ((slots_[at] & ~std::uint64_t{0xFFFFFFFF}) != tag) continue;
    const Entry& e = entries_[(slots_[at] & 0xFFFFFFFF) - 1];
    if (KeyOf(e) == key) return &e;
  }
  return nullptr;
}

IndexedWalk::~IndexedWalk() = default;

std::u16string_view IndexedWalk::Key(std::u16string_view walkPath) const {
  return walkPath.substr(std::min(walkRoot_.size(), walkPath.size()));
}

void IndexedWalk::Threads(unsigned count) {
  readers_.clear();
  if (!usable_) return;
  for (unsigned k = 0; k < count; ++k) readers_.push_back(std::make_unique<SearchTextReader>());
}

std::optional<bool> IndexedWalk::Contents(const std::u16string& path, FileKind kind, unsigned thread) {
  if (!usable_ || thread >= readers_.size() || path.compare(0, walkRoot_.size(), walkRoot_) != 0) return std::nullopt;
  FileStamp stamp;
  // Gone, or no longer a plain file: the walk's own reading tells it as without the index.
  if (!FileStampOf(path, stamp)) return std::nullopt;
  const std::u16string_view key = Key(path);
  if (const Entry* e = Find(key); e && e->answerable && e->kind == kind && e->stamp == stamp) {
    ++answered_;
    return e->byTexts;
  }
  std::u16string texts;
  int error = 0;
  const bool whole = readers_[thread]->Read(path, kind, texts, error);
  // Kept only when the file did not change while it was read, and is not so new that a
  // change within the same tick of its clock could go unseen.
  FileStamp after;
  const bool steady = FileStampOf(path, after) && after == stamp && !StampTooRecent(stamp);
  if (!whole) {
    // The walk reads it again and reports what went wrong; the index notes the outcome
    // and will not answer for the file.
    if (steady && error != 0) Keep({absRoot_ + std::u16string(key), stamp, static_cast<int>(kind), error, {}});
    return std::nullopt;
  }
  ++read_;
  const bool found = SearchTextsHold(texts, keyword_);
  if (steady) Keep({absRoot_ + std::u16string(key), stamp, static_cast<int>(kind), 0, std::move(texts)});
  return found;
}

void IndexedWalk::FolderListed(std::u16string_view folder, const std::vector<std::u16string>& names) {
  if (!usable_ || entries_.empty()) return;
  listedKey_ = Key(folder);
  const std::size_t base = listedKey_.size();
  for (const std::u16string& name : names) {
    listedKey_.resize(base);
    listedKey_ += name;
    if (const Entry* e = Find(listedKey_)) listed_[static_cast<std::size_t>(e - entries_.data())] = 1;
  }
}

void IndexedWalk::Keep(IndexRow row) {
  std::vector<IndexRow> batch;
  {
    std::lock_guard<std::mutex> lock(pendingMutex_);
    pendingUnits_ += row.path.size() + row.texts.size();
    pending_.push_back(std::move(row));
    if (pending_.size() < kBatchRows && pendingUnits_ < kBatchUnits) return;
    batch.swap(pending_);
    pendingUnits_ = 0;
  }
  WriteBatch(batch, {});
}

void IndexedWalk::WriteBatch(const std::vector<IndexRow>& rows, const std::vector<std::u16string>& dropped) {
  std::lock_guard<std::mutex> lock(storeMutex_);
  if (!writable_) return;
  IndexNote note;
  if (store_.Write(rows, dropped, note)) {
    dropped_ += static_cast<int>(dropped.size());
    return;
  }
  // Nothing more is written by this walk; its answers do not depend on what it writes.
  if (note.trouble == IndexTrouble::kNone) return;
  writable_ = false;
  if (note_.trouble == IndexTrouble::kNone) note_ = note;
}

void IndexedWalk::Finish(bool completed) {
  if (!usable_) return;
  std::vector<IndexRow> rows;
  {
    std::lock_guard<std::mutex> lock(pendingMutex_);
    rows.swap(pending_);
    pendingUnits_ = 0;
  }
  std::vector<std::u16string> dropped;
  if (completed) {
    for (std::size_t k = 0; k < entries_.size(); ++k) {
      if (!listed_[k]) dropped.push_back(absRoot_ + std::u16string(KeyOf(entries_[k])));
    }
  }
  WriteBatch(rows, dropped);
}

bool IndexedWalk::NameHolds(std::u16string_view name, const MatchPrefilter& quick, std::u16string& buffer) const {
  if (!quick.MayMatch(name)) return false;
  NormalizeForMatchInto(name, buffer);
  return !buffer.empty() && buffer.find(keyword_) != std::u16string::npos;
}

std::vector<StoredMatch> IndexedWalk::StoredMatches() const {
  const MatchPrefilter quick(keyword_);
  std::u16string buffer;
  std::vector<StoredMatch> out;
  for (const Entry& e : entries_) {
    const std::u16string_view key = KeyOf(e);
    const bool byName = NameHolds(FileBaseName(key), quick, buffer);
    if (byName || e.byTexts) out.push_back({walkRoot_ + std::u16string(key), e.kind, byName, e.byTexts});
  }
  return out;
}

IndexCounts IndexedWalk::counts() const {
  IndexCounts c;
  c.read = read_.load();
  c.answered = answered_.load();
  c.dropped = dropped_;
  return c;
}

}  // namespace glyphgrab

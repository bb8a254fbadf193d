#include "search/file_find.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "documents/document_set.h"
#include "documents/document_texts.h"
#include "documents/file_kind.h"
#include "documents/text_walk.h"
#include "index/indexed_walk.h"
#include "util/file_bytes.h"
#include "util/folder_listing.h"
#include "util/ordered_pool.h"
#include "util/full_width.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/piece_matcher.h"
#include "util/text_stream.h"
#include "util/values.h"

namespace glyphgrab {

namespace {

constexpr std::u16string_view kResultMarker = u"　　:";

// The field test: a field matches when the keyword occurs in its normalised form. One
// buffer serves every field of a walk.
class FieldMatcher {
 public:
  // `quick` (when given) rules most fields out without normalising them.
  explicit FieldMatcher(std::u16string_view keyword, const MatchPrefilter* quick = nullptr)
      : keyword_(keyword), quick_(quick) {}

  bool operator()(std::u16string_view field) {
    if (quick_ && !quick_->MayMatch(field)) return false;
    NormalizeForMatchInto(field, buffer_);
    // Normalising removes the blanks: a field of blanks alone never matches.
    return !buffer_.empty() && StrIndexOf(keyword_, buffer_) >= 0;
  }

 private:
  std::u16string keyword_;
  const MatchPrefilter* quick_;
  std::u16string buffer_;
};

// Tests a document's texts in the walk's order; the first match ends the walk, since a
// test has no effect beyond its answer.
class FieldSearch final : public TextVisitor {
 public:
  explicit FieldSearch(FieldMatcher& match) : match_(match) {}

  bool Enter(TextSection) override { return true; }
  bool Visit(TextField, std::u16string_view text) override {
    found_ = match_(text);
    return !found_;
  }
  bool found() const { return found_; }

 private:
  FieldMatcher& match_;
  bool found_ = false;
};

// Every line of a text, CSV or HTML file as it is stored, markup included, read through
// a bounded buffer; a keyword across the pieces of a long line is found too. Matching
// ignores control characters.
bool TextFileMatches(std::u16string_view path, std::u16string_view keyword, int& error) {
  PieceMatcher match(keyword);
  bool found = false;
  TextStreamInfo info;
  const auto feed = [&](const TextPiece& piece) {
    found = match.Feed(piece.text, piece.lineEnds);
    return !found;
  };
  if (!StreamTextFile(path, feed, &info)) error = info.error;
  return found;
}

// What one thread keeps from file to file: its documents, read buffer and field test.
struct FindState {
  explicit FindState(std::u16string_view keyword, const MatchPrefilter* quick = nullptr)
      : match(keyword, quick) {}
  DocumentTextReader texts;
  FileBuffer buffer;
  FieldMatcher match;
  IndexedWalk* index = nullptr;
  unsigned thread = 0;
};

// One file: the name first; the contents only when the name did not match. The
// document is released after each file whatever its read answered.
// `error` is set (an errno value) when the contents could not be read. A file that is
// gone, or is no longer a plain file, does not match and is not a read error; opening
// it says so, so only a name match and a failed open ask for the file's status.
bool FileFinds(const std::u16string& path, std::u16string_view name, FileKind kind,
               const SearchOptions& options, FindState& state, std::u16string_view keyword,
               int& error) {
  if (options.names && state.match(name)) return IsFile(path);
  if (!options.contents) return false;
  if (state.index) {
    if (const std::optional<bool> answer = state.index->Contents(path, kind, state.thread)) return *answer;
  }
  const auto notRead = [&] {
    if (!IsFile(path)) error = 0;
    return false;
  };
  if (IsTextKind(kind)) {
    const bool found = TextFileMatches(path, keyword, error);
    return error != 0 ? notRead() : found;
  }
  const DocKind doc = DocumentOf(kind);
  if (doc == DocKind::kNone) return false;
  // A drawing that cannot be read is said to be so rather than searched as an empty
  // document. The reader's answer is not consulted, and there is no identification
  // check: whatever a read leaves in the document is searched.
  if (!state.buffer.Read(path, &error)) return notRead();
  FieldSearch search(state.match);
  state.texts.Walk(doc, state.buffer.bytes(), search);
  return search.found();
}

}  // namespace

// .jw$ files and backups are never among the kinds searched.
bool SearchesKind(FileKind kind, const SearchOptions& o) { return o.kinds.Has(kind); }

bool FileContentsMatch(const std::u16string& path, std::u16string_view keyword) {
  SearchOptions options;
  options.names = false;
  options.contents = true;
  FindState state(keyword);
  int error = 0;
  return FileFinds(path, FileBaseName(path), FileKindOf(FileExtLower(path)), options, state, keyword, error);
}

std::u16string SearchResult::Line() const {
  return folder + name + std::u16string(kResultMarker) + IntToText(node);
}

bool ParseResultLine(std::u16string_view line, std::u16string& path, int& node) {
  const int a = StrIndexOf(kResultMarker, line);
  if (a < 0) return false;
  node = TextToInt(StrFrom(line, a + 3));
  path = StrMid(line, 0, a);
  return true;
}

std::u16string SearchSummary::StatusText() const {
  if (stopped) return u"《ESC:中断しました》";
  std::u16string text =
      u"検索終了：対象" + IntToText(examined) + u"ファイル中、" + IntToText(matched) + u"ファイル";
  if (unreadable > 0) text += u"（読み込めないファイル：" + IntToText(unreadable) + u"）";
  return text;
}

std::u16string SearchProgressText(std::u16string_view path) {
  return u"検索中：" + std::u16string(path);
}

namespace {

// One step of the walk in its order: a folder that could not be listed, a listed file of
// a kind not searched (only the stop is asked), or a file to examine.
struct FindStep {
  enum class Kind { kFolderUnreadable, kSkipped, kFile };
  Kind kind = Kind::kSkipped;
  int node = 0;
  std::u16string path;  // the folder, with its trailing delimiter, then the name
  std::size_t nameAt = 0;
  FileKind fileKind = FileKind::kOther;
  int error = 0;  // kFolderUnreadable: why
};

struct FindOutcome {
  bool found = false;
  int error = 0;
};

// Files in flight per thread: enough that no thread waits for the next, few enough that
// the walk holds no more than a handful of names ahead.
constexpr std::size_t kStepsPerThread = 8;

}  // namespace

SearchSummary FileFind(const FolderTree& tree, std::u16string_view keyword,
                       const SearchOptions& options, const SearchCallbacks& callbacks) {
  return FileFind(tree, keyword, options, callbacks, DefaultWorkerCount());
}

SearchSummary FileFind(const FolderTree& tree, std::u16string_view keyword,
                       const SearchOptions& options, const SearchCallbacks& callbacks,
                       unsigned workers) {
  // Answers from the index cost less than handing files to other threads: a walk over a
  // warm index runs on the calling thread alone.
  if (callbacks.index && callbacks.index->Warm()) workers = 0;
  SearchSummary summary;
  const MatchPrefilter quick(keyword);
  std::vector<std::unique_ptr<FindState>> states;
  for (unsigned t = 0; t <= workers; ++t) {
    states.push_back(std::make_unique<FindState>(keyword, &quick));
    states.back()->index = callbacks.index;
    states.back()->thread = t;
  }
  if (callbacks.index) callbacks.index->Threads(workers + 1);

  // The steps in walk order, listing each folder when the walk reaches it.
  const int nodes = static_cast<int>(tree.size());
  int node = -1;
  std::u16string folder;
  std::vector<std::u16string> names;
  std::size_t row = 0;
  int listError = 0;
  const auto next = [&](FindStep& step) {
    while (row >= names.size() && listError == 0) {
      if (++node >= nodes) return false;
      folder = tree.FolderTreePath(node);
      row = 0;
      if (ListFolderFileNames(folder, names, &listError) && callbacks.index) {
        callbacks.index->FolderListed(folder, names);
      }
    }
    step.node = node;
    if (listError != 0) {
      step.kind = FindStep::Kind::kFolderUnreadable;
      step.path = folder;
      step.error = std::exchange(listError, 0);
      return true;
    }
    const std::u16string& name = names[row++];
    step.fileKind = FileKindOf(FileExtLower(name));
    step.kind = options.kinds.Has(step.fileKind) ? FindStep::Kind::kFile : FindStep::Kind::kSkipped;
    step.path = folder + name;
    step.nameAt = folder.size();
    step.error = 0;
    return true;
  };
  const auto work = [&](const FindStep& step, unsigned thread) {
    FindOutcome outcome;
    if (step.kind == FindStep::Kind::kFile) {
      const std::u16string_view name = std::u16string_view(step.path).substr(step.nameAt);
      outcome.found = FileFinds(step.path, name, step.fileKind, options, *states[thread], keyword, outcome.error);
    }
    return outcome;
  };
  const auto take = [&](FindStep& step, FindOutcome& outcome) {
    if (step.kind == FindStep::Kind::kFolderUnreadable) {
      // A folder whose files cannot be listed counts as one thing not read.
      ++summary.unreadable;
      if (callbacks.unreadable) callbacks.unreadable(step.path, step.error);
      return true;
    }
    if (Stopped(callbacks.stop)) {
      summary.stopped = true;
      return false;
    }
    if (step.kind == FindStep::Kind::kSkipped) return true;
    if (callbacks.progress) callbacks.progress(step.path);
    ++summary.examined;
    if (outcome.found) {
      ++summary.matched;
      if (callbacks.found) {
        callbacks.found({step.path.substr(0, step.nameAt), step.path.substr(step.nameAt), step.node});
      }
    }
    if (outcome.error != 0) {
      ++summary.unreadable;
      if (callbacks.unreadable) callbacks.unreadable(step.path, outcome.error);
    }
    return true;
  };
  RunOrdered<FindStep, FindOutcome>(workers, kStepsPerThread * (workers + 1), next, work, take);
  if (callbacks.index) callbacks.index->Finish(!summary.stopped);
  return summary;
}

std::vector<SearchResult> IndexedResults(const FolderTree& tree, const IndexedWalk& index,
                                         const SearchOptions& options) {
  return IndexedResults(tree, index.StoredMatches(), options);
}

std::vector<SearchResult> IndexedResults(const FolderTree& tree, const std::vector<StoredMatch>& matches,
                                         const SearchOptions& options) {
  std::unordered_map<std::u16string, int> nodes;
  for (int i = 0; i < static_cast<int>(tree.size()); ++i) nodes.emplace(tree.FolderTreePath(i), i);
  struct Ordered {
    SearchResult result;
    std::u16string upper;
  };
  std::vector<Ordered> found;
  for (const StoredMatch& m : matches) {
    if (!SearchesKind(m.kind, options) || !((options.names && m.byName) || (options.contents && m.byTexts))) continue;
    const std::size_t cut = m.path.rfind(kPathDelim) + 1;
    const auto node = nodes.find(m.path.substr(0, cut));
    if (node == nodes.end()) continue;
    SearchResult r{m.path.substr(0, cut), m.path.substr(cut), node->second};
    found.push_back({r, StrUpper(r.name)});
  }
  // A folder's files in the order its listing gives them.
  std::sort(found.begin(), found.end(), [](const Ordered& a, const Ordered& b) {
    if (a.result.node != b.result.node) return a.result.node < b.result.node;
    return a.upper != b.upper ? a.upper < b.upper : a.result.name < b.result.name;
  });
  std::vector<SearchResult> out;
  out.reserve(found.size());
  for (Ordered& o : found) out.push_back(std::move(o.result));
  return out;
}

}  // namespace glyphgrab

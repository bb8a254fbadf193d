#include "ui/search_logic.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

#include "extract/opt_flags.h"
#include "index/indexed_walk.h"
#include "util/full_width.h"
#include "util/strings.h"
#include "util/values.h"

namespace glyphgrab::ui {
namespace {

// The settings file keeps the boxes as options kOptSearchJww to kOptSearchContents.
SearchOptions StoredOptions(const OptFlags& flags) {
  SearchOptions o;
  o.kinds = SearchKindsOf(flags);
  o.names = flags[kOptSearchNames];
  o.contents = flags[kOptSearchContents];
  return o;
}

void StoreOptions(const SearchOptions& o, OptFlags& flags) {
  StoreSearchKinds(o.kinds, flags);
  flags[kOptSearchNames] = o.names;
  flags[kOptSearchContents] = o.contents;
}

// The newest path the walk passed; one progress task is pending at a time, so a fast
// walk does not flood the window's queue. Shared by the walk and its posted tasks.
struct Progress {
  std::mutex mutex;
  std::u16string path;
  std::atomic<bool> posted{false};

  std::u16string Take() {
    posted = false;
    std::lock_guard<std::mutex> lock(mutex);
    return path;
  }
};

}  // namespace

SearchLogic::SearchLogic(SearchView& view, MainLogic& main)
    : view_(view), main_(main), job_(view, main.desktop().esc) {}

SearchLogic::~SearchLogic() { job_.Close(); }

void SearchLogic::Init() {
  const TSettings& s = main_.settings();
  const SearchOptions stored = StoredOptions(s.optFlags);
  view_.ShowChecks(stored);
  if ((!stored.names && !stored.contents) || stored.kinds.Empty()) view_.SetStatus(kNoTicksHint);
  history_.clear();
  for (const std::u16string& keyword : s.keywordHistory) {
    if (!keyword.empty()) history_.push_back(keyword);
  }
  view_.ShowHistory(history_, u"");
  TWindowGeometry g = s.searchWindow;
  g.width = std::max(g.width, kSearchMinWidth);
  g.height = std::max(g.height, kSearchMinHeight);
  view_.Place(g);
}

void SearchLogic::StoreChecks(const SearchOptions& checks) {
  StoreOptions(checks, main_.settings().optFlags);
}

void SearchLogic::StoreSettings() {
  StoreChecks(view_.Checks());
  TSettings& s = main_.settings();
  s.keywordHistory.assign(history_.begin(),
                          history_.begin() + static_cast<std::ptrdiff_t>(
                                                 std::min<std::size_t>(history_.size(), kKeywordHistoryLines)));
  s.searchWindow = view_.Geometry();
}

void SearchLogic::EscPressed() {
  if (job_.Running()) job_.Stop();
}

void SearchLogic::Button1Click() {
  if (job_.Running()) return;
  view_.SetStatus(u"");
  const std::u16string raw = view_.Keyword();
  // Said, and the results of the last search stay.
  if (RemoveBlanks(raw).empty()) {
    view_.SetStatus(kNoKeywordText);
    return;
  }
  const SearchOptions options = view_.Checks();
  // Nothing would be searched: say why instead of doing nothing.
  if (!options.names && !options.contents) {
    view_.SetStatus(kNoSearchModeText);
    return;
  }
  if (options.kinds.Empty()) {
    view_.SetStatus(kNoFileTypeText);
    return;
  }

  view_.Enable(SearchControl::kStartButton, false);
  view_.Enable(SearchControl::kCloseButton, false);
  view_.SetStatus(kSearchingText);
  StoreChecks(options);
  results_.clear();
  view_.ClearResults();

  // The folder's problem goes to the main window's status bar.
  if (!main_.CurrentFolderReady(MainLogic::FolderCheck::kQuiet, kFolderMissingText)) {
    // Nothing was searched, so "searching" must not stay in the status bar.
    view_.SetStatus(u"");
    Finished(SearchSummary{}, raw, {}, false);
    return;
  }

  confirmed_ = 0;
  pending_.clear();
  fromIndex_ = false;
  // The walk reaches the window only through the job: abandoned, it posts nothing, so
  // every task it posts finds `this` alive.
  job_.Start([this, tree = main_.folderTree(), keyword = NormalizeForMatch(raw), options,
              raw](WindowJob::Context& job) {
    auto progress = std::make_shared<Progress>();
    SearchCallbacks callbacks;
    callbacks.progress = [this, &job, progress](const std::u16string& path) {
      {
        std::lock_guard<std::mutex> lock(progress->mutex);
        progress->path = path;
      }
      if (!progress->posted.exchange(true)) job.Post([this, progress] { ShowProgress(progress->Take()); });
    };
    callbacks.found = [this, &job](const SearchResult& result) { job.Post([this, result] { Found(result); }); };
    callbacks.stop = [&job] { return job.StopRequested(); };
    // The index answers for unchanged files; its matches are shown while they are read,
    // and the walk then confirms or takes away each line.
    IndexStore store;
    IndexNote note;
    std::unique_ptr<IndexedWalk> index;
    if (options.contents && store.Open(IndexFolder(), note)) {
      const auto show = [&](std::vector<StoredMatch> batch) {
        job.Post([this, lines = IndexedResults(tree, batch, options)]() mutable { ShowIndexed(std::move(lines)); });
      };
      index = std::make_unique<IndexedWalk>(store, tree.FolderTreePath(0), keyword, show);
      callbacks.index = index.get();
    }
    const SearchSummary summary = FileFind(tree, keyword, options, callbacks);
    if (index && note.trouble == IndexTrouble::kNone) note = index->note();
    std::u16string indexText;
    if (note.trouble == IndexTrouble::kSetAside) {
      indexText = kIndexSetAsideText;
    } else if (note.trouble == IndexTrouble::kUnavailable) {
      indexText = kIndexUnavailableText;
    } else if (index && !summary.stopped) {
      indexText = kIndexConfirmedText;
    }
    job.Finish([this, summary, raw, indexText] { Finished(summary, raw, indexText, true); });
  });
}

void SearchLogic::ShowProgress(const std::u16string& path) {
  // While index lines wait for the walk, the status line says where they came from.
  if (!pending_.empty()) return;
  view_.SetStatus(SearchProgressText(path));
}

void SearchLogic::ShowIndexed(std::vector<SearchResult> indexed) {
  // Batches come before the walk's first answer; a late one has nothing left to add.
  if (confirmed_ > 0 || indexed.empty()) return;
  fromIndex_ = true;
  for (SearchResult& r : indexed) {
    std::u16string line = r.Line();
    Place place{r.node, StrUpper(r.name), std::move(r.name)};
    const auto at = std::lower_bound(pending_.begin(), pending_.end(), place);
    results_.insert(results_.begin() + (at - pending_.begin()), std::move(line));
    pending_.insert(at, std::move(place));
  }
  ShowResults();
  view_.SetStatus(std::u16string(kIndexResultsHead) + IntToText(static_cast<int>(results_.size())) +
                  std::u16string(kIndexResultsTail));
}

void SearchLogic::Found(const SearchResult& result) {
  const std::u16string line = result.Line();
  if (pending_.empty()) {
    results_.push_back(line);
    ++confirmed_;
    view_.AddResult(line);
    return;
  }
  const Place place{result.node, StrUpper(result.name), result.name};
  // The walk went past these without finding them: the index was out of date there.
  std::size_t gone = 0;
  while (gone < pending_.size() && pending_[gone] < place) ++gone;
  const auto first = results_.begin() + static_cast<std::ptrdiff_t>(confirmed_);
  results_.erase(first, first + static_cast<std::ptrdiff_t>(gone));
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(gone));
  bool changed = gone > 0;
  if (!pending_.empty() && results_[confirmed_] == line) {
    pending_.erase(pending_.begin());
  } else {
    results_.insert(results_.begin() + static_cast<std::ptrdiff_t>(confirmed_), line);
    changed = true;
  }
  ++confirmed_;
  if (changed) ShowResults();
}

void SearchLogic::ShowResults() {
  view_.ClearResults();
  for (const std::u16string& line : results_) view_.AddResult(line);
}

void SearchLogic::Finished(const SearchSummary& summary, const std::u16string& raw, std::u16string indexText,
                           bool searched) {
  if (searched) {
    // Index lines the walk never reached (it ended, or was stopped before them) go: the
    // list holds what the walk found.
    if (!pending_.empty()) {
      results_.resize(confirmed_);
      pending_.clear();
      ShowResults();
    }
    if (!fromIndex_ && indexText == kIndexConfirmedText) indexText.clear();
    view_.SetStatus(summary.StatusText() + indexText);
  }
  // The history keeps the newest form of a keyword at the top, whatever its letter case.
  const std::u16string upper = StrUpper(raw);
  const auto found =
      std::find_if(history_.begin(), history_.end(), [&upper](const std::u16string& k) { return StrUpper(k) == upper; });
  if (found != history_.end()) history_.erase(found);
  history_.insert(history_.begin(), raw);
  view_.ShowHistory(history_, raw);
  view_.Enable(SearchControl::kStartButton, true);
  view_.Enable(SearchControl::kCloseButton, true);
}

void SearchLogic::ListBox1Click() {
  const int row = view_.CurrentResult();
  if (row < 0 || static_cast<std::size_t>(row) >= results_.size()) return;
  std::u16string path;
  int node = 0;
  if (!ParseResultLine(results_[static_cast<std::size_t>(row)], path, node)) return;
  main_.FileSel(node, path);
}

}  // namespace glyphgrab::ui

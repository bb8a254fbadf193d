#include "ui/search_logic.h"

#include <algorithm>

#include "util/full_width.h"
#include "util/strings.h"

namespace glyphgrab::ui {
namespace {

constexpr std::size_t kFirstSearchOption = 5;  // the nine boxes are options 5 to 13

}  // namespace

SearchLogic::~SearchLogic() { StopSearch(); }

void SearchLogic::StopSearch() {
  if (!thread_.joinable()) return;
  stopRequest_ = true;
  thread_.join();
}

void SearchLogic::Init() {
  const TSettings& s = main_.settings();
  std::array<bool, kSearchCheckCount> checks{};
  for (std::size_t i = 0; i < checks.size(); ++i) checks[i] = s.optFlags[kFirstSearchOption + i];
  view_.ShowChecks(checks);
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

void SearchLogic::StoreChecks(const std::array<bool, kSearchCheckCount>& checks) {
  TSettings& s = main_.settings();
  for (std::size_t i = 0; i < checks.size(); ++i) s.optFlags[kFirstSearchOption + i] = checks[i];
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
  if (running_) stopRequest_ = true;
}

void SearchLogic::Button1Click() {
  if (running_) return;
  view_.SetStatus(u"");
  const std::u16string raw = view_.Keyword();
  if (RemoveBlanks(raw).empty()) return;
  const std::array<bool, kSearchCheckCount> checks = view_.Checks();
  // Nothing would be searched: say why instead of doing nothing.
  if (!checks[7] && !checks[8]) {
    view_.SetStatus(kNoSearchModeText);
    return;
  }
  if (std::none_of(checks.begin(), checks.begin() + 7, [](bool on) { return on; })) {
    view_.SetStatus(kNoFileTypeText);
    return;
  }

  view_.Enable(SearchControl::kStartButton, false);
  view_.Enable(SearchControl::kCloseButton, false);
  view_.SetStatus(kSearchingText);
  StoreChecks(checks);
  results_.clear();
  view_.ClearResults();

  // The folder's problem goes to the main window's status bar.
  if (!main_.CurrentFolderReady(MainLogic::FolderCheck::kQuiet, kFolderMissingText)) {
    // Nothing was searched, so "searching" must not stay in the status bar.
    view_.SetStatus(u"");
    Finished(SearchSummary{}, raw);
    return;
  }

  SearchOptions options;
  options.jww = checks[0];
  options.jws = checks[1];
  options.jwc = checks[2];
  options.jwk = checks[3];
  options.txt = checks[4];
  options.csv = checks[5];
  options.html = checks[6];
  options.names = checks[7];
  options.contents = checks[8];

  StopSearch();
  stopRequest_ = false;
  running_ = true;
  EscKeyState* esc = main_.desktop().esc.get();
  thread_ = std::thread([this, tree = main_.folderTree(), keyword = NormalizeForMatch(raw), options, esc, raw] {
    SearchCallbacks callbacks;
    callbacks.progress = [this](const std::u16string& path) {
      {
        std::lock_guard<std::mutex> lock(progressMutex_);
        progressPath_ = path;
      }
      if (!progressPosted_.exchange(true)) post_([this] { ShowProgress(); });
    };
    callbacks.found = [this](const SearchResult& result) {
      post_([this, line = result.Line()] {
        results_.push_back(line);
        view_.AddResult(line);
      });
    };
    callbacks.stop = [this, esc] { return stopRequest_.load() || (esc && esc->IsEscDown()); };
    const SearchSummary summary = FileFind(tree, keyword, options, callbacks);
    post_([this, summary, raw] { Finished(summary, raw); });
  });
}

void SearchLogic::ShowProgress() {
  progressPosted_ = false;
  if (!running_) return;
  std::u16string path;
  {
    std::lock_guard<std::mutex> lock(progressMutex_);
    path = progressPath_;
  }
  view_.SetStatus(SearchProgressText(path));
}

void SearchLogic::Finished(const SearchSummary& summary, const std::u16string& raw) {
  if (thread_.joinable()) {
    thread_.join();
    running_ = false;
    view_.SetStatus(summary.StatusText());
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

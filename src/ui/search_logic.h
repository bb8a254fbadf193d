// The search window TForm4 without its toolkit: a keyword with its history, the file
// types and modes, and a result list whose lines open their file in the main window.
// The walk runs as a window job with its own documents and folder listings, so the main
// window stays usable and its file list is never disturbed. Esc stops it (what was found
// stays, and the status says it was stopped); a new search or closing abandons it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "search/file_find.h"
#include "ui/main_logic.h"
#include "ui/search_view.h"
#include "ui/window_job.h"

namespace glyphgrab::ui {

inline constexpr std::u16string_view kSearchCaption = u"検索";
inline constexpr std::u16string_view kKeywordLabel = u"検索する文字内容：";
inline constexpr std::u16string_view kFileTypesTitle = u"検索するファイル形式";
inline constexpr std::u16string_view kSearchStartButton = u"検索開始(&S)";
inline constexpr std::u16string_view kSearchCloseButton = u"閉じる(&C)";
inline constexpr std::u16string_view kSearchingText = u"検索中です";
inline constexpr std::u16string_view kNoSearchModeText = u"ファイル名・ファイル内容のどちらを検索するか選択して下さい。";
inline constexpr std::u16string_view kNoFileTypeText = u"検索するファイルの種類を選択して下さい。";
// The search index's part in the status line: its results before the walk, and after.
inline constexpr std::u16string_view kIndexResultsHead = u"索引から";
inline constexpr std::u16string_view kIndexResultsTail = u"ファイル（フォルダを確認中）";
inline constexpr std::u16string_view kIndexConfirmedText = u"（索引の結果を確認済み）";
inline constexpr std::u16string_view kIndexSetAsideText = u"（壊れた索引を退避して作り直しました）";
inline constexpr std::u16string_view kIndexUnavailableText = u"（索引を使えないため索引なしで検索しました）";
inline constexpr std::u16string_view kNoKeywordText = u"検索する文字内容を入力して下さい。";
// Shown while no tick would let a search find anything (a first start has none on).
inline constexpr std::u16string_view kNoTicksHint =
    u"検索するファイル形式と検索方法にチェックを入れて下さい。";
// Over the result list: the number after ":" is the folder's place in the tree, which a
// click on the line opens; it counts nothing.
inline constexpr std::u16string_view kResultsHeader = u"検索結果（ファイルのパス　　:フォルダツリーでのフォルダ番号）";
inline constexpr int kKeywordMaxLength = 255;
inline constexpr int kSearchMinWidth = 200, kSearchMinHeight = 200;

class SearchLogic {
 public:
  // The main window has run its start-up: the settings are loaded.
  SearchLogic(SearchView& view, MainLogic& main);
  // Abandons a running search: nothing of it reaches the view any more.
  ~SearchLogic();
  SearchLogic(const SearchLogic&) = delete;
  SearchLogic& operator=(const SearchLogic&) = delete;

  // Fills the controls from the settings once they exist: check boxes, history, place.
  void Init();
  // Check boxes, keyword history (the first 30) and geometry into the settings.
  void StoreSettings();

  // 検索開始: checks the keyword, the modes, the types and the current folder, then
  // starts the walk.
  void Button1Click();
  // A result line opens its file in the main window.
  void ListBox1Click();
  // Esc while a search runs stops it; what was found stays.
  void EscPressed();

  bool Searching() const { return job_.Running(); }
  // The search's job, for tests that follow its runs.
  WindowJob& job() { return job_; }
  const std::vector<std::u16string>& history() const { return history_; }
  const std::vector<std::u16string>& results() const { return results_; }

 private:
  // The index's results, shown before the walk confirms them.
  void ShowIndexed(std::vector<SearchResult> indexed);
  // A result of the walk: index lines before it are taken away, it is confirmed or added.
  void Found(const SearchResult& result);
  void ShowResults();
  // The walk's end; `searched` is false when nothing was searched.
  void Finished(const SearchSummary& summary, const std::u16string& raw, std::u16string indexText, bool searched);
  void ShowProgress(const std::u16string& path);
  void StoreChecks(const SearchOptions& checks);

  SearchView& view_;
  MainLogic& main_;
  std::vector<std::u16string> history_;
  // The lines shown: the first `confirmed_` found by the walk, then the index's lines
  // that the walk has not reached yet, with their place in walk order.
  std::vector<std::u16string> results_;
  std::size_t confirmed_ = 0;
  struct Place {
    int node;
    std::u16string upper;  // the name upper-cased, the listing's order
    std::u16string name;
    bool operator<(const Place& o) const {
      if (node != o.node) return node < o.node;
      return upper != o.upper ? upper < o.upper : name < o.name;
    }
  };
  std::vector<Place> pending_;  // one per line after the confirmed ones
  bool fromIndex_ = false;
  WindowJob job_;
};

}  // namespace glyphgrab::ui

// The search window's controls as its logic drives them: the keyword box with its
// history, the check boxes of kSearchBoxes, the two buttons and the result list.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "browse/settings.h"
#include "search/file_find.h"
#include "ui/window_view.h"

namespace glyphgrab::ui {

// A check box of the search window: a type box takes its kind of file into the search,
// a mode box sets its option.
struct SearchBox {
  std::u16string_view caption;
  FileKind kind = FileKind::kOther;     // a type box's kind
  bool SearchOptions::*mode = nullptr;  // a mode box's option
  constexpr bool On(const SearchOptions& o) const { return mode ? o.*mode : o.kinds.Has(kind); }
  constexpr void Set(SearchOptions& o, bool on) const {
    if (mode) {
      o.*mode = on;
    } else {
      o.kinds.Set(kind, on);
    }
  }
};

// In the order shown: one type box per kind of kSearchKinds, then the two modes.
inline constexpr std::array<SearchBox, kSearchKinds.size() + 2> kSearchBoxes = {{
    {u"JWW", FileKind::kJww},
    {u"JWS", FileKind::kJws},
    {u"JWC", FileKind::kJwc},
    {u"JWK", FileKind::kJwk},
    {u"TXT", FileKind::kTxt},
    {u"CSV", FileKind::kCsv},
    {u"HTML", FileKind::kHtml},
    {u"ファイル名検索", FileKind::kOther, &SearchOptions::names},
    {u"ファイル内容検索", FileKind::kOther, &SearchOptions::contents},
}};
static_assert([] {
  for (std::size_t i = 0; i < kSearchKinds.size(); ++i)
    if (kSearchBoxes[i].kind != kSearchKinds[i] || kSearchBoxes[i].mode) return false;
  return true;
}());
// Every box off: what a view sets its ticked boxes into.
inline constexpr SearchOptions kNoSearchBoxes{FileKindSet{}, false, false};

// The box of a kind, or of a mode.
constexpr std::size_t SearchBoxOf(FileKind kind) {
  std::size_t i = 0;
  while (i + 1 < kSearchBoxes.size() && (kSearchBoxes[i].mode || kSearchBoxes[i].kind != kind)) ++i;
  return i;
}
constexpr std::size_t SearchBoxOf(bool SearchOptions::*mode) {
  std::size_t i = 0;
  while (i + 1 < kSearchBoxes.size() && kSearchBoxes[i].mode != mode) ++i;
  return i;
}

enum class SearchControl { kStartButton, kCloseButton };

class SearchView : public WindowView {
 public:
  // The keyword box's text as typed.
  virtual std::u16string Keyword() const = 0;
  // The history's entries (newest first) in the drop-down, and the keyword box's text.
  virtual void ShowHistory(const std::vector<std::u16string>& entries, std::u16string_view keyword) = 0;
  // The boxes, each ticked as the options say (kSearchBoxes), and back.
  virtual void ShowChecks(const SearchOptions& on) = 0;
  virtual SearchOptions Checks() const = 0;
  virtual void Enable(SearchControl control, bool on) = 0;
  virtual void ClearResults() = 0;
  virtual void AddResult(std::u16string_view line) = 0;
  // The result line with the focus (the one clicked), or -1.
  virtual int CurrentResult() const = 0;
  // The window's place and size (kept on the screen), and back.
  virtual void Place(const TWindowGeometry& geometry) = 0;
  virtual TWindowGeometry Geometry() const = 0;
};

}  // namespace glyphgrab::ui

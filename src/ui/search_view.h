// The search window's controls as its logic drives them: the keyword box with its
// history, the nine check boxes, the two buttons and the result list.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "browse/settings.h"
#include "ui/window_view.h"

namespace glyphgrab::ui {

// JWW, JWS, JWC, JWK, TXT, CSV, HTML, file names, contents.
inline constexpr std::size_t kSearchCheckCount = 9;
enum class SearchControl { kStartButton, kCloseButton };

class SearchView : public WindowView {
 public:
  // The keyword box's text as typed.
  virtual std::u16string Keyword() const = 0;
  // The history's entries (newest first) in the drop-down, and the keyword box's text.
  virtual void ShowHistory(const std::vector<std::u16string>& entries, std::u16string_view keyword) = 0;
  virtual void ShowChecks(const std::array<bool, kSearchCheckCount>& on) = 0;
  virtual std::array<bool, kSearchCheckCount> Checks() const = 0;
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

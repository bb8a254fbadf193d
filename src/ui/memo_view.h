// The memo window's controls as its logic drives them: the edit page, the selection
// page's list, and the status bar.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "browse/settings.h"
#include "ui/window_view.h"

namespace glyphgrab::ui {

inline constexpr int kMemoEditPage = 0;
inline constexpr int kMemoSelectionPage = 1;

class MemoView : public WindowView {
 public:
  // Replaces the edit box's text; its lines end in CR LF. The change event it causes is
  // ignored by the logic.
  virtual void SetEditText(std::u16string_view text) = 0;
  // The edit box's text as typed (any line ends), and its selected text with CR LF
  // between lines (empty without a selection).
  virtual std::u16string EditText() const = 0;
  virtual std::u16string EditSelection() const = 0;
  virtual void FocusEdit() = 0;
  // The page shown; setting it runs no change event.
  virtual int Page() const = 0;
  virtual void SetPage(int page) = 0;
  // Replaces the selection page's lines; nothing is selected.
  virtual void ShowSelectionLines(const std::vector<std::u16string>& lines) = 0;
  // The selected lines, ascending; the line with the focus (the one clicked), or -1.
  virtual std::vector<int> SelectedLines() const = 0;
  virtual int CurrentLine() const = 0;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(std::u16string_view text) = 0;
  // Shows the window in front of the others, restored when it was minimised.
  virtual void Present() = 0;
  // Hides the window.
  virtual void Hide() = 0;
  virtual void Place(const TWindowGeometry& geometry) = 0;
  virtual TWindowGeometry Geometry() const = 0;
};

}  // namespace glyphgrab::ui

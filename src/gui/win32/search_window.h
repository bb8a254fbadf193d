// The search window in Win32: the keyword box with its history, the file types and the
// two modes, the buttons, the result list and the status bar. What each event does is
// SearchLogic's; closing only hides it.
#pragma once

#include <array>
#include <memory>

#include "gui/win32/frame_view.h"
#include "gui/win32/line_list.h"
#include "ui/search_logic.h"
#include "ui/search_view.h"

namespace glyphgrab::wingui {

class SearchWindow final : public FrameView<ui::SearchView> {
 public:
  SearchWindow() = default;
  ~SearchWindow() override;

  // Creates the window, owned by `owner`, over the main window's logic.
  bool Open(HWND owner, ui::MainLogic& main);
  // Shows it in front with the focus in the keyword box.
  void ShowSearch();
  ui::SearchLogic& logic() { return *logic_; }

  // ui::SearchView
  std::u16string Keyword() const override;
  void ShowHistory(const std::vector<std::u16string>& entries, std::u16string_view keyword) override;
  void ShowChecks(const SearchOptions& on) override;
  SearchOptions Checks() const override;
  void Enable(ui::SearchControl control, bool on) override;
  void ClearResults() override;
  void AddResult(std::u16string_view line) override;
  int CurrentResult() const override { return results_.Current(); }
  void Place(const TWindowGeometry& geometry) override;
  TWindowGeometry Geometry() const override;

 protected:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  bool PreTranslate(MSG& msg) override;
  void Layout(int width, int height) override;

 private:
  std::unique_ptr<ui::SearchLogic> logic_;
  HWND label_ = nullptr, keyword_ = nullptr, group_ = nullptr, start_ = nullptr, close_ = nullptr;
  HWND resultsHeader_ = nullptr;  // says what the number after ":" is
  std::array<HWND, ui::kSearchBoxes.size()> checks_{};  // as kSearchBoxes
  LineList results_;
};

}  // namespace glyphgrab::wingui

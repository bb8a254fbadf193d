// The memo window in Win32: two pages (the edit box; the lines to select, copy and send),
// the buttons and the status bar. What each event does is MemoLogic's; closing hides it.
#pragma once

#include <memory>

#include "gui/win32/frame_view.h"
#include "gui/win32/line_list.h"
#include "ui/main_logic.h"
#include "ui/memo_logic.h"
#include "ui/memo_view.h"

namespace glyphgrab::wingui {

class MemoWindow final : public FrameView<ui::MemoView> {
 public:
  MemoWindow() = default;
  ~MemoWindow() override;

  bool Open(HWND owner, ui::MainLogic& main);
  // Shows it in front on the edit page.
  void ShowMemo();
  ui::MemoLogic& logic() { return *logic_; }

  // ui::MemoView
  void SetEditText(std::u16string_view text) override;
  std::u16string EditText() const override;
  std::u16string EditSelection() const override;
  void FocusEdit() override { SetFocus(edit_); }
  int Page() const override;
  void SetPage(int page) override;
  void ShowSelectionLines(const std::vector<std::u16string>& lines) override { lines_.SetLines(lines); }
  std::vector<int> SelectedLines() const override { return lines_.Selected(); }
  int CurrentLine() const override { return lines_.Current(); }
  // No is the default: Enter pressed by habit must not wipe anything.
  bool AskYesNo(std::u16string_view text) override {
    return Box(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
  }
  void Present() override;
  void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
  void Place(const TWindowGeometry& geometry) override;
  TWindowGeometry Geometry() const override;

 protected:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Layout(int width, int height) override;
  bool PreTranslate(MSG& msg) override;

 private:
  void ShowPage(int page);

  std::unique_ptr<ui::MemoLogic> logic_;
  HWND tabs_ = nullptr, edit_ = nullptr;
  LineList lines_;
  HWND buttons_[5] = {};
};

}  // namespace glyphgrab::wingui

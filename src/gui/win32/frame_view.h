// A top window that answers its logic's WindowView part: status bar, beep, the boxes and
// the posting queue, alike in every window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "gui/win32/top_window.h"
#include "gui/win32/wide.h"

namespace glyphgrab::wingui {

// The title of every box.
inline constexpr wchar_t kBoxTitle[] = L"Glyphgrab";

template <class View>
class FrameView : public TopWindow, public View {
 public:
  void SetStatus(std::u16string_view text) override {
    TopWindow::SetStatus(text);
    // Shown at once, also before work that keeps the window thread busy.
    if (HWND bar = statusBar()) UpdateWindow(bar);
  }
  void Beep() override { MessageBeep(MB_OK); }
  void Message(std::u16string_view text) override { Box(text, MB_OK | MB_ICONINFORMATION); }
  void Error(std::u16string_view text) override { Box(text, MB_OK | MB_ICONERROR); }
  bool AskRetry(std::u16string_view text) override {
    return Box(text, MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY;
  }
  void Post(std::function<void()> task) override { TopWindow::Post(std::move(task)); }

 protected:
  int Box(std::u16string_view text, UINT type) {
    return MessageBoxW(hwnd(), W(text).c_str(), kBoxTitle, type);
  }
};

}  // namespace glyphgrab::wingui

// The Windows desktop tool.
#include <windows.h>

#include "gui/win32/top_window.h"

namespace {

class ShellWindow final : public glyphgrab::wingui::TopWindow {
 public:
  bool Open() {
    if (!Create(L"Glyphgrab Ver." GLYPHGRAB_VERSION_W, WS_OVERLAPPEDWINDOW, 960, 640, nullptr, true)) return false;
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    return true;
  }

 protected:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return TopWindow::Handle(msg, wp, lp);
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ShellWindow window;
  if (!window.Open()) return 1;
  return glyphgrab::wingui::TopWindow::RunMessageLoop();
}

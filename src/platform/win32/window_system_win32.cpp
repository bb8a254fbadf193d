#include <windows.h>

#include "platform/window_system.h"

namespace glyphgrab {
namespace {

HWND Handle(WindowId id) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id)); }

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
  auto& out = *reinterpret_cast<std::vector<TopLevelWindow>*>(param);
  TopLevelWindow w;
  w.id = static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(hwnd));
  wchar_t title[512];
  const int n = GetWindowTextW(hwnd, title, 512);
  w.title.assign(title, title + (n > 0 ? n : 0));
  w.owned = GetWindow(hwnd, GW_OWNER) != nullptr;
  w.visible = IsWindowVisible(hwnd) != FALSE;
  out.push_back(std::move(w));
  return TRUE;
}

class Win32WindowSystem final : public WindowSystem {
 public:
  std::vector<TopLevelWindow> ListTopLevelWindows() override {
    // EnumWindows goes from the top of the z-order down; the callers want the oldest,
    // bottom-most first, as the X11 stacking list gives them.
    std::vector<TopLevelWindow> out;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&out));
    return {out.rbegin(), out.rend()};
  }

  bool ActivateWindow(WindowId window, bool maximize) override {
    HWND hwnd = Handle(window);
    if (!IsWindow(hwnd)) return false;
    if (IsIconic(hwnd)) OpenIcon(hwnd);
    if (maximize) ShowWindow(hwnd, SW_MAXIMIZE);
    if (!SetForegroundWindow(hwnd)) {
      // The system lets the thread that has the user's last input give the foreground
      // away: borrow its input state for the call.
      const DWORD own = GetCurrentThreadId();
      const DWORD front = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
      if (front != 0 && front != own && AttachThreadInput(own, front, TRUE)) {
        SetForegroundWindow(hwnd);
        BringWindowToTop(hwnd);
        AttachThreadInput(own, front, FALSE);
      }
    }
    SetFocus(hwnd);
    return IsWindow(hwnd) != FALSE;
  }

  bool FocusBelongsTo(WindowId window) override {
    const HWND target = Handle(window);
    const HWND front = GetForegroundWindow();
    if (front == nullptr || !IsWindow(target)) return false;
    DWORD frontProcess = 0, targetProcess = 0;
    GetWindowThreadProcessId(front, &frontProcess);
    GetWindowThreadProcessId(target, &targetProcess);
    if (frontProcess == GetCurrentProcessId()) return false;
    return front == target || (frontProcess != 0 && frontProcess == targetProcess);
  }
};

}  // namespace

std::unique_ptr<WindowSystem> MakePlatformWindowSystem() { return std::make_unique<Win32WindowSystem>(); }

}  // namespace glyphgrab

// A window that records what reaches it, for the end-to-end send test: every key event
// as "down 0xNN" / "up 0xNN", and on Ctrl+V the clipboard's text as "paste TEXT" (UTF-8),
// one line each, appended to the log file given.
//
//   key_receiver TITLE LOGFILE [--hand-focus-to HWND [--keep-focus-away]]
//
// --hand-focus-to makes it give the foreground to that window once the first key group
// is over (no key held), logging "focus handed", as Jw_cad loses it under a window
// manager whose focus follows the pointer; --keep-focus-away gives it back there each
// time it is activated again.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::FILE* g_log = nullptr;
HWND g_handTo = nullptr;
bool g_keepAway = false;
bool g_handed = false;
int g_held = 0;
constexpr UINT kGiveAway = WM_APP + 1;

void GiveAway(HWND self) { PostMessageW(self, kGiveAway, 0, 0); }

void Log(const std::string& line) {
  std::fputs((line + "\n").c_str(), g_log);
  std::fflush(g_log);
}

std::string Utf8(const wchar_t* w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, -1, out.data(), n, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

void LogClipboard() {
  std::string text = "<no text>";
  if (OpenClipboard(nullptr)) {
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* w = static_cast<const wchar_t*>(GlobalLock(h))) {
        text = Utf8(w);
        GlobalUnlock(h);
      }
    }
    CloseClipboard();
  }
  Log("paste " + text);
}

LRESULT CALLBACK Receive(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  char line[32];
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:  // handled here, so Alt never opens the window menu
      std::snprintf(line, sizeof line, "down 0x%02x", static_cast<unsigned>(wp));
      Log(line);
      if (!(lp & (1 << 30))) ++g_held;  // not a repeat
      if (wp == 'V' && (GetKeyState(VK_CONTROL) & 0x8000)) LogClipboard();
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      std::snprintf(line, sizeof line, "up 0x%02x", static_cast<unsigned>(wp));
      Log(line);
      if (g_held > 0) --g_held;
      if (g_handTo && !g_handed && g_held == 0) {
        g_handed = true;
        GiveAway(hwnd);
      }
      return 0;
    case WM_ACTIVATE:
      if (g_handed && g_keepAway && LOWORD(wp) != WA_INACTIVE) GiveAway(hwnd);
      return DefWindowProcW(hwnd, msg, wp, lp);
    case kGiveAway:
      SetForegroundWindow(g_handTo);
      Log("focus handed");
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  g_log = _wfopen(argv[2], L"ab");
  if (!g_log) return 2;
  for (int i = 3; i < argc; ++i) {
    if (std::wstring(argv[i]) == L"--hand-focus-to" && i + 1 < argc) {
      g_handTo = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::wcstoull(argv[++i], nullptr, 0)));
    }
    if (std::wstring(argv[i]) == L"--keep-focus-away") g_keepAway = true;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = Receive;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"GlyphgrabKeyReceiver";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                              nullptr, nullptr, wc.hInstance, nullptr);
  if (!hwnd) return 2;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  Log("ready");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  std::fclose(g_log);
  return 0;
}

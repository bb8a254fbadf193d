// A window that records what reaches it, for the end-to-end send test: every key event
// as "down 0xNN" / "up 0xNN", and on Ctrl+V the clipboard's text as "paste TEXT" (UTF-8),
// one line each, appended to the log file given. Usage: key_receiver TITLE LOGFILE
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::FILE* g_log = nullptr;

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
      if (wp == 'V' && (GetKeyState(VK_CONTROL) & 0x8000)) LogClipboard();
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      std::snprintf(line, sizeof line, "up 0x%02x", static_cast<unsigned>(wp));
      Log(line);
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

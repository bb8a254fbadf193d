// Works a running Glyphgrab window from outside, for scripts that show it (the README's
// pictures): clicks a control, sets a control's text or check, selects a list row, sizes
// the window. The window is found by its exact caption.
//   desktop_poke click CAPTION ID | text CAPTION ID TEXT | check CAPTION ID 0|1
//              | select CAPTION ID ROW | size CAPTION WIDTH HEIGHT
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND FindCaption(const wchar_t* caption) {
  for (int i = 0; i < 200; ++i) {  // up to 10 s: the window may still be coming
    if (HWND h = FindWindowW(nullptr, caption); h && IsWindowVisible(h)) return h;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fputs("usage: desktop_poke click|text|check|select|size CAPTION ID|WIDTH [ARG]\n", stderr);
    return 2;
  }
  const std::wstring verb = argv[1];
  HWND window = FindCaption(argv[2]);
  if (!window) {
    std::fprintf(stderr, "desktop_poke: no window %ls\n", argv[2]);
    return 1;
  }
  if (verb == L"size" && argc >= 5) {
    SetWindowPos(window, nullptr, 0, 0, _wtoi(argv[3]), _wtoi(argv[4]), SWP_NOMOVE | SWP_NOZORDER);
    return 0;
  }
  const int id = _wtoi(argv[3]);
  HWND control = GetDlgItem(window, id);
  if (verb == L"click") {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
  } else if (verb == L"text" && argc >= 5) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
  } else if (verb == L"check" && argc >= 5) {
    SendMessageW(control, BM_SETCHECK, _wtoi(argv[4]) ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (verb == L"select" && argc >= 5) {
    // The item structure must lie in the window's process.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    void* remote = process ? VirtualAllocEx(process, nullptr, sizeof(LVITEMW), MEM_COMMIT, PAGE_READWRITE) : nullptr;
    if (!remote) return 1;
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    const int row = _wtoi(argv[4]);
    SendMessageW(control, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    SendMessageW(control, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
  } else {
    std::fputs("desktop_poke: unknown command\n", stderr);
    return 2;
  }
  return 0;
}

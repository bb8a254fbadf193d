#include "platform/win32/clipboard_win32.h"

#include <windows.h>

#include <cstring>

namespace glyphgrab {

bool Win32Clipboard::SetText(std::u16string_view text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  if (!memory) return false;
  auto* units = static_cast<char16_t*>(GlobalLock(memory));
  std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
  units[text.size()] = 0;
  GlobalUnlock(memory);
  // Another program may hold the clipboard for a moment: a few tries, then give up.
  bool open = false;
  for (int attempt = 0; attempt < 10 && !(open = OpenClipboard(nullptr) != FALSE); ++attempt) Sleep(10);
  if (!open) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(memory);  // the system owns it only when the call succeeded
  return ok;
}

}  // namespace glyphgrab

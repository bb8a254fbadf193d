#include "gui/win32/hand_over.h"

#include <cstdlib>

#include "util/instance_lock.h"

namespace glyphgrab::wingui {

std::string HandOverNote(HWND mainWindow) {
  return std::to_string(reinterpret_cast<std::uintptr_t>(mainWindow));
}

bool HandOverToRunningWindow(std::u16string_view lockFile, std::u16string_view path) {
  const std::string note = TInstanceLock::ReadPublished(lockFile);
  if (note.empty()) return false;
  const auto value = static_cast<std::uintptr_t>(std::strtoull(note.c_str(), nullptr, 10));
  HWND window = reinterpret_cast<HWND>(value);
  if (!IsWindow(window)) return false;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  AllowSetForegroundWindow(owner);  // the owner may come to the front in our stead
  std::u16string text(path);
  COPYDATASTRUCT data{};
  data.dwData = kOpenPathTag;
  data.cbData = static_cast<DWORD>(text.size() * sizeof(char16_t));
  data.lpData = text.data();
  DWORD_PTR answer = 0;
  const LRESULT sent = SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                           SMTO_ABORTIFHUNG | SMTO_BLOCK, 3000, &answer);
  return sent != 0 && answer == TRUE;
}

bool ReadHandedOverPath(const COPYDATASTRUCT& data, std::u16string& path) {
  if (data.dwData != kOpenPathTag || data.cbData % sizeof(char16_t) != 0) return false;
  path.assign(static_cast<const char16_t*>(data.lpData), data.cbData / sizeof(char16_t));
  return true;
}

}  // namespace glyphgrab::wingui

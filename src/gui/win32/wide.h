// Text between the engine's UTF-16 strings and the W APIs' wchar_t (also UTF-16 on
// Windows).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace glyphgrab::wingui {

inline std::wstring W(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string U(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }

inline std::u16string WindowText(HWND hwnd) {
  std::wstring w(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  w.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, w.data(), static_cast<int>(w.size()))));
  return U(w);
}

inline void SetText(HWND hwnd, std::u16string_view text) { SetWindowTextW(hwnd, W(text).c_str()); }

}  // namespace glyphgrab::wingui

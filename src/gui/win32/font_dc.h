// A window's device context with a font selected into it, for measuring text as that
// window draws it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "gui/win32/wide.h"

namespace glyphgrab::wingui {

class FontDc {
 public:
  // `window` nullptr: the screen.
  FontDc(HWND window, HFONT font) : window_(window), dc_(GetDC(window)), old_(SelectObject(dc_, font)) {}
  ~FontDc() {
    SelectObject(dc_, old_);
    ReleaseDC(window_, dc_);
  }
  FontDc(const FontDc&) = delete;
  FontDc& operator=(const FontDc&) = delete;

  HDC dc() const { return dc_; }
  // The width of `text` in pixels.
  int TextWidth(std::u16string_view text) const {
    SIZE size{};
    const std::wstring w = W(text);
    GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
    return static_cast<int>(size.cx);
  }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ old_;
};

// The width in pixels of `text` drawn in `font` on `window`.
inline int TextWidth(HWND window, HFONT font, std::u16string_view text) {
  return FontDc(window, font).TextWidth(text);
}

}  // namespace glyphgrab::wingui

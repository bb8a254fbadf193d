#include "ui/window_rules.h"

#include <algorithm>

#include "ui/main_logic.h"

namespace glyphgrab::ui {

std::u16string LiteralCaption(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char16_t c : text) {
    if (c == u'&') out += u'&';
    out += c;
  }
  return out;
}

std::array<int, kFileListColumnCount> FileColumnWidths(const TSettings& settings,
                                                        const std::function<int(std::u16string_view)>& textWidth) {
  std::array<int, kFileListColumnCount> widths{};
  for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = settings.columnWidths[c];
  const auto date = static_cast<std::size_t>(kDateColumn);
  if (settings.columnWidths[date] == TSettings{}.columnWidths[date] && textWidth) {
    constexpr int kCellPadding = 16;  // the list's margins around a cell's text
    widths[date] = std::max(widths[date], textWidth(kDateTimeSample) + kCellPadding);
  }
  return widths;
}

}  // namespace glyphgrab::ui

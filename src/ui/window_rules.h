// Small rules that every front end applies the same way, kept here so the editions
// cannot drift apart.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "browse/settings.h"

namespace glyphgrab::ui {

// A text shown on a control whose "&" marks a mnemonic (a button, a check box): each "&"
// doubled, so that a folder named A&B shows as itself.
std::u16string LiteralCaption(std::u16string_view text);

// What the date column has to show whole.
inline constexpr std::u16string_view kDateTimeSample = u"0000/00/00 00:00:00";

// The file list's column widths in 96-DPI pixels: the saved ones, except that a date
// column still at the default width (the user never set one) becomes as wide as a date
// and time. `textWidth` measures a text in the list's font, in 96-DPI pixels.
std::array<int, kFileListColumnCount> FileColumnWidths(const TSettings& settings,
                                                        const std::function<int(std::u16string_view)>& textWidth);

}  // namespace glyphgrab::ui

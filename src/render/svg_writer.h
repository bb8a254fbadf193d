// A render model as an SVG document, written directly (no library): one element per
// primitive in paper millimetres, y upwards as on the drawing, every text escaped.
#pragma once

#include <string>
#include <string_view>

#include "render/render_model.h"

namespace glyphgrab {

// `mark`: texts that show it (see TextMatches) are outlined in the marking colour; empty
// marks nothing. `widthPx`: the picture's width in pixels, its height in proportion; 0
// sizes it in millimetres.
std::string RenderSvg(const RenderModel& model, std::u16string_view mark = {}, int widthPx = 0);

// Counts the texts that show `mark`.
std::size_t CountMarked(const RenderModel& model, std::u16string_view mark);

}  // namespace glyphgrab

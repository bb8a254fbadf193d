#pragma once

#include <string>
#include <string_view>

namespace glyphgrab {

// Block definition names may carry "@@SFIGORGFLAG@@" (in any letter case) after their
// visible part; the list and the search use the part before it, as stored.
std::u16string VisibleBlockName(std::u16string_view name);

}  // namespace glyphgrab

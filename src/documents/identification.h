// Every Jw_cad file starts with a fixed identification text; the file checks compare it.
#pragma once

#include <string_view>

#include "util/codepage.h"

namespace glyphgrab {

// True when the first ident.size() bytes of `head`, decoded as Shift_JIS up to the first
// NUL, equal `ident` exactly (letter case counts). A shorter head never matches.
bool IdentMatches(ByteSpan head, std::string_view ident);

}  // namespace glyphgrab

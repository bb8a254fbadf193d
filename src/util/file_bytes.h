#pragma once

#include <string_view>

#include "util/codepage.h"

namespace glyphgrab {

// Reads the whole file into `out` with one pass of reads. False when the file cannot be
// opened or read (a folder, a missing file, no permission); `out` is then empty.
bool ReadWholeFile(std::u16string_view path, Bytes& out);

}  // namespace glyphgrab

// Reading a file's bytes for the document readers: the readers themselves parse spans.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "util/codepage.h"

namespace glyphgrab::jw {

// Reads at most `limit` bytes from the start of the file into `out`; `fileSize` receives
// the file's size. False when the file cannot be opened or read.
bool ReadFilePrefix(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t& fileSize);

}  // namespace glyphgrab::jw

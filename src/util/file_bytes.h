#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "util/codepage.h"

namespace glyphgrab {

// Reads the whole file into `out` with one pass of reads. False when the file cannot be
// opened or read (a folder, a FIFO or device, a missing file, no permission); `out` is
// then empty. Never blocks on a FIFO.
bool ReadWholeFile(std::u16string_view path, Bytes& out);

// Reads at most `limit` bytes from the start of a regular file into `out`, for checks and
// header reads that need no more; `fileSize`, when given, receives the file's size. False
// when the file cannot be opened or read; `out` is then empty.
bool ReadFilePrefix(std::u16string_view path, std::size_t limit, Bytes& out,
                    std::uint64_t* fileSize = nullptr);

// True when the path can be opened for reading (a file or a folder with read access),
// without blocking on a FIFO.
bool CanOpenForReading(std::u16string_view path);

}  // namespace glyphgrab

// What a file looked like when this run last read or wrote it, to tell whether another
// program changed it since: size and modification time, then a hash of its bytes when
// those differ (a copy that kept the time, an editor that wrote the same bytes back).
#pragma once

#include <cstdint>
#include <string>

#include "util/codepage.h"

namespace glyphgrab {

struct FileVersion {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t time = 0;
  bool operator==(const FileVersion&) const = default;
};

// A missing or unreadable file gives the stamp of no file.
FileVersion FileVersionOf(const std::u16string& path);

std::uint64_t HashBytes(ByteSpan bytes);

}  // namespace glyphgrab

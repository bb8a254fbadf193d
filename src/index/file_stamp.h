// What tells the index that a file is unchanged since it was read: its size and its
// last-write time, as the system gives them to the finest unit it keeps.
#pragma once

#include <cstdint>
#include <string_view>

namespace glyphgrab {

struct FileStamp {
  std::int64_t size = 0;
  std::int64_t mtime = 0;  // nanoseconds (Linux) or 100 ns units (Windows) since an epoch

  bool operator==(const FileStamp&) const = default;
};

// The stamp of the plain file at `path` (symbolic links followed); false when no plain
// file is there.
bool FileStampOf(std::u16string_view path, FileStamp& out);

// Whether a file written at `stamp.mtime` may still change within the same tick of the
// file system's clock without its stamp showing it (the last two seconds, or the
// future): such files are read but not kept.
bool StampTooRecent(const FileStamp& stamp);

}  // namespace glyphgrab

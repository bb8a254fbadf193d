#include "index/file_stamp.h"

#include <windows.h>

#include "util/win32/wide_path.h"

namespace glyphgrab {

namespace {
std::int64_t FromFileTime(const FILETIME& t) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}
}  // namespace

bool FileStampOf(std::u16string_view path, FileStamp& out) {
  WIN32_FILE_ATTRIBUTE_DATA data {};
  if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  out.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  out.mtime = FromFileTime(data.ftLastWriteTime);
  return true;
}

bool StampTooRecent(const FileStamp& stamp) {
  FILETIME now {};
  GetSystemTimeAsFileTime(&now);
  return stamp.mtime > FromFileTime(now) - 2 * 10000000;
}

}  // namespace glyphgrab

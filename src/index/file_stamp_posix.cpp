#include "index/file_stamp.h"

#include <sys/stat.h>

#include <ctime>

#include "util/paths.h"

namespace glyphgrab {

namespace {
constexpr std::int64_t kNanos = 1000000000;
}  // namespace

bool FileStampOf(std::u16string_view path, FileStamp& out) {
  struct stat st {};
  if (StatNative(PathToNative(path), st, true) != 0 || !S_ISREG(st.st_mode)) return false;
  out.size = static_cast<std::int64_t>(st.st_size);
  out.mtime = static_cast<std::int64_t>(st.st_mtim.tv_sec) * kNanos + st.st_mtim.tv_nsec;
  return true;
}

bool StampTooRecent(const FileStamp& stamp) {
  timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const std::int64_t nowNs = static_cast<std::int64_t>(now.tv_sec) * kNanos + now.tv_nsec;
  return stamp.mtime > nowNs - 2 * kNanos;
}

}  // namespace glyphgrab

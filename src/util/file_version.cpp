#include "util/file_version.h"

#include <filesystem>

#include "util/paths.h"

namespace glyphgrab {

FileVersion FileVersionOf(const std::u16string& path) {
  std::error_code ec;
#ifdef _WIN32
  const std::filesystem::path p(path);
#else
  const std::filesystem::path p(PathToNative(path));
#endif
  FileVersion stamp;
  stamp.size = std::filesystem::file_size(p, ec);
  if (ec) return {};
  const auto time = std::filesystem::last_write_time(p, ec);
  if (ec) return {};
  stamp.exists = true;
  stamp.time = static_cast<std::int64_t>(time.time_since_epoch().count());
  return stamp;
}

std::uint64_t HashBytes(ByteSpan bytes) {
  std::uint64_t h = 1469598103934665603ull;
  for (const std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

}  // namespace glyphgrab

#include "util/file_bytes.h"

#include <algorithm>

namespace glyphgrab {
namespace {

// Reads up to `limit` bytes from the start. The size is a hint only: the file may change
// while it is read.
bool ReadRegular(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t* fileSize,
                 int* error) {
  out.clear();
  if (fileSize) *fileSize = 0;
  ReadableFile file(path);
  if (!file.ok()) {
    if (error) *error = file.error();
    return false;
  }
  if (fileSize) *fileSize = file.size();
  out.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), limit)));
  std::size_t chunk = 1 << 16;
  while (out.size() < limit) {
    const std::size_t have = out.size();
    const std::size_t want = std::min(std::max<std::size_t>(chunk, out.capacity() - have), limit - have);
    out.resize(have + want);
    const std::ptrdiff_t got = file.Read(out.data() + have, want);
    if (got < 0) {
      out.clear();
      if (error) *error = file.error();
      return false;
    }
    out.resize(have + static_cast<std::size_t>(got));
    if (static_cast<std::size_t>(got) < want) break;  // the end of the file
    chunk = std::min<std::size_t>(chunk * 2, 1 << 24);
  }
  return true;
}

}  // namespace

bool ReadWholeFile(std::u16string_view path, Bytes& out, int* error) {
  return ReadRegular(path, static_cast<std::size_t>(-1), out, nullptr, error);
}

bool ReadFilePrefix(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t* fileSize) {
  return ReadRegular(path, limit, out, fileSize, nullptr);
}

}  // namespace glyphgrab

#include "documents/jw_file.h"

#include <fstream>

#include "util/paths.h"

namespace glyphgrab::jw {

bool ReadFilePrefix(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t& fileSize) {
  out.clear();
  fileSize = 0;
  if (!IsFile(path)) return false;
  std::ifstream in(PathToNative(path), std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff end = in.tellg();
  if (end < 0) return false;
  fileSize = static_cast<std::uint64_t>(end);
  in.seekg(0);
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, limit));
  out.resize(want);
  in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(want));
  out.resize(static_cast<std::size_t>(in.gcount()));
  return !in.bad();
}

}  // namespace glyphgrab::jw

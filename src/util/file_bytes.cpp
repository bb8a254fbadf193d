#include "util/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "util/paths.h"

namespace glyphgrab {

bool ReadWholeFile(std::u16string_view path, Bytes& out) {
  out.clear();
  const int fd = ::open(PathToNative(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (ok) {
    // The size is a hint only: the file may change while it is read.
    out.reserve(static_cast<std::size_t>(st.st_size));
    std::size_t chunk = 1 << 16;
    for (;;) {
      const std::size_t have = out.size();
      const std::size_t want = std::max<std::size_t>(chunk, out.capacity() - have);
      out.resize(have + want);
      const ssize_t got = ::read(fd, out.data() + have, want);
      if (got < 0) {
        if (errno == EINTR) {
          out.resize(have);
          continue;
        }
        ok = false;
        break;
      }
      out.resize(have + static_cast<std::size_t>(got));
      if (got == 0) break;
      chunk = std::min<std::size_t>(chunk * 2, 1 << 24);
    }
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}

bool ReadFilePrefix(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t* fileSize) {
  out.clear();
  if (fileSize) *fileSize = 0;
  if (!IsFile(path)) return false;
  std::ifstream in(PathToNative(path), std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff end = in.tellg();
  if (end < 0) return false;
  const auto size = static_cast<std::uint64_t>(end);
  if (fileSize) *fileSize = size;
  in.seekg(0);
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, limit));
  out.resize(want);
  in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(want));
  out.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) out.clear();
  return !in.bad();
}

}  // namespace glyphgrab

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/file_bytes.h"
#include "util/paths.h"

namespace glyphgrab {

ReadableFile::ReadableFile(std::u16string_view path) {
  fd_ = OpenNative(PathToNative(path), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    error_ = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ::close(fd_);
    fd_ = -1;
    return;
  }
  size_ = static_cast<std::uint64_t>(st.st_size);
}

ReadableFile::~ReadableFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::ptrdiff_t ReadableFile::Read(std::uint8_t* buf, std::size_t n) {
  if (fd_ < 0) return -1;
  std::size_t have = 0;
  while (have < n) {
    const ssize_t got = ::read(fd_, buf + have, n - have);
    if (got < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return -1;
    }
    if (got == 0) break;
    have += static_cast<std::size_t>(got);
  }
  return static_cast<std::ptrdiff_t>(have);
}

}  // namespace glyphgrab

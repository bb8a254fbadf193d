#include "util/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/paths.h"

namespace glyphgrab {
namespace {

// Opens a regular file for reading. O_NONBLOCK keeps a FIFO or a device from blocking
// the open; such files are then refused, as are folders.
int OpenRegular(std::u16string_view path, struct stat& st) {
  const int fd = OpenNative(PathToNative(path), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Reads up to `limit` bytes from the start. The size is a hint only: the file may change
// while it is read.
bool ReadOpen(int fd, std::uint64_t sizeHint, std::size_t limit, Bytes& out) {
  out.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(sizeHint, limit)));
  std::size_t chunk = 1 << 16;
  while (out.size() < limit) {
    const std::size_t have = out.size();
    const std::size_t want = std::min(std::max<std::size_t>(chunk, out.capacity() - have), limit - have);
    out.resize(have + want);
    const ssize_t got = ::read(fd, out.data() + have, want);
    if (got < 0) {
      out.resize(have);
      if (errno == EINTR) continue;
      return false;
    }
    out.resize(have + static_cast<std::size_t>(got));
    if (got == 0) break;
    chunk = std::min<std::size_t>(chunk * 2, 1 << 24);
  }
  return true;
}

bool ReadRegular(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t* fileSize) {
  out.clear();
  if (fileSize) *fileSize = 0;
  struct stat st {};
  const int fd = OpenRegular(path, st);
  if (fd < 0) return false;
  if (fileSize) *fileSize = static_cast<std::uint64_t>(st.st_size);
  const bool ok = ReadOpen(fd, static_cast<std::uint64_t>(st.st_size), limit, out);
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}

}  // namespace

bool ReadWholeFile(std::u16string_view path, Bytes& out) {
  return ReadRegular(path, static_cast<std::size_t>(-1), out, nullptr);
}

bool ReadFilePrefix(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t* fileSize) {
  return ReadRegular(path, limit, out, fileSize);
}

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

bool CanOpenForReading(std::u16string_view path) {
  const int fd = OpenNative(PathToNative(path), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace glyphgrab

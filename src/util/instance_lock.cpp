#include "util/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/paths.h"

namespace glyphgrab {

TInstanceLock::~TInstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool TInstanceLock::Held() const { return fd_ >= 0; }

TInstanceLock::Result TInstanceLock::TryAcquire(std::u16string_view lockFile, int* error) {
  int ignored = 0;
  int& err = error ? *error : ignored;
  err = 0;
  if (fd_ >= 0) return Result::kAcquired;
  // O_NOFOLLOW: a link planted in the folder must not make us create or lock its target.
  const int fd = ::open(PathToNative(lockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    err = errno;
    return Result::kFailed;
  }
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    err = errno;
    ::close(fd);
    return err == EWOULDBLOCK ? Result::kHeld : Result::kFailed;
  }
  fd_ = fd;
  return Result::kAcquired;
}

bool TInstanceLock::Publish(std::string_view note) {
  if (fd_ < 0 || ::ftruncate(fd_, 0) != 0) return false;
  return ::pwrite(fd_, note.data(), note.size(), 0) == static_cast<ssize_t>(note.size());
}

std::string TInstanceLock::ReadPublished(std::u16string_view lockFile) {
  const int fd = ::open(PathToNative(lockFile).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return {};
  char buf[256];
  const ssize_t n = ::read(fd, buf, sizeof buf);
  ::close(fd);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace glyphgrab

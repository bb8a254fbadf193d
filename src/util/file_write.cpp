#include "util/file_write.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <signal.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "util/paths.h"

namespace glyphgrab {
namespace {

bool WriteAll(int fd, ByteSpan bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The name a symbolic link leads to, so that replacing the file keeps the link. A link
// is followed only into a regular file of the writing user, set by that same user: one
// planted in the folder must not make a save (root's above all) rewrite another file.
// Empty, with `err` set, when the link may not be followed.
std::string ResolveLink(const std::string& target, int& err) {
  struct stat lst {};
  if (::lstat(target.c_str(), &lst) != 0 || !S_ISLNK(lst.st_mode)) return target;
  char* real = ::realpath(target.c_str(), nullptr);
  if (!real) return target;  // a dangling link is replaced by the file
  std::string resolved(real);
  std::free(real);
  struct stat st {};
  if (::lstat(resolved.c_str(), &st) != 0) return target;
  if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || lst.st_uid != st.st_uid) {
    err = EPERM;
    return {};
  }
  return resolved;
}

// Opens a new, unique file next to `target`; -1 when none can be created.
int CreateTemporary(const std::string& target, std::string& tempName) {
  static std::atomic<unsigned> counter{0};
  const auto clock = static_cast<unsigned long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName = folder + "." + base + ".tmp-" + std::to_string(::getpid()) + "-" +
               std::to_string(clock % 1000000u) + "-" + std::to_string(counter++);
    const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The rename is durable only once the folder entry itself reaches the disk.
void SyncFolderOf(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteFileAtomic(std::u16string_view path, ByteSpan bytes, int* error) {
  int ignored = 0;
  int& err = error ? *error : ignored;
  err = EINVAL;
  if (path.empty()) return false;
  const std::string target = ResolveLink(PathToNative(path), err);
  if (target.empty()) return false;

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists) {
    // Renaming would replace a file the user made read-only, or a folder's entry.
    if (!S_ISREG(old.st_mode)) {
      err = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
      return false;
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      err = errno;
      return false;
    }
  } else {
    const std::size_t slash = target.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeFolder(NativeToPath(target.substr(0, slash)));
  }

  std::string tempName;
  const int fd = CreateTemporary(target, tempName);
  if (fd < 0) {
    err = errno;
    return false;
  }
  if (exists) {
    // Best effort: the content matters more. Ownership carries over only for root, who
    // must not leave a user's file owned by root.
    if (::geteuid() == 0) (void)!::fchown(fd, old.st_uid, old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
  }
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  if (!ok) err = errno;
  if (::close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  if (ok && ::rename(tempName.c_str(), target.c_str()) != 0) {
    err = errno;
    ok = false;
  }
  if (!ok) {
    ::unlink(tempName.c_str());
    return false;
  }
  SyncFolderOf(target);
  err = 0;
  return true;
}

int RemoveStaleTemporaries(std::u16string_view path) {
  const std::string target = PathToNative(path);
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string prefix = "." + (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp-";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  int removed = 0;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name.rfind(prefix, 0) != 0) continue;
    // ".<name>.tmp-<pid>-...": a writer that still runs may be about to rename it.
    const std::string rest = name.substr(prefix.size());
    char* end = nullptr;
    const long pid = std::strtol(rest.c_str(), &end, 10);
    if (end == rest.c_str() || *end != '-' || pid <= 0) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    if (::unlinkat(::dirfd(dir), name.c_str(), 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace glyphgrab

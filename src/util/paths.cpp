#include "util/paths.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/strings.h"

namespace glyphgrab {

namespace {

// Closes a descriptor without disturbing errno, which tells the caller why a later step
// failed.
void CloseKeepingErrno(int fd) {
  const int saved = errno;
  ::close(fd);
  errno = saved;
}

// Opens the folders of a path too long for one call, one run of whole components at a
// time, and returns the folder holding the rest with the rest (shorter than the limit)
// in `rest`; AT_FDCWD when the path is short. -1 with errno set on failure.
int WalkToShortRest(const std::string& native, std::string& rest) {
  rest = native;
  int dir = AT_FDCWD;
  while (rest.size() >= PATH_MAX) {
    std::size_t cut = rest.rfind('/', PATH_MAX - 2);
    if (cut == std::string::npos) {
      if (dir != AT_FDCWD) CloseKeepingErrno(dir);
      errno = ENAMETOOLONG;
      return -1;
    }
    const std::string head = cut == 0 ? std::string("/") : rest.substr(0, cut);
    // O_PATH needs only search permission on the folders, as a whole-path call would.
    const int next = ::openat(dir, head.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dir != AT_FDCWD) CloseKeepingErrno(dir);
    if (next < 0) return -1;
    dir = next;
    rest.erase(0, cut + 1);
    if (rest.empty()) rest.assign(1, '.');
  }
  return dir;
}

bool StatFollow(std::u16string_view path, struct stat& st) {
  if (path.empty()) return false;
  return StatNative(PathToNative(path), st, true) == 0;
}

// Blank, empty or longer than the platform allows.
bool IsUsablePath(std::u16string_view path) {
  if (RemoveBlanks(path).empty()) return false;
  if (path.find(u'\0') != std::u16string_view::npos) return false;
  return PathToNative(path).size() < PATH_MAX;
}

}  // namespace

int OpenNative(const std::string& native, int flags) {
  std::string rest;
  const int dir = WalkToShortRest(native, rest);
  if (dir == -1) return -1;
  const int fd = ::openat(dir, rest.c_str(), flags);
  if (dir != AT_FDCWD) CloseKeepingErrno(dir);
  return fd;
}

int StatNative(const std::string& native, struct stat& st, bool followLinks) {
  std::string rest;
  const int dir = WalkToShortRest(native, rest);
  if (dir == -1) return -1;
  const int r = ::fstatat(dir, rest.c_str(), &st, followLinks ? 0 : AT_SYMLINK_NOFOLLOW);
  if (dir != AT_FDCWD) CloseKeepingErrno(dir);
  return r;
}

bool PathExists(std::u16string_view path) {
  struct stat st {};
  return !path.empty() && StatNative(PathToNative(path), st, false) == 0;
}

bool IsFile(std::u16string_view path) {
  struct stat st {};
  return StatFollow(path, st) && S_ISREG(st.st_mode);
}

bool IsFolder(std::u16string_view path) {
  struct stat st {};
  return StatFollow(path, st) && S_ISDIR(st.st_mode);
}

bool MakeFolder(std::u16string_view path) {
  if (!IsUsablePath(path)) return false;
  const std::string native = PathToNative(path);
  // Create each missing level in turn; an existing level is fine.
  for (std::size_t k = 1; k <= native.size(); ++k) {
    if (k == native.size() || native[k] == '/') {
      const std::string level = native.substr(0, k);
      if (::mkdir(level.c_str(), 0777) != 0 && errno != EEXIST) break;
    }
  }
  return IsFolder(path);
}

int RenamePath(std::u16string_view from, std::u16string_view to) {
  return ::rename(PathToNative(from).c_str(), PathToNative(to).c_str()) == 0 ? 0 : errno;
}

bool RemoveFile(std::u16string_view path) {
  if (!IsUsablePath(path)) return false;
  struct stat st {};
  const std::string native = PathToNative(path);
  if (::lstat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(native.c_str()) == 0;
}

bool RemoveEmptyFolder(std::u16string_view path) {
  if (!IsUsablePath(path)) return false;
  return ::rmdir(PathToNative(path).c_str()) == 0;
}

std::u16string CurrentFolder() {
  char buf[PATH_MAX];
  return ::getcwd(buf, sizeof buf) ? NativeToPath(buf) : std::u16string();
}

}  // namespace glyphgrab

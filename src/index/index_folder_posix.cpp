#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "index/index_folder.h"
#include "index/index_store.h"
#include "util/paths.h"

namespace glyphgrab {

std::u16string IndexFolder() {
  // The cache folder's variable counts only when it holds an absolute path.
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && xdg[0] == '/') {
    return JoinPath(NativeToPath(xdg), u"glyphgrab");
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return JoinPath(JoinPath(NativeToPath(home), u".cache"), u"glyphgrab");
  }
  return {};
}

namespace detail {

int MakePrivateFolder(const std::u16string& folder) {
  const std::u16string above = RemoveTrailingDelim(folder.substr(0, folder.rfind(kPathDelim)));
  if (!above.empty() && !MakeFolder(above)) return errno != 0 ? errno : ENOENT;
  const std::string native = PathToNative(folder);
  if (::mkdir(native.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0) return errno;
  if (!S_ISDIR(st.st_mode)) return ENOTDIR;
  // A folder made earlier with looser rights is made private; one of another user is
  // left as it is (and the file inside stays private all the same).
  if ((st.st_mode & 077) != 0 && st.st_uid == ::geteuid()) ::chmod(native.c_str(), 0700);
  return 0;
}

int MakePrivateFile(const std::u16string& path) {
  const int fd = ::open(PathToNative(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

std::string SqliteFileName(std::u16string_view path) { return PathToNative(path); }

}  // namespace detail
}  // namespace glyphgrab

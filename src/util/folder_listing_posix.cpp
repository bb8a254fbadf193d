#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "util/folder_listing.h"
#include "util/paths.h"

namespace glyphgrab {

namespace {

// Size, date and time of a listing row from the file's status.
void FillFromStat(const struct stat& st, TFileField& row) {
  row.size = static_cast<std::int64_t>(st.st_size);
  std::tm local {};
  const std::time_t mtime = st.st_mtime;
  if (::localtime_r(&mtime, &local)) {
    detail::SetRowTime(row, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                       local.tm_min, local.tm_sec);
  }
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

// The folder at `path` opened for reading its entries; null, with `error` set, when it
// cannot be.
DirPtr OpenFolder(std::u16string_view path, int* error) {
  const int fd = OpenNative(PathToNative(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DirPtr dir(fd < 0 ? nullptr : ::fdopendir(fd));
  if (!dir) {
    if (error) *error = errno;
    if (fd >= 0) ::close(fd);
  }
  return dir;
}

bool IsDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

}  // namespace

bool ListFolderFiles(std::u16string_view folder, std::u16string_view mask, FolderListing& out,
                     int* error) {
  out.clear();
  const DirPtr dir = OpenFolder(AddTrailingDelim(folder), error);
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view nativeName(entry->d_name);
    if (IsDotOrDotDot(nativeName)) continue;
    std::u16string name = NativeToPath(nativeName);
    if (!MaskMatches(mask, name)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;

    TFileField row;
    FillFromStat(st, row);
    row.name = std::move(name);
    out.push_back(std::move(row));
  }
  // Linux gives no meaningful order; NTFS's is the one users know.
  detail::SortAsNtfs(out);
  return true;
}

bool ListFolderFileNames(std::u16string_view folder, std::vector<std::u16string>& out, int* error) {
  out.clear();
  const DirPtr dir = OpenFolder(AddTrailingDelim(folder), error);
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view nativeName(entry->d_name);
    if (IsDotOrDotDot(nativeName)) continue;
    bool plain = entry->d_type == DT_REG;
    // A link may lead to a plain file; some file systems say nothing of the kind.
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat st {};
      plain = ::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
    }
    if (plain) out.push_back(NativeToPath(nativeName));
  }
  detail::SortAsNtfs(out);
  return true;
}

bool FileFieldOf(std::u16string_view path, TFileField& out) {
  out = TFileField{};
  struct stat st {};
  if (path.empty() || StatNative(PathToNative(path), st, true) != 0 || !S_ISREG(st.st_mode)) return false;
  FillFromStat(st, out);
  out.name = FileBaseName(path);
  return true;
}

int FolderReadError(std::u16string_view path, bool& missing) {
  missing = true;
  struct stat st {};
  if (StatNative(PathToNative(path), st, true) != 0) return errno;
  if (!S_ISDIR(st.st_mode)) return ENOTDIR;
  missing = false;
  const int fd = OpenNative(PathToNative(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

bool ListSubFolders(std::u16string_view folder, std::vector<std::u16string>& names,
                    const StopRequested& stop, SubFolderNotes* notes) {
  names.clear();
  if (notes) *notes = {};
  const DirPtr dir = OpenFolder(folder, notes ? &notes->error : nullptr);
  if (!dir) return true;
  bool first = true;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!first && Stopped(stop)) return false;
    first = false;
    const std::string_view name(entry->d_name);
    if (name.empty() || name[0] == '.') continue;  // hidden, "." and ".."
    bool isDir = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat st {};
      isDir = ::fstatat(::dirfd(dir.get()), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
              S_ISDIR(st.st_mode);
    }
    if (isDir) {
      names.push_back(NativeToPath(name));
    } else if (notes && (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)) {
      struct stat st {};
      if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode))
        notes->links.push_back(NativeToPath(name));
    }
  }
  return true;
}

}  // namespace glyphgrab

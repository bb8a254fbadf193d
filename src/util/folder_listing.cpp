#include "util/folder_listing.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <memory>
#include <sys/stat.h>

#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab {

bool MaskMatches(std::u16string_view mask, std::u16string_view name) {
  const std::u16string m = StrUpper(mask);
  const std::u16string s = StrUpper(name);
  // Iterative glob with single-star backtracking: linear in practice, never exponential.
  std::size_t mi = 0, si = 0;
  std::size_t starM = std::u16string::npos, starS = 0;
  while (si < s.size()) {
    if (mi < m.size() && (m[mi] == u'?' || m[mi] == s[si])) {
      ++mi;
      ++si;
    } else if (mi < m.size() && m[mi] == u'*') {
      starM = mi++;
      starS = si;
    } else if (starM != std::u16string::npos) {
      mi = starM + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (mi < m.size() && m[mi] == u'*') ++mi;
  return mi == m.size();
}

namespace {

std::u16string Format2(const char* format, int a, int b, int c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, format, a, b, c);
  return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}

// Size, date and time of a listing row from the file's status.
void FillFromStat(const struct stat& st, TFileField& row) {
  row.size = static_cast<std::int64_t>(st.st_size);
  std::tm local {};
  const std::time_t mtime = st.st_mtime;
  if (::localtime_r(&mtime, &local)) {
    row.date = Format2("%04d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    row.time = Format2("%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
  }
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

bool ListFolderFiles(std::u16string_view folder, std::u16string_view mask, FolderListing& out,
                     int* error) {
  out.clear();
  const std::u16string base = AddTrailingDelim(folder);
  const int fd = OpenNative(PathToNative(base), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::unique_ptr<DIR, DirCloser> dir(fd < 0 ? nullptr : ::fdopendir(fd));
  if (!dir) {
    if (error) *error = errno;
    if (fd >= 0) ::close(fd);
    return false;
  }

  struct Keyed {
    std::u16string key;
    TFileField row;
  };
  std::vector<Keyed> rows;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view nativeName(entry->d_name);
    if (nativeName == "." || nativeName == "..") continue;
    std::u16string name = NativeToPath(nativeName);
    if (!MaskMatches(mask, name)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;

    TFileField row;
    FillFromStat(st, row);
    row.name = std::move(name);
    rows.push_back({StrUpper(row.name), std::move(row)});
  }
  // Linux gives no meaningful order; NTFS orders by the upper-cased names. Names that
  // differ only in case (possible here, not on Windows) keep a fixed order too.
  std::sort(rows.begin(), rows.end(), [](const Keyed& a, const Keyed& b) {
    if (a.key != b.key) return a.key < b.key;
    return a.row.name < b.row.name;
  });
  out.reserve(rows.size());
  for (auto& r : rows) out.push_back(std::move(r.row));
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

FolderListing ListFolderFiles(std::u16string_view folder, std::u16string_view mask) {
  FolderListing out;
  ListFolderFiles(folder, mask, out);
  return out;
}

}  // namespace glyphgrab

#include <windows.h>

#include <cerrno>

#include "util/folder_listing.h"
#include "util/paths.h"
#include "util/win32/wide_path.h"

namespace glyphgrab {
namespace {

void FillRow(const FILETIME& written, DWORD sizeHigh, DWORD sizeLow, TFileField& row) {
  row.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow);
  FILETIME local{};
  SYSTEMTIME t{};
  if (FileTimeToLocalFileTime(&written, &local) && FileTimeToSystemTime(&local, &t)) {
    detail::SetRowTime(row, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  }
}

// Calls `each` with every entry of `folder` that is not a folder. False with `error` set
// when the folder cannot be read.
template <typename Each>
bool ForEachPlainFile(std::u16string_view folder, int* error, Each each) {
  // All entries, matched by the callers: the system's own matching also tries the short
  // 8.3 names.
  const std::wstring pattern = WidePath(AddTrailingDelim(folder) + u"*");
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return true;  // an empty drive root
    if (error) *error = ErrnoFromWin32(code);
    return false;
  }
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) each(data);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return true;
}

}  // namespace

bool ListFolderFiles(std::u16string_view folder, std::u16string_view mask, FolderListing& out,
                     int* error) {
  out.clear();
  const bool read = ForEachPlainFile(folder, error, [&](const WIN32_FIND_DATAW& data) {
    std::u16string name = FromWide(data.cFileName);
    if (!MaskMatches(mask, name)) return;
    TFileField row;
    FillRow(data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow, row);
    row.name = std::move(name);
    out.push_back(std::move(row));
  });
  // NTFS gives this order already; other file systems (and Wine's) may not.
  if (read) detail::SortAsNtfs(out);
  return read;
}

bool ListFolderFileNames(std::u16string_view folder, std::vector<std::u16string>& out, int* error) {
  out.clear();
  const bool read = ForEachPlainFile(folder, error, [&](const WIN32_FIND_DATAW& data) {
    out.push_back(FromWide(data.cFileName));
  });
  if (read) detail::SortAsNtfs(out);
  return read;
}

bool FileFieldOf(std::u16string_view path, TFileField& out) {
  out = TFileField{};
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  FillRow(data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow, out);
  out.name = FileBaseName(path);
  return true;
}

int FolderReadError(std::u16string_view path, bool& missing) {
  missing = true;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty()) return ENOENT;
  if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) {
    return ErrnoFromWin32(GetLastError());
  }
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return ENOTDIR;
  missing = false;
  WIN32_FIND_DATAW entry{};
  HANDLE find = FindFirstFileExW(WidePath(AddTrailingDelim(path) + u"*").c_str(), FindExInfoBasic,
                                 &entry, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND ? 0 : ErrnoFromWin32(code);  // an empty drive root
  }
  FindClose(find);
  return 0;
}

bool ListSubFolders(std::u16string_view folder, std::vector<std::u16string>& names,
                    const StopRequested& stop, SubFolderNotes* notes) {
  names.clear();
  if (notes) *notes = {};
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileExW(WidePath(AddTrailingDelim(folder) + u"*").c_str(), FindExInfoBasic,
                                 &data, FindExSearchLimitToDirectories, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (notes && code != ERROR_FILE_NOT_FOUND) notes->error = ErrnoFromWin32(code);
    return true;
  }
  bool first = true;
  bool complete = true;
  do {
    if (!first && Stopped(stop)) {
      complete = false;
      break;
    }
    first = false;
    // Junctions and folder links are not followed: they could lead back up the tree.
    const DWORD a = data.dwFileAttributes;
    constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
    // A leading "." leaves out "." and "..", and hides as on Linux.
    if ((a & FILE_ATTRIBUTE_DIRECTORY) == 0 || data.cFileName[0] == L'.') continue;
    if ((a & kLeftOut) != 0) {
      const bool hidden = (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
      if (notes && !hidden) notes->links.push_back(FromWide(data.cFileName));
      continue;
    }
    names.push_back(FromWide(data.cFileName));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return complete;
}

}  // namespace glyphgrab

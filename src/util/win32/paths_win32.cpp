#include <windows.h>

#include <cerrno>

#include "util/paths.h"
#include "util/strings.h"
#include "util/win32/wide_path.h"

namespace glyphgrab {

std::wstring WidePath(std::u16string_view path) {
  std::wstring w(path.begin(), path.end());
  for (wchar_t& c : w) {
    if (c == L'/') c = L'\\';
  }
  if (w.size() < MAX_PATH || w.rfind(L"\\\\?\\", 0) == 0) return w;
  // The prefix turns off the system's own normalisation: give it a full path.
  const DWORD need = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
  if (need > 0) {
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(w.c_str(), need, full.data(), nullptr);
    if (got > 0 && got < need) {
      full.resize(got);
      w = std::move(full);
    }
  }
  if (w.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + w.substr(2);
  return L"\\\\?\\" + w;
}

std::u16string FromWide(std::wstring_view w) { return std::u16string(w.begin(), w.end()); }

int ErrnoFromWin32(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return EEXIST;
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default: return EIO;
  }
}

namespace {

bool Attributes(std::u16string_view path, DWORD& attributes) {
  if (path.empty()) return false;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) return false;
  attributes = data.dwFileAttributes;
  return true;
}

// Blank or holding a character no Windows path may hold.
bool IsUsablePath(std::u16string_view path) {
  if (RemoveBlanks(path).empty()) return false;
  for (char16_t c : path) {
    if (c < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|') return false;
  }
  return true;
}

// Units of the root at the start of a path: "C:\" 3, "\\server\share\" up to the
// share's delimiter, "\" 1; 0 for a relative path.
std::size_t RootLength(std::u16string_view p) {
  if (p.size() >= 2 && p[1] == u':') return p.size() >= 3 && IsPathDelim(p[2]) ? 3 : 2;
  if (p.size() >= 2 && IsPathDelim(p[0]) && IsPathDelim(p[1])) {
    std::size_t k = 2, parts = 0;
    for (; k < p.size(); ++k) {
      if (IsPathDelim(p[k]) && ++parts == 2) return k + 1;
    }
    return k;
  }
  return !p.empty() && IsPathDelim(p[0]) ? 1 : 0;
}

}  // namespace

bool PathExists(std::u16string_view path) {
  DWORD a = 0;
  return Attributes(path, a);
}

bool IsFile(std::u16string_view path) {
  DWORD a = 0;
  return Attributes(path, a) && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(std::u16string_view path) {
  DWORD a = 0;
  return Attributes(path, a) && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolder(std::u16string_view path) {
  if (!IsUsablePath(path)) return false;
  // Create each missing level in turn below the root; an existing level is fine.
  for (std::size_t k = RootLength(path) + 1; k <= path.size(); ++k) {
    if (k == path.size() || IsPathDelim(path[k])) CreateDirectoryW(WidePath(path.substr(0, k)).c_str(), nullptr);
  }
  return IsFolder(path);
}

int RenamePath(std::u16string_view from, std::u16string_view to) {
  if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
  return ErrnoFromWin32(GetLastError());
}

bool RemoveFile(std::u16string_view path) {
  if (!IsUsablePath(path) || !IsFile(path)) return false;
  return DeleteFileW(WidePath(path).c_str()) != FALSE;
}

bool RemoveEmptyFolder(std::u16string_view path) {
  if (!IsUsablePath(path) || !IsFolder(path)) return false;
  const std::wstring w = WidePath(path);
  SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_NORMAL);
  return RemoveDirectoryW(w.c_str()) != FALSE;
}

std::u16string CurrentFolder() {
  const DWORD need = GetCurrentDirectoryW(0, nullptr);
  if (need == 0) return {};
  std::wstring w(need, L'\0');
  const DWORD got = GetCurrentDirectoryW(need, w.data());
  if (got == 0 || got >= need) return {};
  w.resize(got);
  return FromWide(w);
}

}  // namespace glyphgrab

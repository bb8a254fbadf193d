#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>

#include <algorithm>

#include "util/file_bytes.h"
#include "util/win32/wide_path.h"

namespace glyphgrab {

ReadableFile::ReadableFile(std::u16string_view path) {
  // Backup semantics let a folder open too, so that it is told apart from a missing file.
  HANDLE h = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (path.empty() || h == INVALID_HANDLE_VALUE) {
    error_ = path.empty() ? ENOENT : ErrnoFromWin32(GetLastError());
    return;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h, &info) || GetFileType(h) != FILE_TYPE_DISK ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error_ = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EISDIR : EINVAL;
    CloseHandle(h);
    return;
  }
  // The descriptor owns the handle from here on.
  fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
  if (fd_ < 0) {
    error_ = EMFILE;
    CloseHandle(h);
    return;
  }
  size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

ReadableFile::~ReadableFile() {
  if (fd_ >= 0) _close(fd_);
}

std::ptrdiff_t ReadableFile::Read(std::uint8_t* buf, std::size_t n) {
  if (fd_ < 0) return -1;
  HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
  std::size_t have = 0;
  while (have < n) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - have, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(h, buf + have, want, &got, nullptr)) {
      error_ = ErrnoFromWin32(GetLastError());
      return -1;
    }
    if (got == 0) break;
    have += got;
  }
  return static_cast<std::ptrdiff_t>(have);
}

}  // namespace glyphgrab

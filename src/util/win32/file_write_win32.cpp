#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "util/file_write.h"
#include "util/paths.h"
#include "util/win32/wide_path.h"

namespace glyphgrab {
namespace {

std::u16string Folder(std::u16string_view path) {
  for (std::size_t k = path.size(); k-- > 0;) {
    if (IsPathDelim(path[k])) return std::u16string(path.substr(0, k + 1));
  }
  return {};
}

std::u16string TemporaryPrefix(std::u16string_view path) {
  const std::string pid = std::to_string(GetCurrentProcessId());
  return u"." + FileBaseName(path) + u".tmp-" + std::u16string(pid.begin(), pid.end()) + u"-";
}

// A new, unique file next to `path`; INVALID_HANDLE_VALUE when none can be created.
HANDLE CreateTemporary(std::u16string_view path, std::u16string& tempName) {
  static std::atomic<unsigned> counter{0};
  const std::string tick = std::to_string(GetTickCount64() % 1000000u);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string n = tick + "-" + std::to_string(counter++);
    tempName = Folder(path) + TemporaryPrefix(path) + std::u16string(n.begin(), n.end());
    HANDLE h = CreateFileW(WidePath(tempName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE h, ByteSpan bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD wrote = 0;
    if (!WriteFile(h, bytes.data() + done, want, &wrote, nullptr)) return false;
    done += wrote;
  }
  return true;
}

}  // namespace

bool WriteFileAtomic(std::u16string_view path, ByteSpan bytes, int* error) {
  int ignored = 0;
  int& err = error ? *error : ignored;
  err = EINVAL;
  if (path.empty()) return false;
  WIN32_FILE_ATTRIBUTE_DATA old{};
  if (GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &old)) {
    // Replacing would undo what the user asked for with a read-only file, or a folder.
    if (old.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      err = EISDIR;
      return false;
    }
    if (old.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
      err = EACCES;
      return false;
    }
  } else if (const std::u16string folder = Folder(path); !folder.empty()) {
    MakeFolder(folder);
  }
  std::u16string tempName;
  HANDLE h = CreateTemporary(path, tempName);
  if (h == INVALID_HANDLE_VALUE) {
    err = ErrnoFromWin32(GetLastError());
    return false;
  }
  bool ok = WriteAll(h, bytes) && FlushFileBuffers(h);
  if (!ok) err = ErrnoFromWin32(GetLastError());
  CloseHandle(h);
  if (ok && !MoveFileExW(WidePath(tempName).c_str(), WidePath(path).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    err = ErrnoFromWin32(GetLastError());
    ok = false;
  }
  if (!ok) {
    DeleteFileW(WidePath(tempName).c_str());
    return false;
  }
  err = 0;
  return true;
}

int RemoveStaleTemporaries(std::u16string_view path) {
  const std::u16string folder = Folder(path);
  const std::u16string prefix = u"." + FileBaseName(path) + u".tmp-";
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW(WidePath((folder.empty() ? u".\\" : folder) + prefix + u"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int removed = 0;
  do {
    const std::u16string name = FromWide(data.cFileName);
    if (name.rfind(prefix, 0) != 0) continue;
    // ".<name>.tmp-<pid>-...": a writer that still runs may be about to rename it.
    const std::string rest(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end());
    char* end = nullptr;
    const unsigned long pid = std::strtoul(rest.c_str(), &end, 10);
    if (end == rest.c_str() || *end != '-' || pid == 0) continue;
    if (HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid))) {
      const bool running = WaitForSingleObject(p, 0) == WAIT_TIMEOUT;
      CloseHandle(p);
      if (running) continue;
    } else if (GetLastError() != ERROR_INVALID_PARAMETER) {
      continue;  // no such process answers ERROR_INVALID_PARAMETER
    }
    if (DeleteFileW(WidePath(folder + name).c_str())) ++removed;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return removed;
}

}  // namespace glyphgrab

#include <windows.h>

#include <cerrno>

#include "index/index_folder.h"
#include "index/index_store.h"
#include "util/codepage.h"
#include "util/paths.h"
#include "util/win32/wide_path.h"

namespace glyphgrab {

std::u16string IndexFolder() {
  const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
  if (n == 0) return {};
  std::wstring w(n, L'\0');
  const DWORD got = GetEnvironmentVariableW(L"LOCALAPPDATA", w.data(), n);
  if (got == 0 || got >= n) return {};
  w.resize(got);
  return JoinPath(FromWide(w), u"Glyphgrab");
}

namespace detail {

// The user's own local application data is private to the user already; its files
// inherit that.
int MakePrivateFolder(const std::u16string& folder) {
  if (MakeFolder(folder)) return 0;
  const DWORD code = GetLastError();
  return code != 0 ? ErrnoFromWin32(code) : EACCES;
}

int MakePrivateFile(const std::u16string& path) {
  const HANDLE h = CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return ErrnoFromWin32(GetLastError());
  CloseHandle(h);
  return 0;
}

std::string SqliteFileName(std::u16string_view path) { return StrToUtf8(path); }

}  // namespace detail
}  // namespace glyphgrab

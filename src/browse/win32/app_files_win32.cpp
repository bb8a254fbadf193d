#include <windows.h>

#include <string>

#include "browse/app_files.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

std::u16string FromWide(const wchar_t* w, std::size_t n) { return std::u16string(w, w + n); }

// Whether a new file can be created in the folder: the one sure test on Windows, where
// access rights come from lists the attributes do not show.
bool CanCreateIn(std::u16string_view folder) {
  const std::u16string probe = AddTrailingDelim(folder) + u".glyphgrab-write-test-" +
                               std::u16string(1, static_cast<char16_t>(u'a' + GetCurrentProcessId() % 26));
  const std::wstring w(probe.begin(), probe.end());
  HANDLE h = CreateFileW(w.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

}  // namespace

bool IsSystemLocation(std::u16string_view) { return false; }

std::u16string PerUserFolder(const TAppEnvironment& env) {
  if (env.appData.empty()) return {};
  return AddTrailingDelim(env.appData) + u"Glyphgrab" + PathDelimChar();
}

TFileProbe RealFileProbe() {
  return TFileProbe{
      [](std::u16string_view p) { return IsFile(p); },
      [](std::u16string_view p) {
        const std::wstring w(p.begin(), p.end());
        const DWORD a = GetFileAttributesW(w.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
      },
      [](std::u16string_view p) { return IsFolder(p) && CanCreateIn(p); },
  };
}

std::u16string CurrentExecutablePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return FromWide(buf.data(), n);
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

TAppEnvironment CurrentAppEnvironment() {
  TAppEnvironment env;
  if (const DWORD n = GetEnvironmentVariableW(L"APPDATA", nullptr, 0); n > 0) {
    std::wstring w(n, L'\0');
    const DWORD got = GetEnvironmentVariableW(L"APPDATA", w.data(), n);
    if (got > 0 && got < n) env.appData = FromWide(w.data(), got);
  }
  return env;
}

}  // namespace glyphgrab

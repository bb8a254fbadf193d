// Paths as the wide-character Windows APIs take them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace glyphgrab {

// The path for CreateFileW and its kin: "/" becomes "\", and a path of MAX_PATH
// characters or more is made absolute with the "\\?\" prefix ("\\?\UNC\" for
// \\server\share paths), which lifts the limit.
std::wstring WidePath(std::u16string_view path);

std::u16string FromWide(std::wstring_view w);

// The errno value closest to a Win32 error code, so that messages read as on Linux.
int ErrnoFromWin32(DWORD code);

}  // namespace glyphgrab

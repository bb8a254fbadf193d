// A later start of the Windows tool hands its file to the copy that owns the folder of
// settings and memo: the owner publishes its main window's handle in the folder's lock
// file and takes the path in a WM_COPYDATA message.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace glyphgrab::wingui {

inline constexpr ULONG_PTR kOpenPathTag = 0x47474F50;  // "GGOP"

// The note the owner leaves for later starts: its main window's handle.
std::string HandOverNote(HWND mainWindow);

// Sends `path` (absolute, or empty to come to the front) to the owner named in
// `lockFile`. True once the owner took it; false when it is gone or does not answer
// within a few seconds (a hung window included).
bool HandOverToRunningWindow(std::u16string_view lockFile, std::u16string_view path);

// The path of a WM_COPYDATA message that carries kOpenPathTag; false for anything else.
bool ReadHandedOverPath(const COPYDATASTRUCT& data, std::u16string& path);

}  // namespace glyphgrab::wingui

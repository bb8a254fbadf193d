// Paths and file-system operations. Paths are UTF-16 texts. No function throws;
// failures answer false or an empty text.
#pragma once

#include <string>
#include <string_view>
#include <sys/stat.h>

namespace glyphgrab {

// The character that separates the parts of a path. On Linux "\\" is an ordinary
// character of a file name and is shown, listed and opened as the file system holds it;
// Windows writes "\\" and also accepts "/".
#ifdef _WIN32
inline constexpr char16_t kPathDelim = u'\\';
#else
inline constexpr char16_t kPathDelim = u'/';
#endif
constexpr char16_t PathDelimChar() { return kPathDelim; }
constexpr bool IsPathDelim(char16_t c) { return c == kPathDelim || (kPathDelim == u'\\' && c == u'/'); }

std::u16string AddTrailingDelim(std::u16string_view path);
// Removes one trailing delimiter, but never the one of a root folder ("/"; "C:\\" on
// Windows, where "C:" would name the drive's working folder instead).
std::u16string RemoveTrailingDelim(std::u16string_view path);
// folder + name with exactly one delimiter between them, whether or not folder ends
// with one ("/" and "a" give "/a").
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);
// The extension with its dot, lower-cased (".jww"); empty when the last path component
// has no dot; "." for a name ending in a dot.
std::u16string FileExtLower(std::u16string_view path);
// Replaces the extension of the last component, or appends newExt when there is none.
std::u16string ReplaceFileExt(std::u16string_view path, std::u16string_view newExt);
// The last path component.
std::u16string FileBaseName(std::u16string_view path);

// File-system names are bytes on Linux and need not be UTF-8. Bytes that are not valid
// UTF-8 travel as the lone surrogates U+DC80..U+DCFF, so every name read from a folder
// can be opened again.
std::string PathToNative(std::u16string_view path);
std::u16string NativeToPath(std::string_view native);

// open(2) and stat(2) of a native path of any length: beyond the system's limit the path
// is walked folder by folder with openat/fstatat. -1 with errno set on failure.
int OpenNative(const std::string& native, int flags);
int StatNative(const std::string& native, struct stat& st, bool followLinks);

// The process's working folder; empty when it cannot be told.
std::u16string CurrentFolder();

// Whether anything at all has that name; a symbolic link is not followed.
bool PathExists(std::u16string_view path);
// "<path>.bak", or the first of "<path>.bak2", "<path>.bak3"... that is free, so an
// earlier backup is never replaced.
std::u16string FreeBackupName(std::u16string_view path);
// Another program's version kept beside `path`: "<path>.20261211-081500.bak" (local
// time), or "-2", "-3"... before ".bak" when that is taken.
std::u16string StampedBackupName(std::u16string_view path);
// Symbolic links are followed.
bool IsFile(std::u16string_view path);
bool IsFolder(std::u16string_view path);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool MakeFolder(std::u16string_view path);
// Renames `from` to `to`, replacing a file there. 0 on success, else why not (an errno
// value).
int RenamePath(std::u16string_view from, std::u16string_view to);
// Deletes a file (not a folder).
bool RemoveFile(std::u16string_view path);
// Removes a folder that holds no entry; never recursive.
bool RemoveEmptyFolder(std::u16string_view path);

}  // namespace glyphgrab

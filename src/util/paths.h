// Paths and file-system operations. Paths are UTF-16 texts; on Linux the delimiter is
// "/", and the delimiter tests accept "\" as well so that texts written on Windows keep
// working. No function throws; failures answer false or an empty text.
#pragma once

#include <string>
#include <string_view>

namespace glyphgrab {

constexpr char16_t PathDelimChar() { return u'/'; }
constexpr bool IsPathDelim(char16_t c) { return c == u'/' || c == u'\\'; }

std::u16string AddTrailingDelim(std::u16string_view path);
std::u16string RemoveTrailingDelim(std::u16string_view path);
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

// The process's working folder; empty when it cannot be told.
std::u16string CurrentFolder();

// Symbolic links are followed.
bool IsFile(std::u16string_view path);
bool IsFolder(std::u16string_view path);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool MakeFolder(std::u16string_view path);
// Deletes a file (not a folder).
bool RemoveFile(std::u16string_view path);
// Removes a folder that holds no entry; never recursive.
bool RemoveEmptyFolder(std::u16string_view path);

}  // namespace glyphgrab

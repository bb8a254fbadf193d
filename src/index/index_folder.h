// The platform's side of the index's files: where they live, and keeping them private
// (they hold the texts of the user's drawings).
#pragma once

#include <string>
#include <string_view>

namespace glyphgrab::detail {

// Makes `folder` and the folders above it; the last level is made (or set) private to
// the user. 0, or why not (an errno value).
int MakePrivateFolder(const std::u16string& folder);
// Creates the empty file `path` readable and writable by the user alone, unless it
// exists. 0, or why not.
int MakePrivateFile(const std::u16string& path);
// The file name as SQLite's open takes it.
std::string SqliteFileName(std::u16string_view path);

}  // namespace glyphgrab::detail

// What a path handed to the desktop tool at start-up (by a file manager's "open with",
// or typed after the command) opens: the folder to list, the file to extract, and the
// root of the folder tree to use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glyphgrab {

struct TStartPath {
  std::u16string rootFolder;  // with its trailing delimiter
  std::u16string folder;      // the folder to list, without a trailing delimiter
  std::u16string fileName;    // the file to extract in it; empty when a folder was given
};

// `path` may be relative to `currentFolder`; "." and ".." are resolved by name. When the
// folder lies in the tree under `rootFolder` the root stays, otherwise the folder itself
// becomes the root, as when it is chosen with the folder button. Nothing for a path that
// names neither a file nor a folder.
std::optional<TStartPath> ResolveStartPath(std::u16string_view path, std::u16string_view rootFolder,
                                           std::u16string_view currentFolder);

}  // namespace glyphgrab

#include "browse/start_path.h"

#include <filesystem>

#include "util/paths.h"

namespace glyphgrab {
namespace {

// The absolute, lexically normal form: no ".", "..", repeated or trailing delimiters.
std::u16string Normal(std::u16string_view path, std::u16string_view currentFolder) {
  // Through UTF-8 (and raw bytes on Linux), not the narrow code page that a std::string
  // would mean to std::filesystem on Windows.
  const auto fsPath = [](std::u16string_view s) {
    const std::string native = PathToNative(s);
    return std::filesystem::path(std::u8string(native.begin(), native.end()));
  };
  std::filesystem::path p = fsPath(path);
  if (p.is_relative()) p = fsPath(currentFolder) / p;
  const std::u8string normal = p.lexically_normal().u8string();
  std::u16string out = NativeToPath(std::string(normal.begin(), normal.end()));
  return out.size() > 1 ? RemoveTrailingDelim(out) : out;
}

bool IsInside(std::u16string_view folder, std::u16string_view root) {
  const std::u16string r = AddTrailingDelim(root);
  return AddTrailingDelim(folder).starts_with(r);
}

}  // namespace

std::optional<TStartPath> ResolveStartPath(std::u16string_view path, std::u16string_view rootFolder,
                                           std::u16string_view currentFolder) {
  if (path.empty()) return std::nullopt;
  const std::u16string full = Normal(path, currentFolder);
  TStartPath start;
  if (IsFolder(full)) {
    start.folder = full;
  } else if (IsFile(full)) {
    const std::size_t slash = full.find_last_of(kPathDelim);
    start.folder = slash == 0 ? std::u16string(u"/") : full.substr(0, slash);
    start.fileName = full.substr(slash + 1);
  } else {
    return std::nullopt;
  }
  const bool inTree = !rootFolder.empty() && IsFolder(rootFolder) &&
                      IsInside(start.folder, Normal(rootFolder, currentFolder));
  start.rootFolder = AddTrailingDelim(inTree ? rootFolder : std::u16string_view(start.folder));
  return start;
}

}  // namespace glyphgrab

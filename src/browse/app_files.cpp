#include "browse/app_files.h"

#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

#include "util/paths.h"

namespace glyphgrab {
namespace {

bool Writable(std::u16string_view path) {
  return ::faccessat(AT_FDCWD, PathToNative(path).c_str(), W_OK, AT_EACCESS) == 0;
}

// The folder part of a path, with its trailing delimiter.
std::u16string FolderOf(std::u16string_view path) {
  std::size_t i = path.size();
  while (i > 0 && !IsPathDelim(path[i - 1])) --i;
  return std::u16string(path.substr(0, i));
}

bool IsUnder(std::u16string_view path, std::u16string_view root) {
  return path.size() > root.size() && path.substr(0, root.size()) == root &&
         IsPathDelim(path[root.size()]);
}

bool IsSystemLocation(std::u16string_view exePath) {
  return IsUnder(exePath, u"/usr") || IsUnder(exePath, u"/opt");
}

TAppFiles FilesIn(std::u16string folder, std::u16string_view settingsName, bool portable) {
  TAppFiles f;
  f.folder = std::move(folder);
  f.settingsFile = f.folder + std::u16string(settingsName);
  f.settingsSource = f.settingsFile;
  f.memoFile = f.folder + u"Memo.txt";
  f.tempFolder = f.folder + u"TEMP" + PathDelimChar();
  f.portable = portable;
  return f;
}

}  // namespace

TFileProbe RealFileProbe() {
  return TFileProbe{
      [](std::u16string_view p) { return IsFile(p); },
      [](std::u16string_view p) { return IsFile(p) && Writable(p); },
      // Creating the temporary file of an atomic save needs write and search access.
      [](std::u16string_view p) {
        return IsFolder(p) &&
               ::faccessat(AT_FDCWD, PathToNative(p).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
      },
  };
}

TAppFiles LocateAppFiles(std::u16string_view exePath, const TAppEnvironment& env,
                         const TFileProbe& probe) {
  const std::u16string exeFolder = FolderOf(exePath);
  const std::u16string base = FileBaseName(exePath);
  const std::u16string settingsName = ReplaceFileExt(base.empty() ? u"glyphgrab" : base, u".dat");
  const std::u16string besideExe = exeFolder + settingsName;
  const bool folderWritable = !exeFolder.empty() && probe.isWritableFolder(exeFolder);

  const bool fileBeside = probe.isFile(besideExe);
  // Saving replaces the file through a new one in the same folder, so portable use needs
  // the folder writable too; a read-only file there is an administrator's template.
  const bool portable = fileBeside ? folderWritable && probe.isWritableFile(besideExe)
                                   : folderWritable && !IsSystemLocation(exePath);
  if (portable) return FilesIn(exeFolder, settingsName, true);

  std::u16string config;
  if (!env.xdgConfigHome.empty() && IsPathDelim(env.xdgConfigHome.front())) {
    config = AddTrailingDelim(env.xdgConfigHome);
  } else if (!env.home.empty()) {
    config = AddTrailingDelim(env.home) + u".config" + PathDelimChar();
  } else {
    return FilesIn(exeFolder, settingsName, true);  // nowhere else to go
  }
  TAppFiles f = FilesIn(config + u"glyphgrab" + PathDelimChar(), settingsName, false);
  if (!probe.isFile(f.settingsFile) && fileBeside) f.settingsSource = besideExe;
  return f;
}

std::u16string CurrentExecutablePath() {
  std::vector<char> buf(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < buf.size()) return NativeToPath(std::string_view(buf.data(), static_cast<std::size_t>(n)));
    if (buf.size() >= (1u << 20)) return {};
    buf.resize(buf.size() * 2);
  }
}

TAppEnvironment CurrentAppEnvironment() {
  TAppEnvironment env;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) env.xdgConfigHome = NativeToPath(xdg);
  if (const char* home = std::getenv("HOME"); home && *home) {
    env.home = NativeToPath(home);
  } else {
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_dir)
      env.home = NativeToPath(found->pw_dir);
  }
  return env;
}

TAppFiles LocateAppFiles() {
  return LocateAppFiles(CurrentExecutablePath(), CurrentAppEnvironment(), RealFileProbe());
}

}  // namespace glyphgrab

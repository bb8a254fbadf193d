#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

#include "browse/app_files.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

bool IsUnder(std::u16string_view path, std::u16string_view root) {
  return path.size() > root.size() && path.substr(0, root.size()) == root &&
         IsPathDelim(path[root.size()]);
}

bool Writable(std::u16string_view path) {
  return ::faccessat(AT_FDCWD, PathToNative(path).c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

bool IsSystemLocation(std::u16string_view exePath) {
  return IsUnder(exePath, u"/usr") || IsUnder(exePath, u"/opt");
}

std::u16string PerUserFolder(const TAppEnvironment& env) {
  std::u16string config;
  if (!env.xdgConfigHome.empty() && IsPathDelim(env.xdgConfigHome.front())) {
    config = AddTrailingDelim(env.xdgConfigHome);
  } else if (!env.home.empty()) {
    config = AddTrailingDelim(env.home) + u".config" + PathDelimChar();
  } else {
    return {};
  }
  return config + u"glyphgrab" + PathDelimChar();
}

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

}  // namespace glyphgrab

// Freedesktop systems open files through xdg-open; it picks the associated application.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <thread>

#include "platform/misc.h"
#include "util/paths.h"

extern char** environ;

namespace glyphgrab {
namespace {

class XdgMisc final : public TMisc {
 public:
  void Open(std::u16string_view sCommand) override {
    std::string path = PathToNative(sCommand);
    if (path.empty()) return;
    // The path is one argument vector entry: no shell ever parses it.
    char arg0[] = "xdg-open";
    char* argv[] = {arg0, path.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return;
    // Reap it in the background so no zombie is left behind.
    std::thread([pid] {
      int status = 0;
      ::waitpid(pid, &status, 0);
    }).detach();
  }
};

}  // namespace

std::unique_ptr<TMisc> MakePlatformMisc() { return std::make_unique<XdgMisc>(); }

}  // namespace glyphgrab

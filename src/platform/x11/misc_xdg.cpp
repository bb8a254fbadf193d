// Freedesktop systems open files through xdg-open; it picks the associated application.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/misc.h"
#include "util/paths.h"

extern char** environ;

namespace glyphgrab {
namespace {

// How long the opener may take to refuse a file before it is taken as handed over: a
// refusal comes at once, while some openers wait for the application they started.
constexpr auto kOpenerAnswer = std::chrono::seconds(10);

OpenOutcome OutcomeOf(int status) {
  if (!WIFEXITED(status)) return OpenOutcome::kFailed;
  // xdg-open's exit codes: 2 a file that does not exist, 3 no way to open it (no
  // associated application, or a tool it needs is missing), 4 the action failed.
  switch (WEXITSTATUS(status)) {
    case 0: return OpenOutcome::kHandedOver;
    case 2: return OpenOutcome::kNotFound;
    case 3: return OpenOutcome::kNoApplication;
    default: return OpenOutcome::kFailed;
  }
}

class XdgMisc final : public TMisc {
 public:
  void Open(std::u16string_view sCommand, OpenDone done = {}) override {
    std::string path = PathToNative(sCommand);
    if (path.empty()) return;
    // The path is one argument vector entry: no shell ever parses it.
    char arg0[] = "xdg-open";
    char* argv[] = {arg0, path.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) {
      if (done) done(OpenOutcome::kNoApplication);
      return;
    }
    // Reaped in the background so no zombie is left behind.
    std::thread([pid, done = std::move(done)] {
      const auto start = std::chrono::steady_clock::now();
      int status = 0;
      if (::waitpid(pid, &status, 0) != pid) return;
      if (done && std::chrono::steady_clock::now() - start < kOpenerAnswer) done(OutcomeOf(status));
    }).detach();
  }
};

}  // namespace

std::unique_ptr<TMisc> MakePlatformMisc() { return std::make_unique<XdgMisc>(); }

}  // namespace glyphgrab

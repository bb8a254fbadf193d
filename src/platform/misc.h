// Opening a file with the desktop's associated application.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace glyphgrab {

// How handing a file to its application ended.
enum class OpenOutcome {
  kHandedOver,     // an application took it (or is still taking it)
  kNoApplication,  // nothing opens files of its type
  kNotFound,       // the file is gone
  kFailed,         // the opener or the application reported an error
};

class TMisc {
 public:
  using OpenDone = std::function<void(OpenOutcome)>;

  virtual ~TMisc() = default;
  // Hands the file at `sCommand` to the application associated with its type and returns
  // without waiting for it. `done`, when given, learns how it went: on the calling
  // thread before Open returns, or later on another thread, or never when the opener is
  // still busy after a few seconds (it is then taken as handed over).
  virtual void Open(std::u16string_view sCommand, OpenDone done = {}) = 0;
};

// The implementation for the platform this program was built for.
std::unique_ptr<TMisc> MakePlatformMisc();

}  // namespace glyphgrab

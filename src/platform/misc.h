// Opening a file with the desktop's associated application.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace glyphgrab {

class TMisc {
 public:
  virtual ~TMisc() = default;
  // Hands the file at `sCommand` to the application associated with its type. The
  // request is fire-and-forget: its outcome is not reported.
  virtual void Open(std::u16string_view sCommand) = 0;
};

// The implementation for the platform this program was built for.
std::unique_ptr<TMisc> MakePlatformMisc();

}  // namespace glyphgrab

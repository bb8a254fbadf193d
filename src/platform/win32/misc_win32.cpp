#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/misc.h"

namespace glyphgrab {
namespace {

class Win32Misc final : public TMisc {
 public:
  void Open(std::u16string_view sCommand, OpenDone done = {}) override {
    const std::wstring path(sCommand.begin(), sCommand.end());
    // Values up to 32 are errors.
    const auto code = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr,
                                                              SW_SHOWNORMAL));
    if (!done) return;
    switch (code) {
      case SE_ERR_NOASSOC:
      case SE_ERR_ASSOCINCOMPLETE: done(OpenOutcome::kNoApplication); break;
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND: done(OpenOutcome::kNotFound); break;
      default: done(code > 32 ? OpenOutcome::kHandedOver : OpenOutcome::kFailed);
    }
  }
};

}  // namespace

std::unique_ptr<TMisc> MakePlatformMisc() { return std::make_unique<Win32Misc>(); }

}  // namespace glyphgrab

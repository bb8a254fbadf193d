#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/misc.h"

namespace glyphgrab {
namespace {

class Win32Misc final : public TMisc {
 public:
  void Open(std::u16string_view sCommand) override {
    const std::wstring path(sCommand.begin(), sCommand.end());
    ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
};

}  // namespace

std::unique_ptr<TMisc> MakePlatformMisc() { return std::make_unique<Win32Misc>(); }

}  // namespace glyphgrab

#include <windows.h>

#include "platform/esc_key_state.h"

namespace glyphgrab {
namespace {

// The physical state at the time of the call, from any thread, with no message queue.
class Win32EscKeyState final : public EscKeyState {
 public:
  bool IsEscDown() override { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }
};

}  // namespace

std::unique_ptr<EscKeyState> MakePlatformEscKeyState() { return std::make_unique<Win32EscKeyState>(); }

}  // namespace glyphgrab

#include <windows.h>

#include <chrono>
#include <mutex>

#include "platform/esc_key_state.h"

namespace glyphgrab {
namespace {

// A press remembered by the system since the last ask counts only when somebody asked
// shortly before: the system keeps it however long nobody asks.
constexpr auto kWatchGap = std::chrono::seconds(1);

// From any thread, with no message queue: the key's state now, and the bit that remembers
// a press since the previous GetAsyncKeyState, so a quick tap between two asks is seen.
class Win32EscKeyState final : public EscKeyState {
 public:
  bool IsEscDown() override {
    const SHORT state = GetAsyncKeyState(VK_ESCAPE);
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex_);
    // The bit cannot tell the tool's own "{ESC}" from the user's: while the tool typed
    // one since the last ask, the bit is its.
    const bool own = SynthesisedEscPresses().exchange(0) > 0;
    const bool watching = asked_ && now - askedAt_ <= kWatchGap;
    asked_ = true;
    askedAt_ = now;
    return (state & 0x8000) != 0 || ((state & 1) != 0 && watching && !own);
  }

 private:
  std::mutex mutex_;
  bool asked_ = false;
  std::chrono::steady_clock::time_point askedAt_{};
};

}  // namespace

std::unique_ptr<EscKeyState> MakePlatformEscKeyState() { return std::make_unique<Win32EscKeyState>(); }

}  // namespace glyphgrab

#include "platform/throttled_esc_key_state.h"

namespace glyphgrab {

bool ThrottledEscKeyState::IsEscDown() {
  const std::lock_guard<std::mutex> lock(mutex_);
  const Clock::time_point now = now_();
  if (!asked_ || now - askedAt_ >= kInterval) {
    down_ = desktop_ && desktop_->IsEscDown();
    askedAt_ = now;
    asked_ = true;
  }
  return down_;
}

}  // namespace glyphgrab

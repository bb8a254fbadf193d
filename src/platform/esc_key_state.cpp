#include "platform/esc_key_state.h"

namespace glyphgrab {

std::atomic<unsigned>& SynthesisedEscPresses() {
  static std::atomic<unsigned> presses{0};
  return presses;
}

}  // namespace glyphgrab

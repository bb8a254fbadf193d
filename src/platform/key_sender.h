// Synthesised key presses and releases, addressed by Windows virtual-key codes so the
// command-key language stays the same on every platform.
#pragma once

#include <cstdint>
#include <memory>

namespace glyphgrab {

class KeySender {
 public:
  virtual ~KeySender() = default;
  // The events reach whichever window holds the keyboard focus, in the order of the
  // calls. A code the platform has no key for is skipped.
  virtual void KeyDown(std::uint8_t virtualKey) = 0;
  virtual void KeyUp(std::uint8_t virtualKey) = 0;
};

// The implementation for the platform this program was built for; nullptr when the
// desktop cannot be reached (no display, no input-synthesis extension).
std::unique_ptr<KeySender> MakePlatformKeySender();

}  // namespace glyphgrab

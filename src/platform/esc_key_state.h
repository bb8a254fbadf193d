// Whether the Esc key is held down right now, so long walks (folder scans, searches,
// reading large text files) can be stopped from the keyboard.
#pragma once

#include <memory>

namespace glyphgrab {

class EscKeyState {
 public:
  virtual ~EscKeyState() = default;
  // Asks the desktop each time (no event queue involved), so it works from a busy loop.
  // One object may be used from several threads.
  virtual bool IsEscDown() = 0;
};

// For callers without a keyboard (the command-line tool), and where no desktop answers.
class NeverEscKeyState final : public EscKeyState {
 public:
  bool IsEscDown() override { return false; }
};

// The implementation for the platform this program was built for; nullptr when the
// desktop cannot be reached.
std::unique_ptr<EscKeyState> MakePlatformEscKeyState();

}  // namespace glyphgrab

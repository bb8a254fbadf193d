// Whether the Esc key is held down right now, so long walks (folder scans, searches,
// reading large text files) can be stopped from the keyboard.
#pragma once

#include <atomic>
#include <memory>

namespace glyphgrab {

class EscKeyState {
 public:
  virtual ~EscKeyState() = default;
  // True while Esc is held, and once for a press since the previous call however short
  // it was (a quick tap falls between two looks at the key's state). A press made while
  // nobody asked for a long time is old news, not a request to stop what starts now.
  // Works from a busy loop; one object may be used from several threads.
  virtual bool IsEscDown() = 0;
};

// The platform key senders count the Esc presses they synthesise (a command's "{ESC}"),
// so that the Esc watchers of the same process do not take them for the user's.
std::atomic<unsigned>& SynthesisedEscPresses();

// For callers without a keyboard (the command-line tool), and where no desktop answers.
class NeverEscKeyState final : public EscKeyState {
 public:
  bool IsEscDown() override { return false; }
};

// The implementation for the platform this program was built for; nullptr when the
// desktop cannot be reached.
std::unique_ptr<EscKeyState> MakePlatformEscKeyState();

}  // namespace glyphgrab

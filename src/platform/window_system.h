// Listing the desktop's top-level windows and bringing one of them to the front.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace glyphgrab {

// A platform window handle; 0 is no window.
using WindowId = std::uint64_t;

struct TopLevelWindow {
  WindowId id = 0;
  std::u16string title;
  bool owned = false;    // a dialog or other window that belongs to another one
  bool visible = false;  // shown on the desktop, or iconified
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Every top-level window in the platform's enumeration order (oldest first where
  // the platform keeps that order).
  virtual std::vector<TopLevelWindow> ListTopLevelWindows() = 0;
  // Restores the window if it is iconified, maximises it when asked, raises it and
  // gives it the keyboard focus. False, with nothing done, when the window no longer
  // exists.
  virtual bool ActivateWindow(WindowId window, bool maximize) = 0;
  // Whether the keyboard focus is on `window`, or on another top-level window of the
  // same application (a dialog or text box of its own; under Wine all windows of a
  // program share its process). Never true while the focus is on a window of this
  // process: keys typed then would land in the tool itself.
  virtual bool FocusBelongsTo(WindowId window) = 0;
};

// The implementation for the platform this program was built for; nullptr when the
// desktop cannot be reached.
std::unique_ptr<WindowSystem> MakePlatformWindowSystem();

}  // namespace glyphgrab

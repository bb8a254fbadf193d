// Pieces shared by the X11 services: one display connection per service object, and a
// scoped trap for the protocol errors that windows closing under our feet produce
// (Xlib's default handler would end the process).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace glyphgrab::x11 {

class XConnection {
 public:
  // Connects to $DISPLAY; ok() is false when that fails.
  XConnection() : display_(XOpenDisplay(nullptr)) {}
  ~XConnection() {
    if (display_) XCloseDisplay(display_);
  }
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;

  bool ok() const { return display_ != nullptr; }
  Display* get() const { return display_; }

 private:
  Display* display_;
};

// While it lives, protocol errors on `display` are counted instead of reported; errors
// of other connections go to the handler that was installed before. The error handler
// is process-wide, so traps are serialised across threads.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;

  // Waits for the server to answer everything sent so far, then tells whether any
  // request failed since the trap was set (or since the last Reset).
  bool Failed();
  void Reset();
};

// The X keysym that plays the role of a Windows virtual-key code; 0 (NoSymbol) when X
// has no such key.
unsigned long VirtualKeyToKeySym(std::uint8_t virtualKey);

}  // namespace glyphgrab::x11

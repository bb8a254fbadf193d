// Keys through the XTEST extension: the server treats them as typed on the keyboard,
// so they reach the window that holds the focus.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <mutex>

#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/x11/x_connection.h"

namespace glyphgrab {
namespace {

class X11KeySender final : public KeySender {
 public:
  explicit X11KeySender(std::unique_ptr<x11::XConnection> connection)
      : connection_(std::move(connection)) {}

  void KeyDown(std::uint8_t virtualKey) override { Send(virtualKey, True); }
  void KeyUp(std::uint8_t virtualKey) override { Send(virtualKey, False); }

 private:
  void Send(std::uint8_t virtualKey, Bool press) {
    const KeySym sym = x11::VirtualKeyToKeySym(virtualKey);
    if (sym == NoSymbol) return;
    std::lock_guard lock(mutex_);
    Display* d = connection_->get();
    const KeyCode code = XKeysymToKeycode(d, sym);
    if (code == 0) return;  // the keyboard map has no such key
    if (press && sym == XK_Escape) ++SynthesisedEscPresses();
    XTestFakeKeyEvent(d, code, press, CurrentTime);
    // Without a round trip per event the server may reorder presses of one request
    // batch against the focus changes and releases of the next.
    XSync(d, False);
  }

  std::unique_ptr<x11::XConnection> connection_;
  std::mutex mutex_;
};

}  // namespace

std::unique_ptr<KeySender> MakePlatformKeySender() {
  auto connection = std::make_unique<x11::XConnection>();
  if (!connection->ok()) return nullptr;
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(connection->get(), &eventBase, &errorBase, &major, &minor)) {
    return nullptr;
  }
  return std::make_unique<X11KeySender>(std::move(connection));
}

}  // namespace glyphgrab

// The Esc key's state straight from the server's key map, with no event queue involved,
// so a busy loop on any thread can ask.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <mutex>

#include "platform/esc_key_state.h"
#include "platform/x11/x_connection.h"

namespace glyphgrab {
namespace {

class X11EscKeyState final : public EscKeyState {
 public:
  explicit X11EscKeyState(std::unique_ptr<x11::XConnection> connection)
      : connection_(std::move(connection)) {}

  bool IsEscDown() override {
    std::lock_guard lock(mutex_);
    Display* d = connection_->get();
    const KeyCode esc = XKeysymToKeycode(d, XK_Escape);
    if (esc == 0) return false;
    char keys[32] = {};
    XQueryKeymap(d, keys);
    return (keys[esc / 8] >> (esc % 8)) & 1;
  }

 private:
  std::unique_ptr<x11::XConnection> connection_;
  std::mutex mutex_;
};

}  // namespace

std::unique_ptr<EscKeyState> MakePlatformEscKeyState() {
  auto connection = std::make_unique<x11::XConnection>();
  if (!connection->ok()) return nullptr;
  return std::make_unique<X11EscKeyState>(std::move(connection));
}

}  // namespace glyphgrab

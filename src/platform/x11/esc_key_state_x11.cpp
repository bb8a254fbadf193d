// Esc from the server's raw key events (XInput 2), read by a thread of its own: a tap of
// a few milliseconds is seen even when the loops that ask come 20-30 ms apart, which a
// look at the key map at each ask would miss. Raw events reach us whichever window has
// the focus and whatever grab is active. Without XInput 2 the key map is asked instead.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "platform/esc_key_state.h"
#include "platform/x11/x_connection.h"

namespace glyphgrab {
namespace {

using Clock = std::chrono::steady_clock;

// A press counts when somebody asked shortly before it (a loop was watching), or when it
// is this recent: a press made while nobody watched belongs to something else.
constexpr auto kWatchGap = std::chrono::seconds(1);
constexpr auto kTapMemory = std::chrono::milliseconds(250);

class KeymapEscKeyState final : public EscKeyState {
 public:
  explicit KeymapEscKeyState(std::unique_ptr<x11::XConnection> connection)
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

class RawEventEscKeyState final : public EscKeyState {
 public:
  RawEventEscKeyState(std::unique_ptr<x11::XConnection> connection, int opcode, KeyCode esc)
      : connection_(std::move(connection)), opcode_(opcode), esc_(esc) {
    if (::pipe(wake_) != 0) wake_[0] = wake_[1] = -1;
    reader_ = std::thread([this] { Read(); });
  }

  ~RawEventEscKeyState() override {
    stop_ = true;
    if (wake_[1] >= 0) (void)!::write(wake_[1], "x", 1);
    reader_.join();
    for (const int fd : wake_) {
      if (fd >= 0) ::close(fd);
    }
  }

  bool IsEscDown() override {
    std::lock_guard lock(mutex_);
    const Clock::time_point now = Clock::now();
    const bool tapped = pressed_ && ((asked_ && pressedAt_ - askedAt_ <= kWatchGap) || now - pressedAt_ <= kTapMemory);
    pressed_ = false;
    asked_ = true;
    askedAt_ = now;
    return down_ || tapped;
  }

 private:
  void Read() {
    Display* d = connection_->get();
    const int fd = ConnectionNumber(d);
    while (!stop_) {
      while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.xcookie.type != GenericEvent || e.xcookie.extension != opcode_ || !XGetEventData(d, &e.xcookie)) {
          continue;
        }
        const auto* raw = static_cast<const XIRawEvent*>(e.xcookie.data);
        if (raw->detail == esc_) Note(e.xcookie.evtype == XI_RawKeyPress);
        XFreeEventData(d, &e.xcookie);
      }
      pollfd fds[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
      if (::poll(fds, wake_[0] >= 0 ? 2 : 1, 200) < 0) continue;
      if (fds[0].revents & (POLLERR | POLLHUP)) return;  // the display went away
    }
  }

  void Note(bool press) {
    std::lock_guard lock(mutex_);
    if (!press) {
      down_ = false;
      return;
    }
    // A press the tool typed itself is not the user's.
    unsigned own = SynthesisedEscPresses().load();
    while (own > 0 && !SynthesisedEscPresses().compare_exchange_weak(own, own - 1)) {
    }
    if (own > 0) return;
    down_ = true;
    pressed_ = true;
    pressedAt_ = Clock::now();
  }

  std::unique_ptr<x11::XConnection> connection_;
  int opcode_;
  KeyCode esc_;
  int wake_[2] = {-1, -1};
  std::atomic<bool> stop_{false};
  std::thread reader_;
  std::mutex mutex_;
  bool down_ = false;
  bool pressed_ = false;  // since the last ask
  Clock::time_point pressedAt_{};
  bool asked_ = false;
  Clock::time_point askedAt_{};
};

}  // namespace

std::unique_ptr<EscKeyState> MakePlatformEscKeyState() {
  auto connection = std::make_unique<x11::XConnection>();
  if (!connection->ok()) return nullptr;
  Display* d = connection->get();
  int opcode = 0, event = 0, error = 0;
  int major = 2, minor = 2;
  const KeyCode esc = XKeysymToKeycode(d, XK_Escape);
  if (esc == 0 || !XQueryExtension(d, "XInputExtension", &opcode, &event, &error) ||
      XIQueryVersion(d, &major, &minor) != Success) {
    return std::make_unique<KeymapEscKeyState>(std::move(connection));
  }
  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
  XISelectEvents(d, DefaultRootWindow(d), &mask, 1);
  XSync(d, False);
  return std::make_unique<RawEventEscKeyState>(std::move(connection), opcode, esc);
}

}  // namespace glyphgrab

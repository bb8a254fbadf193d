// Top-level windows and activation on X11. Where an EWMH window manager runs, it owns
// the client list, the stacking and the focus, and is asked through client messages;
// without one the windows are the root's children and we raise and focus them directly.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "platform/window_system.h"
#include "platform/x11/x_connection.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

// Titles longer than this many bytes are cut; only the first 254 units are compared.
constexpr long kMaxTitleBytes = 4096;
// How long activation waits for a window manager to hand the focus over.
constexpr auto kFocusWait = std::chrono::milliseconds(500);
// A frame window of a reparenting manager holds its client this deep at most.
constexpr int kMaxFrameDepth = 3;

// ICCCM WM_STATE values.
constexpr long kNormalState = 1;
constexpr long kIconicState = 3;

// EWMH client message constants.
constexpr long kNetWmStateAdd = 1;
constexpr long kSourcePager = 2;  // honoured without focus-stealing checks

struct XFreeDeleter {
  void operator()(void* p) const {
    if (p) XFree(p);
  }
};

class X11WindowSystem final : public WindowSystem {
 public:
  explicit X11WindowSystem(std::unique_ptr<x11::XConnection> connection)
      : connection_(std::move(connection)), d_(connection_->get()), root_(DefaultRootWindow(d_)) {
    netClientList_ = Intern("_NET_CLIENT_LIST");
    netSupportingWmCheck_ = Intern("_NET_SUPPORTING_WM_CHECK");
    netWmName_ = Intern("_NET_WM_NAME");
    utf8String_ = Intern("UTF8_STRING");
    wmState_ = Intern("WM_STATE");
    netActiveWindow_ = Intern("_NET_ACTIVE_WINDOW");
    netWmState_ = Intern("_NET_WM_STATE");
    netWmStateMaxVert_ = Intern("_NET_WM_STATE_MAXIMIZED_VERT");
    netWmStateMaxHorz_ = Intern("_NET_WM_STATE_MAXIMIZED_HORZ");
    netWmPid_ = Intern("_NET_WM_PID");
    wmClientLeader_ = Intern("WM_CLIENT_LEADER");
  }

  bool FocusBelongsTo(WindowId id) override {
    std::lock_guard lock(mutex_);
    x11::XErrorTrap trap(d_);
    const Window target = static_cast<Window>(id);
    const Window focused = FocusedTopLevel();
    if (focused == None || trap.Failed()) return false;
    const unsigned long focusedPid = Cardinal(focused, netWmPid_);
    if (focusedPid == static_cast<unsigned long>(::getpid())) return false;  // our own window
    if (focused == target) return true;
    if (focusedPid != 0 && focusedPid == Cardinal(target, netWmPid_)) return !trap.Failed();
    const std::vector<Window> leader = WindowList(focused, wmClientLeader_);
    if (!leader.empty() && leader[0] != None) {
      const std::vector<Window> targetLeader = WindowList(target, wmClientLeader_);
      if (!targetLeader.empty() && targetLeader[0] == leader[0]) return !trap.Failed();
    }
    Window owner = None;
    return XGetTransientForHint(d_, focused, &owner) && owner == target && !trap.Failed();
  }

  std::vector<TopLevelWindow> ListTopLevelWindows() override {
    std::lock_guard lock(mutex_);
    x11::XErrorTrap trap(d_);  // windows may close while they are read
    std::vector<TopLevelWindow> result;
    const bool managed = WindowManagerRuns();
    const std::vector<Window> candidates = managed ? WindowList(root_, netClientList_) : RootChildren();
    for (const Window candidate : candidates) {
      XWindowAttributes attrs;
      trap.Reset();
      if (!XGetWindowAttributes(d_, candidate, &attrs) || trap.Failed()) continue;
      Window w = candidate;
      if (!managed) {
        // Menus and tooltips bypass window management; they are not application windows.
        if (attrs.override_redirect || attrs.c_class == InputOnly) continue;
        // A manager without EWMH support still frames its clients.
        w = ClientOf(candidate, 0);
        if (w != candidate && (!XGetWindowAttributes(d_, w, &attrs) || trap.Failed())) continue;
      }
      TopLevelWindow info;
      info.id = w;
      // Iconified windows, and under a manager those on another virtual desktop, count
      // as shown: they can be found and brought forward.
      const long state = WmState(w);
      info.visible = attrs.map_state == IsViewable || state == kIconicState ||
                     (managed && state == kNormalState);
      Window owner = None;
      info.owned = XGetTransientForHint(d_, w, &owner) && owner != None;
      info.title = Title(w);
      if (trap.Failed()) continue;
      result.push_back(std::move(info));
    }
    return result;
  }

  bool ActivateWindow(WindowId id, bool maximize) override {
    std::lock_guard lock(mutex_);
    x11::XErrorTrap trap(d_);
    const Window w = static_cast<Window>(id);
    XWindowAttributes attrs;
    if (w == None || !XGetWindowAttributes(d_, w, &attrs) || trap.Failed()) return false;

    const bool iconic = WmState(w) == kIconicState;
    if (WindowManagerRuns()) {
      if (maximize) {
        SendToRoot(w, netWmState_,
                   {kNetWmStateAdd, static_cast<long>(netWmStateMaxVert_),
                    static_cast<long>(netWmStateMaxHorz_), kSourcePager});
      }
      // Mapping an iconified client is the ICCCM request to restore it.
      if (iconic) XMapRaised(d_, w);
      SendToRoot(w, netActiveWindow_, {kSourcePager, CurrentTime, 0, 0});
      XFlush(d_);
      if (WaitForFocus(w)) return true;
      // The manager did not hand the focus over: take it ourselves.
    } else if (maximize) {
      const Screen* screen = attrs.screen;
      XMoveResizeWindow(d_, w, 0, 0, static_cast<unsigned>(WidthOfScreen(screen)),
                        static_cast<unsigned>(HeightOfScreen(screen)));
    }
    XRaiseWindow(d_, w);
    if (attrs.map_state == IsViewable || iconic) {
      XSetInputFocus(d_, w, RevertToParent, CurrentTime);
    }
    XSync(d_, False);
    return true;
  }

 private:
  Atom Intern(const char* name) { return XInternAtom(d_, name, False); }

  // Raw 32-bit property items (Xlib hands them over as longs).
  std::vector<unsigned long> Property(Window w, Atom property, Atom type, long maxItems) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, after = 0;
    unsigned char* raw = nullptr;
    if (XGetWindowProperty(d_, w, property, 0, maxItems, False, type, &actualType,
                           &actualFormat, &count, &after, &raw) != Success) {
      return {};
    }
    std::unique_ptr<unsigned char, XFreeDeleter> owner(raw);
    if (!raw || actualType != type || actualFormat != 32) return {};
    const auto* items = reinterpret_cast<const unsigned long*>(raw);
    return std::vector<unsigned long>(items, items + count);
  }

  std::vector<Window> WindowList(Window w, Atom property) {
    const std::vector<unsigned long> items = Property(w, property, XA_WINDOW, 1 << 16);
    return std::vector<Window>(items.begin(), items.end());
  }

  // An EWMH manager names a check window that names itself; a stale property left by
  // a manager that has exited fails the test.
  bool WindowManagerRuns() {
    const std::vector<Window> check = WindowList(root_, netSupportingWmCheck_);
    if (check.empty() || check[0] == None) return false;
    const std::vector<Window> self = WindowList(check[0], netSupportingWmCheck_);
    return !self.empty() && self[0] == check[0];
  }

  // Bottom to top, so newer windows come later, as in a manager's client list.
  std::vector<Window> RootChildren() {
    Window rootOut = None, parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d_, root_, &rootOut, &parent, &children, &count)) return {};
    std::unique_ptr<Window, XFreeDeleter> owner(children);
    return std::vector<Window>(children, children + count);
  }

  long WmState(Window w) {
    const std::vector<unsigned long> state = Property(w, wmState_, wmState_, 2);
    return state.empty() ? -1 : static_cast<long>(state[0]);
  }

  // The window carrying WM_STATE inside a frame, or the frame itself when none does.
  Window ClientOf(Window w, int depth) {
    if (WmState(w) >= 0) return w;
    if (depth >= kMaxFrameDepth) return w;
    Window rootOut = None, parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d_, w, &rootOut, &parent, &children, &count)) return w;
    std::unique_ptr<Window, XFreeDeleter> owner(children);
    for (unsigned i = count; i-- > 0;) {
      const Window client = ClientOf(children[i], depth + 1);
      if (client != children[i] || WmState(client) >= 0) return client;
    }
    return w;
  }

  std::u16string Title(Window w) {
    {
      Atom actualType = None;
      int actualFormat = 0;
      unsigned long count = 0, after = 0;
      unsigned char* raw = nullptr;
      if (XGetWindowProperty(d_, w, netWmName_, 0, kMaxTitleBytes / 4, False, utf8String_,
                             &actualType, &actualFormat, &count, &after, &raw) == Success) {
        std::unique_ptr<unsigned char, XFreeDeleter> owner(raw);
        if (raw && actualType == utf8String_ && actualFormat == 8) {
          return Utf8ToStr(std::string_view(reinterpret_cast<const char*>(raw), count));
        }
      }
    }
    XTextProperty text{};
    if (!XGetWMName(d_, w, &text) || !text.value) return {};
    std::unique_ptr<unsigned char, XFreeDeleter> owner(text.value);
    if (text.format != 8) return {};
    const std::string_view bytes(reinterpret_cast<const char*>(text.value), text.nitems);
    if (text.encoding == XA_STRING) {
      std::u16string latin1;  // ICCCM: STRING is ISO 8859-1
      for (const char c : bytes) latin1.push_back(static_cast<unsigned char>(c));
      return latin1;
    }
    if (text.encoding == utf8String_) return Utf8ToStr(bytes);
    char** list = nullptr;
    int n = 0;
    std::u16string title;
    if (Xutf8TextPropertyToTextList(d_, &text, &list, &n) >= Success && list) {
      for (int i = 0; i < n; ++i) title += Utf8ToStr(list[i]);
      XFreeStringList(list);
    }
    return title;
  }

  void SendToRoot(Window w, Atom type, std::initializer_list<long> data) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    int i = 0;
    for (const long v : data) e.xclient.data.l[i++] = v;
    XSendEvent(d_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  }

  unsigned long Cardinal(Window w, Atom property) {
    const std::vector<unsigned long> items = Property(w, property, XA_CARDINAL, 1);
    return items.empty() ? 0 : items[0];
  }

  // The application window that holds the keyboard focus: the focus may sit on a child
  // of it, and under a reparenting manager the client lies inside a frame. None when
  // nothing (or the root) has the focus.
  Window FocusedTopLevel() {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(d_, &focus, &revert);
    for (int depth = 0; focus != None && focus != PointerRoot && focus != root_ && depth < 32; ++depth) {
      if (WmState(focus) >= 0) return focus;  // a managed client
      Window rootOut = None, parent = None;
      Window* children = nullptr;
      unsigned count = 0;
      if (!XQueryTree(d_, focus, &rootOut, &parent, &children, &count)) return None;
      if (children) XFree(children);
      if (parent == root_) return ClientOf(focus, 0);  // unmanaged, or a manager's frame
      focus = parent;
    }
    return None;
  }

  bool HasFocus(Window w) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(d_, &focus, &revert);
    // The focus may sit on a child of the window: walk up from it.
    for (int depth = 0; focus != None && focus != PointerRoot && depth < 16; ++depth) {
      if (focus == w) return true;
      if (focus == root_) return false;
      Window rootOut = None, parent = None;
      Window* children = nullptr;
      unsigned count = 0;
      if (!XQueryTree(d_, focus, &rootOut, &parent, &children, &count)) return false;
      if (children) XFree(children);
      focus = parent;
    }
    return false;
  }

  bool WaitForFocus(Window w) {
    const auto deadline = std::chrono::steady_clock::now() + kFocusWait;
    while (!HasFocus(w)) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

  std::unique_ptr<x11::XConnection> connection_;
  Display* d_;
  Window root_;
  std::mutex mutex_;
  Atom netClientList_, netSupportingWmCheck_, netWmName_, utf8String_, wmState_,
      netActiveWindow_, netWmState_, netWmStateMaxVert_, netWmStateMaxHorz_, netWmPid_, wmClientLeader_;
};

}  // namespace

std::unique_ptr<WindowSystem> MakePlatformWindowSystem() {
  auto connection = std::make_unique<x11::XConnection>();
  if (!connection->ok()) return nullptr;
  return std::make_unique<X11WindowSystem>(std::move(connection));
}

}  // namespace glyphgrab

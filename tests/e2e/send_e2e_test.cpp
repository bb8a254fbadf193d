// Sending keys to real windows on a private X display, with and without a window
// manager: finding the window by its title, activating it, and what it receives.
// GoogleTest first: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "fixtures/temp_dir.h"
#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/window_system.h"
#include "sendkeys/send.h"
#include "x_session.h"

namespace glyphgrab {
namespace {

using testing::Receiver;
using testing::WaitUntil;
using testing::XSession;

using Lines = std::vector<std::string>;

class SendE2e : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    const std::string problem = session_.Start(GetParam(), scratch_.path());
    if (problem == "Xvfb is not installed" || problem == "jwm is not installed") {
      GTEST_SKIP() << problem << ": end-to-end test skipped";
    }
    ASSERT_EQ(problem, "");
    keys_ = MakePlatformKeySender();
    windows_ = MakePlatformWindowSystem();
    ASSERT_TRUE(keys_ && windows_);
  }

  bool managed() const { return GetParam(); }

  Receiver Start(const std::string& title, const std::vector<std::string>& flags = {}) {
    const std::string log = "receiver" + std::to_string(++receivers_) + ".log";
    Receiver r(session_, title, scratch_.path() / log, flags);
    EXPECT_NE(r.window(), 0u) << title << " did not appear";
    return r;
  }

  SendResult Send(std::u16string_view command, WindowId window, int maximize = 0) {
    SendServices services{*keys_, *windows_, clipboard_, {}, {}};
    TSend_jww profile = DefaultActiveProfile();
    profile.Smax = maximize;
    profile.Wtim = 0;
    return SendCommand(command, window, profile, services);
  }

  Window Focus() {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(session_.display(), &focus, &revert);
    return focus;
  }

  // The clipboard belongs to the desktop tool; these tests send no "{X" group.
  struct NoClipboard final : Clipboard {
    bool SetText(std::u16string_view) override { return false; }
  } clipboard_;

  testing::TempDir scratch_;
  XSession session_;
  std::unique_ptr<KeySender> keys_;
  std::unique_ptr<WindowSystem> windows_;
  int receivers_ = 0;
};

TEST_P(SendE2e, KeysReachTheActivatedWindowInOrderWithTheirModifiers) {
  const Receiver target = Start("jw_win test");
  // Another window starts later and holds the focus: only activation can take the keys
  // away from it.
  const Receiver other = Start("notepad");
  ASSERT_TRUE(windows_->ActivateWindow(other.window(), false));
  ASSERT_TRUE(WaitUntil([&] { return Focus() == other.window(); }));

  const WindowId found = FindTargetWindow(*windows_, u"jw_win");
  ASSERT_EQ(found, target.window());
  EXPECT_EQ(Send(u"@DA^V", found), SendResult::kTyped);
  EXPECT_EQ(Send(u"{TAB}{TAB}", found), SendResult::kTyped);

  // The release that ends each token finds its key already up; X drops it.
  const Lines expected = {
      "down Alt_L", "down d +alt", "up d +alt", "up Alt_L +alt",
      "down a", "up a",
      "down Control_L", "down v +ctrl", "up v +ctrl", "up Control_L +ctrl",
      "down Tab", "up Tab", "down Tab", "up Tab",
  };
  EXPECT_EQ(target.Keys(expected.size()), expected);
  EXPECT_EQ(other.Keys(1, std::chrono::milliseconds(200)), Lines{});
}

// A window of this process, standing in for the tool's own window: the one a window
// manager whose focus follows the pointer hands the focus to when the target's menu
// closes. It records whether any key reached it.
class OwnWindow {
 public:
  explicit OwnWindow(Display* d) : d_(d) {
    w_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 400, 300, 200, 100, 1, BlackPixel(d, 0), WhitePixel(d, 0));
    XStoreName(d, w_, "Glyphgrab Ver.1.10");
    const long pid = static_cast<long>(getpid());
    XChangeProperty(d, w_, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(d, w_, &hints);
    XSelectInput(d, w_, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(d, w_);
    XSync(d, False);
    WaitUntil([&] {
      XWindowAttributes a;
      return XGetWindowAttributes(d, w_, &a) && a.map_state == IsViewable;
    });
  }
  ~OwnWindow() { XDestroyWindow(d_, w_); XSync(d_, False); }
  Window id() const { return w_; }
  // Key events that reached this window since the last call.
  int KeysReceived() {
    XSync(d_, False);
    int n = 0;
    XEvent e;
    while (XCheckWindowEvent(d_, w_, KeyPressMask | KeyReleaseMask, &e)) ++n;
    return n;
  }

 private:
  Display* d_;
  Window w_;
};

std::string Hex(Window w) {
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", w);
  return id;
}

// The receiver behaves like Jw_cad under a window manager whose focus follows the
// pointer: once Alt+D is over the focus goes elsewhere. The sender brings the target
// back, or finds the focus still inside the target's own text box, and types the rest
// there; when the focus is kept away it ends the send without typing into anything else.
TEST_P(SendE2e, KeysFollowTheTargetWhenTheFocusLeavesBetweenGroups) {
  OwnWindow own(session_.display());
  const Lines all = {"down Alt_L", "down d +alt", "up d +alt", "up Alt_L +alt",
                     "down a", "up a",
                     "down Control_L", "down v +ctrl", "up v +ctrl", "up Control_L +ctrl"};
  const Lines firstGroup(all.begin(), all.begin() + 4);
  Lines inTheBox = firstGroup;
  for (std::size_t i = 4; i < all.size(); ++i) inTheBox.push_back(all[i] + " @box");
  const struct {
    const char* what;
    std::vector<std::string> flags;
    SendResult result;
    Lines keys;
    std::u16string untyped;
  } cases[] = {
      {"to the tool's window", {"--hand-focus-to", Hex(own.id())}, SendResult::kTyped, all, u""},
      {"to the target's text box", {"--hand-focus-to", "box"}, SendResult::kTyped, inTheBox, u""},
      {"kept away", {"--hand-focus-to", Hex(own.id()), "--keep-focus-away"}, SendResult::kTargetLeft, firstGroup,
       u"A^V"},
  };
  for (const auto& c : cases) {
    const Receiver target = Start("jw_win test", c.flags);
    ASSERT_TRUE(windows_->ActivateWindow(own.id(), false));
    SendServices services{*keys_, *windows_, clipboard_, {}, {}};
    TSend_jww profile = DefaultActiveProfile();
    profile.Wtim = 0;
    std::u16string untyped = u"unset";
    EXPECT_EQ(ActivateTarget(u"@DA^V", target.window(), profile, services, &untyped), c.result) << c.what;
    EXPECT_EQ(untyped, c.untyped) << c.what;
    EXPECT_EQ(target.Keys(c.keys.size()), c.keys) << c.what;
    EXPECT_EQ(target.Keys(c.keys.size() + 1, std::chrono::milliseconds(300)).size(), c.keys.size()) << c.what;
    EXPECT_EQ(own.KeysReceived(), 0) << c.what;
    // Nothing stays held when the send ends early.
    char keymap[32] = {};
    XQueryKeymap(session_.display(), keymap);
    for (const KeySym sym : {KeySym{XK_Alt_L}, KeySym{XK_Control_L}}) {
      const KeyCode code = XKeysymToKeycode(session_.display(), sym);
      EXPECT_FALSE((keymap[code / 8] >> (code % 8)) & 1) << c.what << " " << XKeysymToString(sym);
    }
    session_.End(target.pid());
  }
}

TEST_P(SendE2e, FindsTheLastShownUnownedWindowWhoseTitleHoldsTheText) {
  const Receiver first = Start("jw_win - first");
  const Receiver second = Start("jw_win - second");
  const Receiver hidden = Start("jw_win - hidden", {"--unmapped"});
  const Receiver owned = Start("jw_win - owned", {"--transient"});
  ASSERT_TRUE(WaitUntil([&] {
    return FindTargetWindow(*windows_, u"jw_win - second") == second.window();
  }));

  EXPECT_EQ(FindTargetWindow(*windows_, u"jw_win"), second.window());
  EXPECT_EQ(FindTargetWindow(*windows_, u"first"), first.window());
  EXPECT_EQ(FindTargetWindow(*windows_, u"hidden"), 0u);
  EXPECT_EQ(FindTargetWindow(*windows_, u"owned"), 0u);
  EXPECT_EQ(FindTargetWindow(*windows_, u"JW_WIN"), 0u);
  EXPECT_EQ(FindTargetWindow(*windows_, u""), 0u);
}

TEST_P(SendE2e, MaximisesAndRestoresAnIconifiedWindow) {
  Display* d = session_.display();
  const Receiver target = Start("jw_win test");
  if (managed()) {
    // Iconified windows still count as shown: they are found and brought back.
    XIconifyWindow(d, target.window(), DefaultScreen(d));
    XSync(d, False);
    ASSERT_TRUE(WaitUntil([&] {
      XWindowAttributes a;
      return XGetWindowAttributes(d, target.window(), &a) && a.map_state != IsViewable;
    }));
  }
  ASSERT_EQ(FindTargetWindow(*windows_, u"jw_win"), target.window());
  EXPECT_EQ(Send(u"A", target.window(), /*maximize=*/1), SendResult::kTyped);
  EXPECT_EQ(target.Keys(2), (Lines{"down a", "up a"}));

  XWindowAttributes a{};
  EXPECT_TRUE(WaitUntil([&] {
    // The manager keeps its frame and title bar; the window grows to most of the screen.
    return XGetWindowAttributes(d, target.window(), &a) && a.map_state == IsViewable &&
           a.width >= 700 && a.height >= 500;
  })) << a.width << "x" << a.height;
}

TEST_P(SendE2e, AWindowThatClosedIsLeftAlone) {
  Receiver target = Start("jw_win test");
  const WindowId found = FindTargetWindow(*windows_, u"jw_win");
  ASSERT_EQ(found, target.window());
  session_.End(target.pid());
  ASSERT_TRUE(WaitUntil([&] { return FindTargetWindow(*windows_, u"jw_win") == 0; }));
  EXPECT_EQ(Send(u"A", found), SendResult::kTargetGone);
  EXPECT_FALSE(windows_->ActivateWindow(0, false));
}

// The user's Esc, pressed on the keyboard (another client's XTEST here): held, tapped
// for a few milliseconds between two asks, typed by the tool itself, or pressed while
// nobody watched.
TEST_P(SendE2e, EscKeyStateSeesEveryTapOfTheUser) {
  const std::unique_ptr<EscKeyState> esc = MakePlatformEscKeyState();
  ASSERT_TRUE(esc);
  Display* d = session_.display();
  const KeyCode code = XKeysymToKeycode(d, XK_Escape);
  const auto user = [&](Bool press) {
    XTestFakeKeyEvent(d, code, press, CurrentTime);
    XSync(d, False);
  };
  using std::chrono::milliseconds;
  EXPECT_FALSE(esc->IsEscDown());

  user(True);
  EXPECT_TRUE(WaitUntil([&] { return esc->IsEscDown(); }));
  EXPECT_TRUE(esc->IsEscDown());  // still held
  user(False);
  EXPECT_TRUE(WaitUntil([&] { return !esc->IsEscDown(); }));

  // A 6 ms tap between two asks 100 ms apart: seen once.
  EXPECT_FALSE(esc->IsEscDown());
  std::this_thread::sleep_for(milliseconds(40));
  user(True);
  std::this_thread::sleep_for(milliseconds(6));
  user(False);
  std::this_thread::sleep_for(milliseconds(60));
  EXPECT_TRUE(esc->IsEscDown());
  EXPECT_FALSE(esc->IsEscDown());

  // A command's own {ESC} is not the user's.
  keys_->KeyDown(0x1B);
  keys_->KeyUp(0x1B);
  std::this_thread::sleep_for(milliseconds(60));
  EXPECT_FALSE(esc->IsEscDown());

  // A tap long after the last ask and long before the next one stopped nothing then.
  std::this_thread::sleep_for(milliseconds(1200));
  user(True);
  user(False);
  std::this_thread::sleep_for(milliseconds(400));
  EXPECT_FALSE(esc->IsEscDown());
}

INSTANTIATE_TEST_SUITE_P(, SendE2e, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) {
                           return p.param ? "UnderJwm" : "NoWindowManager";
                         });

}  // namespace
}  // namespace glyphgrab

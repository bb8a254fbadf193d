// A small application window for the end-to-end tests: it records the keys it receives
// into a file, one line each ("down d +alt", "up Alt_L +alt"), after a first line
// "ready 0xID" once it is on screen.
//
//   key_receiver TITLE LOGFILE [--unmapped] [--transient] [--clipboard]
//
// --unmapped creates the window without ever showing it; --transient makes it a dialog
// owned by another (unshown) window. --clipboard makes it read the clipboard the way a
// Windows program under Wine does: the moment another client takes the clipboard it
// asks for the text and waits at most half a second for it ("clipboard HEX" or
// "clipboard timeout"); Ctrl+V then pastes what it holds ("paste HEX", the UTF-8 bytes in
// hexadecimal). It ends when the display goes away, on SIGTERM,
// or after a minute, so a failed test leaves nothing running.
//
// Like a Windows program under Wine it names its process (_NET_WM_PID). Two options make
// it behave as Jw_cad does under a window manager whose focus follows the pointer, where
// closing its menu hands the focus to the window under the pointer:
//   --hand-focus-to ID    once the first key group is over (no key held any more), give
//                         the focus to that window ("box" names a second top-level
//                         window of its own, a text box, whose keys are logged with
//                         " @box"), and log "focus handed";
//   --keep-focus-away     with --hand-focus-to: give the focus back to that window each
//                         time it comes here again, so the sender cannot win it back.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/Xfixes.h>
#include <sys/select.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

constexpr auto kLifetime = std::chrono::seconds(60);
// How long Wine's clipboard bridge waits for the owner's answer.
constexpr auto kClipboardPatience = std::chrono::milliseconds(500);

std::string Hex(const unsigned char* bytes, unsigned long n) {
  std::string out;
  char two[3];
  for (unsigned long i = 0; i < n; ++i) {
    std::snprintf(two, sizeof two, "%02x", bytes[i]);
    out += two;
  }
  return out;
}

std::string Modifiers(unsigned state) {
  std::string text;
  if (state & ControlMask) text += " +ctrl";
  if (state & Mod1Mask) text += " +alt";
  if (state & ShiftMask) text += " +shift";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: key_receiver TITLE LOGFILE [--unmapped] [--transient]\n");
    return 2;
  }
  bool unmapped = false, transient = false, clipboard = false, keepAway = false;
  const char* handTo = nullptr;
  for (int i = 3; i < argc; ++i) {
    unmapped |= std::strcmp(argv[i], "--unmapped") == 0;
    transient |= std::strcmp(argv[i], "--transient") == 0;
    clipboard |= std::strcmp(argv[i], "--clipboard") == 0;
    keepAway |= std::strcmp(argv[i], "--keep-focus-away") == 0;
    if (std::strcmp(argv[i], "--hand-focus-to") == 0 && i + 1 < argc) handTo = argv[++i];
  }
  std::FILE* log = std::fopen(argv[2], "w");
  if (!log) return 1;
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 1;

  const Window root = DefaultRootWindow(d);
  const Window w = XCreateSimpleWindow(d, root, 20, 20, 240, 120, 1, BlackPixel(d, 0),
                                       WhitePixel(d, 0));
  const char* title = argv[1];
  XStoreName(d, w, title);
  XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False),
                  XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title),
                  static_cast<int>(std::strlen(title)));
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XSetWMHints(d, w, &hints);
  if (transient) {
    const Window owner = XCreateSimpleWindow(d, root, 0, 0, 10, 10, 0, 0, 0);
    XSetTransientForHint(d, w, owner);
  }
  const long pid = static_cast<long>(getpid());
  const Atom netWmPid = XInternAtom(d, "_NET_WM_PID", False);
  XChangeProperty(d, w, netWmPid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  XSelectInput(d, w, KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask);
  // The second top-level window of the same process, as a text box of the target.
  Window box = None, focusTarget = None;
  if (handTo && std::strcmp(handTo, "box") == 0) {
    box = XCreateSimpleWindow(d, root, 300, 20, 200, 60, 1, BlackPixel(d, 0), WhitePixel(d, 0));
    XStoreName(d, box, "text box");
    XChangeProperty(d, box, netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    XSetWMHints(d, box, &hints);
    XSelectInput(d, box, KeyPressMask | KeyReleaseMask);
    XMapWindow(d, box);
    focusTarget = box;
  } else if (handTo) {
    focusTarget = static_cast<Window>(std::strtoul(handTo, nullptr, 0));
  }
  std::set<unsigned> held;  // key codes down in this window
  bool handed = false;

  const Atom clipboardAtom = XInternAtom(d, "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  const Atom received = XInternAtom(d, "GLYPHGRAB_RECEIVED", False);
  int fixesEvent = 0, fixesError = 0;
  if (clipboard) {
    if (!XFixesQueryExtension(d, &fixesEvent, &fixesError)) return 1;
    XFixesSelectSelectionInput(d, w, clipboardAtom, XFixesSetSelectionOwnerNotifyMask);
  }
  std::string pasteText;  // hexadecimal UTF-8 of the text Ctrl+V pastes
  bool asking = false;
  std::chrono::steady_clock::time_point askedAt;

  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", w);
  if (unmapped) {
    XSync(d, False);
    std::fprintf(log, "ready %s\n", id);
    std::fflush(log);
  } else {
    XMapWindow(d, w);
    XFlush(d);
  }

  const auto deadline = std::chrono::steady_clock::now() + kLifetime;
  const int fd = ConnectionNumber(d);
  while (std::chrono::steady_clock::now() < deadline) {
    if (asking && std::chrono::steady_clock::now() - askedAt > kClipboardPatience) {
      // Given up, as the bridge does: the paste finds nothing.
      asking = false;
      pasteText.clear();
      std::fprintf(log, "clipboard timeout\n");
      std::fflush(log);
    }
    if (XPending(d) == 0) {
      fd_set fds;
      FD_ZERO(&fds);
      FD_SET(fd, &fds);
      timeval tv{0, 10000};
      select(fd + 1, &fds, nullptr, nullptr, &tv);
      continue;
    }
    XEvent e;
    XNextEvent(d, &e);
    if (clipboard && e.type == fixesEvent + XFixesSelectionNotify) {
      const auto& notify = reinterpret_cast<const XFixesSelectionNotifyEvent&>(e);
      if (notify.owner != None && notify.owner != w) {
        XConvertSelection(d, clipboardAtom, utf8, received, w, notify.selection_timestamp);
        XFlush(d);
        asking = true;
        askedAt = std::chrono::steady_clock::now();
      }
      continue;
    }
    switch (e.type) {
      case SelectionNotify: {
        if (!asking) break;  // an answer after the bridge gave up is not read
        asking = false;
        pasteText.clear();
        if (e.xselection.property != None) {
          Atom type = None;
          int format = 0;
          unsigned long count = 0, after = 0;
          unsigned char* data = nullptr;
          if (XGetWindowProperty(d, w, received, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count,
                                 &after, &data) == Success && data != nullptr) {
            pasteText = Hex(data, count);
            XFree(data);
          }
        }
        std::fprintf(log, "clipboard %s\n", pasteText.c_str());
        break;
      }
      case MapNotify:
        if (e.xmap.window == w) std::fprintf(log, "ready %s\n", id);
        break;
      case FocusIn:
        if (handed && keepAway && e.xfocus.window == w && e.xfocus.mode == NotifyNormal) {
          XSetInputFocus(d, focusTarget, RevertToParent, CurrentTime);
          XFlush(d);
          std::fprintf(log, "focus kept away\n");
        }
        break;
      case KeyPress:
      case KeyRelease: {
        const KeySym sym = XLookupKeysym(&e.xkey, 0);
        const char* name = XKeysymToString(sym);
        std::fprintf(log, "%s %s%s%s\n", e.type == KeyPress ? "down" : "up",
                     name ? name : "?", Modifiers(e.xkey.state).c_str(), e.xkey.window == box ? " @box" : "");
        if (clipboard && e.type == KeyPress && sym == XK_v && (e.xkey.state & ControlMask)) {
          std::fprintf(log, "paste %s\n", pasteText.c_str());
        }
        if (e.type == KeyPress) {
          held.insert(e.xkey.keycode);
        } else {
          held.erase(e.xkey.keycode);
        }
        if (focusTarget != None && !handed && held.empty()) {
          // The menu closed: the window manager gives the focus to the window under the
          // pointer.
          handed = true;
          XSetInputFocus(d, focusTarget, RevertToParent, CurrentTime);
          XFlush(d);
          std::fprintf(log, "focus handed\n");
        }
        break;
      }
      default:
        break;
    }
    std::fflush(log);
  }
  XCloseDisplay(d);
  return 0;
}

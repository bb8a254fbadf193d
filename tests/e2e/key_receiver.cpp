// A small application window for the end-to-end tests: it records the keys it receives
// into a file, one line each ("down d +alt", "up Alt_L +alt"), after a first line
// "ready 0xID" once it is on screen.
//
//   key_receiver TITLE LOGFILE [--unmapped] [--transient]
//
// --unmapped creates the window without ever showing it; --transient makes it a dialog
// owned by another (unshown) window. It ends when the display goes away, on SIGTERM,
// or after a minute, so a failed test leaves nothing running.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/select.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr auto kLifetime = std::chrono::seconds(60);

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
  bool unmapped = false, transient = false;
  for (int i = 3; i < argc; ++i) {
    unmapped |= std::strcmp(argv[i], "--unmapped") == 0;
    transient |= std::strcmp(argv[i], "--transient") == 0;
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
  XSelectInput(d, w, KeyPressMask | KeyReleaseMask | StructureNotifyMask);

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
    if (XPending(d) == 0) {
      fd_set fds;
      FD_ZERO(&fds);
      FD_SET(fd, &fds);
      timeval tv{0, 200000};
      select(fd + 1, &fds, nullptr, nullptr, &tv);
      continue;
    }
    XEvent e;
    XNextEvent(d, &e);
    switch (e.type) {
      case MapNotify:
        std::fprintf(log, "ready %s\n", id);
        break;
      case KeyPress:
      case KeyRelease: {
        const KeySym sym = XLookupKeysym(&e.xkey, 0);
        const char* name = XKeysymToString(sym);
        std::fprintf(log, "%s %s%s\n", e.type == KeyPress ? "down" : "up",
                     name ? name : "?", Modifiers(e.xkey.state).c_str());
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

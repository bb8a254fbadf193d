#include <cstdio>
#include "x_session.h"

#include <X11/Xatom.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace glyphgrab::testing {
namespace {

// Click-to-focus and no key bindings, so the window manager never takes our keys and
// the pointer's position cannot move the focus.
constexpr const char* kJwmConfig =
    "<?xml version=\"1.0\"?>\n<JWM>\n  <FocusModel>click</FocusModel>\n</JWM>\n";

pid_t SpawnWith(const std::vector<std::string>& argv, posix_spawn_file_actions_t* actions) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0].c_str(), actions, nullptr, args.data(), environ) != 0) return -1;
  return pid;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status = 0;
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
}

bool WindowManagerReady(Display* d) {
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = None;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  const bool ok = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW,
                                     &type, &format, &n, &after, &data) == Success &&
                  data && n == 1;
  if (data) XFree(data);
  return ok;
}

}  // namespace

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* p = ::popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
    ::pclose(p);
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

XSession::~XSession() {
  for (const pid_t pid : children_) Stop(pid);
  if (display_) XCloseDisplay(display_);
  Stop(xvfb_);
}

std::string XSession::Start(bool withWindowManager, const std::filesystem::path& scratch) {
  const std::string xvfb = FindProgram("Xvfb");
  if (xvfb.empty()) return "Xvfb is not installed";
  // Xvfb picks a free display number itself and writes it to this pipe.
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  xvfb_ = SpawnWith({xvfb, "-displayfd", std::to_string(fds[1]), "-screen", "0", "800x600x24",
                     "-nolisten", "tcp", "-noreset"},
                    &actions);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string number;
  for (pollfd p{fds[0], POLLIN, 0}; poll(&p, 1, 10000) > 0;) {
    char c = 0;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (xvfb_ < 0 || number.empty()) return "Xvfb did not start";
  setenv("DISPLAY", (":" + number).c_str(), 1);
  display_ = XOpenDisplay(nullptr);
  if (!display_) return "cannot connect to Xvfb on :" + number;

  if (withWindowManager) {
    const std::string jwm = FindProgram("jwm");
    if (jwm.empty()) return "jwm is not installed";
    const std::filesystem::path config = scratch / "jwmrc";
    std::ofstream(config) << kJwmConfig;
    const pid_t pid = Spawn({jwm, "-f", config.string()});
    if (pid < 0) return "jwm did not start";
    if (!WaitUntil([&] { return WindowManagerReady(display_); }, std::chrono::seconds(10))) {
      return "jwm did not take over the display";
    }
  }
  return {};
}

pid_t XSession::Spawn(const std::vector<std::string>& argv) {
  const pid_t pid = SpawnWith(argv, nullptr);
  if (pid > 0) children_.push_back(pid);
  return pid;
}

void XSession::End(pid_t pid) {
  Stop(pid);
  children_.erase(std::remove(children_.begin(), children_.end(), pid), children_.end());
}

Receiver::Receiver(XSession& session, const std::string& title,
                   const std::filesystem::path& log, const std::vector<std::string>& flags)
    : log_(log) {
  std::vector<std::string> argv = {GLYPHGRAB_KEY_RECEIVER, title, log.string()};
  argv.insert(argv.end(), flags.begin(), flags.end());
  pid_ = session.Spawn(argv);
  WaitUntil([&] {
    std::ifstream in(log_);
    std::string word, id;
    if (in >> word >> id && word == "ready") window_ = std::stoul(id, nullptr, 16);
    return window_ != 0;
  });
}

std::vector<std::string> Receiver::Pastes(std::size_t count, std::chrono::milliseconds timeout) const {
  std::vector<std::string> pastes;
  WaitUntil(
      [&] {
        pastes.clear();
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) {
          if (!line.starts_with("paste ")) continue;
          std::string text;
          for (std::size_t i = 6; i + 1 < line.size(); i += 2) {
            text += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
          }
          pastes.push_back(text);
        }
        return pastes.size() >= count;
      },
      timeout);
  return pastes;
}

std::vector<std::string> Receiver::Keys(std::size_t count,
                                        std::chrono::milliseconds timeout) const {
  std::vector<std::string> keys;
  WaitUntil(
      [&] {
        keys.clear();
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) {
          if (line.starts_with("down ") || line.starts_with("up ")) keys.push_back(line);
        }
        return keys.size() >= count;
      },
      timeout);
  return keys;
}

}  // namespace glyphgrab::testing

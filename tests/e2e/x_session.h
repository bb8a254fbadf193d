// A private X display for one test process: Xvfb on a free display number, optionally
// with jwm managing it, and helper applications started on it. Everything started here
// is ended when the session is destroyed.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace glyphgrab::testing {

// The absolute path of a program found on PATH, or empty.
std::string FindProgram(const std::string& name);

// Runs a shell command (on the display $DISPLAY names); its output without the last
// newline, stderr dropped.
std::string Shell(const std::string& command);

class XSession {
 public:
  XSession() = default;
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // Starts Xvfb and points $DISPLAY at it; then jwm when asked. An empty answer is
  // success, otherwise it says what failed.
  std::string Start(bool withWindowManager, const std::filesystem::path& scratch);

  Display* display() const { return display_; }

  // Starts a program on the display; its pid, or -1.
  pid_t Spawn(const std::vector<std::string>& argv);
  // Ends a program started by Spawn and waits for it.
  void End(pid_t pid);

 private:
  pid_t xvfb_ = -1;
  std::vector<pid_t> children_;
  Display* display_ = nullptr;
};

// A receiver window (key_receiver) and the lines it has logged.
class Receiver {
 public:
  Receiver(XSession& session, const std::string& title, const std::filesystem::path& log,
           const std::vector<std::string>& flags = {});
  // 0 until the receiver reported its window.
  Window window() const { return window_; }
  pid_t pid() const { return pid_; }
  // The logged key lines ("down d +alt"), waiting until at least `count` arrived or
  // the timeout passed.
  std::vector<std::string> Keys(std::size_t count,
                                std::chrono::milliseconds timeout = std::chrono::seconds(3)) const;
  // With --clipboard: the texts Ctrl+V pasted, in order, waiting as Keys does.
  std::vector<std::string> Pastes(std::size_t count,
                                  std::chrono::milliseconds timeout = std::chrono::seconds(3)) const;

 private:
  std::filesystem::path log_;
  pid_t pid_ = -1;
  Window window_ = 0;
};

// Polls until pred() holds or the timeout passes; answers pred()'s last value.
template <typename Pred>
bool WaitUntil(Pred pred, std::chrono::milliseconds timeout = std::chrono::seconds(3)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!pred()) {
    if (std::chrono::steady_clock::now() >= deadline) return pred();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace glyphgrab::testing

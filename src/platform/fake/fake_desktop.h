// Recording stand-ins for the desktop services, for tests. The key sender, the window
// system and the clipboard write one line per request into a shared journal, so a
// test sees the order across all three ("clipboard Hello", "activate 0x2", "down 0x12").
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/window_system.h"

namespace glyphgrab {

using FakeJournal = std::vector<std::string>;

// Formats a code as the journal and `glyphgrab-cli keys` write it: "0x0d".
std::string FakeHex(std::uint64_t value, int digits = 2);

class FakeKeySender final : public KeySender {
 public:
  explicit FakeKeySender(FakeJournal& journal) : journal_(journal) {}
  void KeyDown(std::uint8_t virtualKey) override;
  void KeyUp(std::uint8_t virtualKey) override;

  // Called after each event with its journal line ("up 0x41"), so a test can move the
  // focus at a chosen key as a window manager or the user would.
  std::function<void(const std::string& line)> afterEvent;

 private:
  void Record(std::string line);
  FakeJournal& journal_;
};

class FakeWindowSystem final : public WindowSystem {
 public:
  explicit FakeWindowSystem(FakeJournal& journal) : journal_(journal) {}
  std::vector<TopLevelWindow> ListTopLevelWindows() override { return windows; }
  // Activates only windows still in `windows`; writes "activate 0xN" (with " maximize")
  // and gives the window the focus unless `focusRefused`.
  bool ActivateWindow(WindowId window, bool maximize) override;
  // The focus is on `window` (still listed), or on a window of the same nonzero process;
  // never on a window of `ownProcess`.
  bool FocusBelongsTo(WindowId window) override;

  std::vector<TopLevelWindow> windows;
  WindowId focus = 0;
  std::map<WindowId, int> processOf;  // 0 (unknown) for windows not listed
  int ownProcess = 1;
  bool focusRefused = false;  // another window keeps the focus, whatever is activated

 private:
  FakeJournal& journal_;
};

class FakeClipboard final : public Clipboard {
 public:
  explicit FakeClipboard(FakeJournal& journal) : journal_(journal) {}
  // Writes "clipboard TEXT" (UTF-8); refuses, writing nothing, while `locked`.
  bool SetText(std::u16string_view text) override;

  std::u16string text;
  bool locked = false;

 private:
  FakeJournal& journal_;
};

// Answers "down" from the query numbered `downFromQuery` on (0 is the first query);
// never when it is negative. Safe to query from another thread.
class FakeEscKeyState final : public EscKeyState {
 public:
  explicit FakeEscKeyState(int downFromQuery = -1) : downFromQuery_(downFromQuery) {}
  bool IsEscDown() override {
    const int n = queries.fetch_add(1);
    return downFromQuery_ >= 0 && n >= downFromQuery_;
  }
  std::atomic<int> queries{0};

 private:
  int downFromQuery_;
};

}  // namespace glyphgrab

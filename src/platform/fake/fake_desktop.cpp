#include "platform/fake/fake_desktop.h"

#include <algorithm>
#include <cstdio>

#include "util/codepage.h"

namespace glyphgrab {

std::string FakeHex(std::uint64_t value, int digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%0*llx", digits, static_cast<unsigned long long>(value));
  return buf;
}

void FakeKeySender::Record(std::string line) {
  journal_.push_back(line);
  if (afterEvent) afterEvent(line);
}

void FakeKeySender::KeyDown(std::uint8_t virtualKey) { Record("down " + FakeHex(virtualKey)); }

void FakeKeySender::KeyUp(std::uint8_t virtualKey) { Record("up " + FakeHex(virtualKey)); }

bool FakeWindowSystem::ActivateWindow(WindowId window, bool maximize) {
  for (const TopLevelWindow& w : windows) {
    if (w.id != window) continue;
    journal_.push_back("activate " + FakeHex(window, 1) + (maximize ? " maximize" : ""));
    if (!focusRefused) focus = window;
    return true;
  }
  return false;
}

bool FakeWindowSystem::FocusBelongsTo(WindowId window) {
  const auto process = [this](WindowId w) {
    const auto it = processOf.find(w);
    return it == processOf.end() ? 0 : it->second;
  };
  const auto listed = [this](WindowId w) {
    return std::any_of(windows.begin(), windows.end(), [w](const TopLevelWindow& t) { return t.id == w; });
  };
  if (focus == 0 || process(focus) == ownProcess || !listed(window)) return false;
  return focus == window || (process(focus) != 0 && process(focus) == process(window));
}

bool FakeClipboard::SetText(std::u16string_view value) {
  if (locked) return false;
  text = value;
  journal_.push_back("clipboard " + StrToUtf8(value));
  return true;
}

}  // namespace glyphgrab

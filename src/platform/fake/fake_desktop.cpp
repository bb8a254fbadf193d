#include "platform/fake/fake_desktop.h"

#include <cstdio>

#include "util/codepage.h"

namespace glyphgrab {

std::string FakeHex(std::uint64_t value, int digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%0*llx", digits, static_cast<unsigned long long>(value));
  return buf;
}

void FakeKeySender::KeyDown(std::uint8_t virtualKey) {
  journal_.push_back("down " + FakeHex(virtualKey));
}

void FakeKeySender::KeyUp(std::uint8_t virtualKey) {
  journal_.push_back("up " + FakeHex(virtualKey));
}

bool FakeWindowSystem::ActivateWindow(WindowId window, bool maximize) {
  for (const TopLevelWindow& w : windows) {
    if (w.id != window) continue;
    journal_.push_back("activate " + FakeHex(window, 1) + (maximize ? " maximize" : ""));
    return true;
  }
  return false;
}

bool FakeClipboard::SetText(std::u16string_view value) {
  if (locked) return false;
  text = value;
  journal_.push_back("clipboard " + StrToUtf8(value));
  return true;
}

}  // namespace glyphgrab

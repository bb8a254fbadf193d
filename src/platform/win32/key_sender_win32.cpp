// Key events through SendInput, one event per call so that each reaches the input queue
// before the next, in the order the command asks.
#include <windows.h>

#include "platform/esc_key_state.h"
#include "platform/key_sender.h"

namespace glyphgrab {
namespace {

// Keys whose scan codes carry the extended prefix; without the flag the system takes
// them for their numeric-keypad twins.
bool IsExtended(std::uint8_t vk) {
  switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_SNAPSHOT:
      return true;
    default:
      return false;
  }
}

class Win32KeySender final : public KeySender {
 public:
  void KeyDown(std::uint8_t virtualKey) override { Send(virtualKey, 0); }
  void KeyUp(std::uint8_t virtualKey) override { Send(virtualKey, KEYEVENTF_KEYUP); }

 private:
  static void Send(std::uint8_t vk, DWORD flags) {
    if (vk == 0) return;
    if (vk == VK_ESCAPE && flags == 0) ++SynthesisedEscPresses();
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags | (IsExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &in, sizeof in);
  }
};

}  // namespace

std::unique_ptr<KeySender> MakePlatformKeySender() { return std::make_unique<Win32KeySender>(); }

}  // namespace glyphgrab

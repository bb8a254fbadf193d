// The command-key language of the send profiles: "@DA^V" means Alt+D, A, Ctrl+V.
// Turning a command into key events is pure; playing them on the desktop is send.h's.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glyphgrab {

// The longest wait a "{n}" group asks for, in seconds. A typo such as "{2147483647}"
// would otherwise hold the target for years; the dry run and the send both take the
// capped value from the events.
inline constexpr double kMaxWaitSeconds = 3600;

// Virtual-key codes of the modifier keys, as the Windows tables number them.
constexpr std::uint8_t kVkShift = 0x10;
constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkMenu = 0x12;  // Alt

struct KeyEvent {
  enum class Kind : std::uint8_t {
    kDown,  // press the key `code`
    kUp,    // release the key `code`
    kWait,  // pause `seconds`
    kStop,  // an empty brace group ended the typing; nothing follows
  };
  Kind kind = Kind::kDown;
  std::uint8_t code = 0;  // virtual-key code, for kDown and kUp
  double seconds = 0;     // for kWait

  static KeyEvent Down(std::uint8_t code) { return {Kind::kDown, code, 0}; }
  static KeyEvent Up(std::uint8_t code) { return {Kind::kUp, code, 0}; }
  static KeyEvent Wait(double seconds) { return {Kind::kWait, 0, seconds}; }
  static KeyEvent Stop() { return {Kind::kStop, 0, 0}; }
  bool operator==(const KeyEvent&) const = default;
};
using KeyEventList = std::vector<KeyEvent>;

struct KeyName {
  std::u16string_view name;
  std::uint8_t code;
};
// The names a brace group may hold ("{ENTER}"), in lookup order.
std::span<const KeyName> KeyNameTable();

// The code of a key text that is not in KeyNameTable: the three modifiers, the keypad
// operators, the comma, otherwise the low 8 bits of the first unit. 0 for an empty text.
std::uint8_t CharKeyCode(std::u16string_view keyText);

// Appends the events of one token and answers true; on an empty brace group it appends
// the releases of the modifiers the token still holds and answers false.
bool PressToken(std::u16string_view token, KeyEventList& out);

// The events that typing the command produces, in order: a half-second wait before each
// key token, "{n}" waits of n tenths of a second (at most kMaxWaitSeconds), and kStop
// last when an empty brace group ends the typing. The "{X" group must have been
// expanded before. `keyTokenStarts`, when given, receives where each key token starts in
// the command: the events of the k-th key token are the k-th run that starts with a key
// press while no key is held.
KeyEventList TypeCommand(std::u16string_view command, std::vector<std::size_t>* keyTokenStarts = nullptr);

// The first "{X...}" group of a command puts its text on the clipboard and becomes "^V".
struct ClipboardExpansion {
  enum class Outcome : std::uint8_t {
    kUnchanged,  // no "{X": the command is typed as it is
    kExpanded,   // clipboardText goes to the clipboard, then command is typed
    kAbandoned,  // "{X" without a closing brace: nothing is sent at all
  };
  Outcome outcome = Outcome::kUnchanged;
  std::u16string command;
  std::u16string clipboardText;
};
ClipboardExpansion ExpandClipboardGroup(std::u16string_view command);

// The events of a send as `glyphgrab-cli keys` prints them, one line each without the
// line end: "wait 0.5", "down 0x12", "up 0x12", "stop".
std::string KeyEventLine(const KeyEvent& event);

}  // namespace glyphgrab

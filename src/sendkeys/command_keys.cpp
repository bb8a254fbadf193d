#include "sendkeys/command_keys.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "util/strings.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

// Every key token is preceded by this pause, so the target has time to react to the
// previous one (a menu opening, a dialog appearing).
constexpr double kKeyTokenWait = 0.5;

constexpr std::array<KeyName, 31> kKeyNames{{
    {u"F1", 0x70},     {u"F2", 0x71},     {u"F3", 0x72},     {u"F4", 0x73},
    {u"F5", 0x74},     {u"F6", 0x75},     {u"F7", 0x76},     {u"F8", 0x77},
    {u"F9", 0x78},     {u"F10", 0x79},    {u"F11", 0x7A},    {u"F12", 0x7B},
    {u"INSERT", 0x2D}, {u"DELETE", 0x2E}, {u"HOME", 0x24},   {u"END", 0x23},
    {u"PGUP", 0x21},   {u"PGDN", 0x22},   {u"TAB", 0x09},    {u"ENTER", 0x0D},
    {u"BKSP", 0x08},   {u"PRTSC", 0x2C},  {u"SHIFT", 0x10},  {u"SPACE", 0x20},
    {u"SPC", 0x20},    {u"LEFT", 0x25},   {u"UP", 0x26},     {u"RIGHT", 0x27},
    {u"DOWN", 0x28},   {u"ESCAPE", 0x1B}, {u"ESC", 0x1B},
}};

constexpr bool IsModifier(char16_t c) { return c == u'^' || c == u'@' || c == u'~'; }

// Index just past the first "}" at or after `from`, or the end of s when there is none.
std::size_t PastClosingBrace(std::u16string_view s, std::size_t from) {
  const std::size_t close = s.find(u'}', from);
  return close == std::u16string_view::npos ? s.size() : close + 1;
}

// Tenths of a second that a brace group's inner text asks to wait, or 0 when it is no
// wait. Only decimal numbers count: the hexadecimal forms the integer reader also takes
// would turn a second "{X..." group such as "{XABC}" into a wait of minutes instead of
// a press of X.
std::int32_t WaitTenths(std::u16string_view inner) {
  std::size_t p = 0;
  while (p < inner.size() && inner[p] == u' ') ++p;
  if (p < inner.size() && (inner[p] == u'+' || inner[p] == u'-')) ++p;
  if (p < inner.size() && (inner[p] == u'$' || inner[p] == u'x' || inner[p] == u'X')) return 0;
  if (p + 1 < inner.size() && inner[p] == u'0' && (inner[p + 1] == u'x' || inner[p + 1] == u'X')) {
    return 0;
  }
  return TextToInt(inner);
}

std::uint8_t KeyTextCode(std::u16string_view keyText) {
  for (const KeyName& entry : kKeyNames) {
    if (entry.name == keyText) return entry.code;
  }
  return CharKeyCode(keyText);
}

struct HeldModifiers {
  bool ctrl = false, alt = false, shift = false;

  // Always in the order Ctrl, Alt, Shift, whatever order they were pressed in.
  void ReleaseAll(KeyEventList& out) {
    if (ctrl) out.push_back(KeyEvent::Up(kVkControl));
    if (alt) out.push_back(KeyEvent::Up(kVkMenu));
    if (shift) out.push_back(KeyEvent::Up(kVkShift));
    ctrl = alt = shift = false;
  }
};

}  // namespace

std::span<const KeyName> KeyNameTable() { return kKeyNames; }

std::uint8_t CharKeyCode(std::u16string_view keyText) {
  if (keyText.empty()) return 0;
  switch (keyText.front()) {
    case u'^': return kVkControl;
    case u'@': return kVkMenu;
    case u'~': return kVkShift;
    case u' ': return 0x20;  // VK_SPACE
    case u'*': return 0x6A;  // VK_MULTIPLY
    case u'+': return 0x6B;  // VK_ADD
    case u',': return 0xBC;  // VK_OEM_COMMA
    case u'-': return 0x6D;  // VK_SUBTRACT
    case u'.': return 0x6E;  // VK_DECIMAL
    case u'/': return 0x6F;  // VK_DIVIDE
    default:
      // Letters and digits are their own codes once upper-cased; anything else lands
      // on whatever key its low byte names.
      return static_cast<std::uint8_t>(keyText.front() & 0xFF);
  }
}

bool PressToken(std::u16string_view token, KeyEventList& out) {
  HeldModifiers held;
  for (std::size_t q = 0; q < token.size(); ++q) {
    std::u16string keyText;
    if (token[q] == u'{') {
      const std::size_t close = token.find(u'}', q + 1);
      const std::size_t end = close == std::u16string_view::npos ? token.size() : close;
      keyText = StrUpper(token.substr(q + 1, end - q - 1));
      q = end;
    } else {
      keyText = StrUpper(token.substr(q, 1));
    }
    if (keyText.empty()) {
      // Typing stops here; a modifier left down would stay stuck in the user's session.
      held.ReleaseAll(out);
      return false;
    }
    const std::uint8_t code = KeyTextCode(keyText);
    out.push_back(KeyEvent::Down(code));
    if (keyText == u"^") {
      held.ctrl = true;
    } else if (keyText == u"@") {
      held.alt = true;
    } else if (keyText == u"~") {
      held.shift = true;
    } else {
      out.push_back(KeyEvent::Up(code));
      held.ReleaseAll(out);
    }
  }
  // Each key is released once: a second release of a key already up reaches the target
  // as a stray key-up of its own (Windows programs see it).
  held.ReleaseAll(out);
  return true;
}

KeyEventList TypeCommand(std::u16string_view command, std::vector<std::size_t>* keyTokenStarts) {
  KeyEventList out;
  std::size_t p = 0;
  while (p < command.size()) {
    const char16_t c = command[p];
    std::size_t end = p + 1;
    if (!IsModifier(c)) {
      if (c == u'{') end = PastClosingBrace(command, p + 1);
    } else {
      // A modifier takes the next character with it, and up to two more while they are
      // modifiers too; a brace group after them belongs to the same token.
      for (int k = 0; k < 3 && end < command.size(); ++k) {
        if (!IsModifier(command[end++])) break;
      }
      if (end > p + 1 && command[end - 1] == u'{') end = PastClosingBrace(command, end);
    }
    const std::u16string_view token = command.substr(p, end - p);
    p = end;

    if (token.front() == u'{') {
      const std::u16string_view inner =
          token.size() >= 2 ? token.substr(1, token.size() - 2) : std::u16string_view();
      const std::int32_t tenths = WaitTenths(inner);
      if (tenths > 0) {
        out.push_back(KeyEvent::Wait(std::min(tenths / 10.0, kMaxWaitSeconds)));
        continue;
      }
    }
    if (keyTokenStarts) keyTokenStarts->push_back(p - token.size());
    out.push_back(KeyEvent::Wait(kKeyTokenWait));
    if (!PressToken(token, out)) {
      out.push_back(KeyEvent::Stop());
      break;
    }
  }
  return out;
}

ClipboardExpansion ExpandClipboardGroup(std::u16string_view command) {
  ClipboardExpansion result;
  const int at = StrIndexOf(u"{X", command);
  if (at < 0) {
    result.command = command;
    return result;
  }
  const std::u16string_view before = command.substr(0, static_cast<std::size_t>(at));
  const std::u16string_view rest = command.substr(static_cast<std::size_t>(at) + 2);
  const std::size_t close = rest.find(u'}');
  if (close == std::u16string_view::npos) {
    result.outcome = ClipboardExpansion::Outcome::kAbandoned;
    return result;
  }
  result.outcome = ClipboardExpansion::Outcome::kExpanded;
  result.clipboardText = rest.substr(0, close);
  result.command.reserve(command.size());
  result.command.append(before).append(u"^V").append(rest.substr(close + 1));
  return result;
}

std::string KeyEventLine(const KeyEvent& event) {
  char buf[64];
  switch (event.kind) {
    case KeyEvent::Kind::kDown:
    case KeyEvent::Kind::kUp:
      std::snprintf(buf, sizeof buf, "%s 0x%02x",
                    event.kind == KeyEvent::Kind::kDown ? "down" : "up", event.code);
      return buf;
    case KeyEvent::Kind::kWait: {
      // Shortest text that reads back as the same value: "0.5", "3".
      const auto r = std::to_chars(buf, buf + sizeof buf, event.seconds,
                                   std::chars_format::fixed);
      return "wait " + std::string(buf, r.ptr);
    }
    case KeyEvent::Kind::kStop:
      return "stop";
  }
  return {};
}

}  // namespace glyphgrab

#include "sendkeys/command_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/codepage.h"

namespace glyphgrab {
namespace {

// The events as `glyphgrab-cli keys` prints them, joined with "|".
std::string Typed(std::u16string_view command) {
  std::string text;
  for (const KeyEvent& e : TypeCommand(command)) {
    if (!text.empty()) text += '|';
    text += KeyEventLine(e);
  }
  return text;
}

// One key token without modifiers: the half-second wait, press and one release.
std::string Tap(const std::string& code) {
  return "wait 0.5|down " + code + "|up " + code;
}

std::string Join(std::initializer_list<std::string> parts) {
  std::string text;
  for (const std::string& p : parts) text += (text.empty() ? "" : "|") + p;
  return text;
}

struct Case {
  const char* command;  // UTF-8
  std::string events;
};

TEST(TypeCommand, ModifierTokens) {
  const Case cases[] = {
      {"@D", "wait 0.5|down 0x12|down 0x44|up 0x44|up 0x12"},
      {"^V", "wait 0.5|down 0x11|down 0x56|up 0x56|up 0x11"},
      {"~A", "wait 0.5|down 0x10|down 0x41|up 0x41|up 0x10"},
      {"@DS", Join({"wait 0.5|down 0x12|down 0x44|up 0x44|up 0x12", Tap("0x53")})},
      // Releases always come Ctrl, Alt, Shift, whatever the order of the presses.
      {"^@~X", "wait 0.5|down 0x11|down 0x12|down 0x10|down 0x58|up 0x58|up 0x11|up 0x12|"
               "up 0x10"},
      {"~@^X", "wait 0.5|down 0x10|down 0x12|down 0x11|down 0x58|up 0x58|up 0x11|up 0x12|"
               "up 0x10"},
      // A fourth modifier in a row is the token's key; X becomes a token of its own.
      {"^@~^X", Join({"wait 0.5|down 0x11|down 0x12|down 0x10|down 0x11|up 0x11|up 0x12|"
                      "up 0x10",
                      Tap("0x58")})},
      // A lone modifier at the end taps it.
      {"A@", Join({Tap("0x41"), "wait 0.5|down 0x12|up 0x12"})},
      {"@", "wait 0.5|down 0x12|up 0x12"},
      // After a modifier a brace group is a key, never a wait.
      {"@{30}", "wait 0.5|down 0x12|down 0x33|up 0x33|up 0x12"},
      {"^{ENTER}", "wait 0.5|down 0x11|down 0x0d|up 0x0d|up 0x11"},
      {"~@{tab}", "wait 0.5|down 0x10|down 0x12|down 0x09|up 0x09|up 0x12|up 0x10"},
      // The modifier takes the next character whatever it is.
      {"^{", "wait 0.5|down 0x11|up 0x11|stop"},
      {"@DA^V", Join({"wait 0.5|down 0x12|down 0x44|up 0x44|up 0x12", Tap("0x41"),
                      "wait 0.5|down 0x11|down 0x56|up 0x56|up 0x11"})},
  };
  for (const Case& c : cases) EXPECT_EQ(Typed(Utf8ToStr(c.command)), c.events) << c.command;
}

TEST(TypeCommand, WaitsAndKeyGroups) {
  const Case cases[] = {
      {"{30}", "wait 3"},
      {"{ 30}", "wait 3"},     // leading blanks are read
      {"{30 }", Tap("0x33")},  // a trailing blank makes it a key group: 3
      {"{5}", "wait 0.5"},
      {"{1}", "wait 0.1"},
      {"{+12}", "wait 1.2"},
      {"{36000}", "wait 3600"},
      {"{36001}", "wait 3600"},  // capped at one hour
      {"{2147483647}", "wait 3600"},
      {"{0}", Tap("0x30")},
      {"{-5}", Tap("0x6d")},  // no wait: the keypad minus
      {"@DS{30}@DB",
       Join({"wait 0.5|down 0x12|down 0x44|up 0x44|up 0x12", Tap("0x53"), "wait 3",
             "wait 0.5|down 0x12|down 0x44|up 0x44|up 0x12", Tap("0x42")})},
      {"{TAB}{TAB}{TAB}", Join({Tap("0x09"), Tap("0x09"), Tap("0x09")})},
      {"{tab}", Tap("0x09")},
      {"{Enter}", Tap("0x0d")},
      // Unknown names press the key of their first character.
      {"{ABC}", Tap("0x41")},
      {"{C\"quoted\"}", Tap("0x43")},
      {"{shift}", Tap("0x10")},  // an ordinary key here, not a held modifier
      // An unclosed group runs to the end of the command.
      {"A{DOWN", Join({Tap("0x41"), Tap("0x28")})},
      // Only decimal numbers wait; "{X1F}" presses X as the second "{X" group should.
      {"{X1F}", Tap("0x58")},
      // A blank before it hides the hex form too: the short wait of a key group, then the
      // blank's key; never 3.1 s.
      {"{ X1F}", Tap("0x20")},
      {"{$10}", Tap("0x24")},
      {"{0x10}", Tap("0x30")},
      {"@DB1000,1000{ENTER}",
       Join({"wait 0.5|down 0x12|down 0x44|up 0x44|up 0x12", Tap("0x42"), Tap("0x31"),
             Tap("0x30"), Tap("0x30"), Tap("0x30"), Tap("0xbc"), Tap("0x31"), Tap("0x30"),
             Tap("0x30"), Tap("0x30"), Tap("0x0d")})},
  };
  for (const Case& c : cases) EXPECT_EQ(Typed(Utf8ToStr(c.command)), c.events) << c.command;
}

TEST(TypeCommand, EmptyBraceGroupStopsAndReleasesHeldModifiers) {
  const Case cases[] = {
      {"AB{}CD", Join({Tap("0x41"), Tap("0x42"), "wait 0.5|stop"})},
      {"A{", Join({Tap("0x41"), "wait 0.5|stop"})},
      {"{}", "wait 0.5|stop"},
      {"@{}X", "wait 0.5|down 0x12|up 0x12|stop"},
      {"~@{}", "wait 0.5|down 0x10|down 0x12|up 0x12|up 0x10|stop"},
      {"^@~{}", "wait 0.5|down 0x11|down 0x12|down 0x10|up 0x11|up 0x12|up 0x10|stop"},
      {"^@{", "wait 0.5|down 0x11|down 0x12|up 0x11|up 0x12|stop"},
  };
  for (const Case& c : cases) EXPECT_EQ(Typed(Utf8ToStr(c.command)), c.events) << c.command;
}

TEST(TypeCommand, CharacterKeys) {
  const Case cases[] = {
      {"a", Tap("0x41")}, {"A", Tap("0x41")}, {"z", Tap("0x5a")}, {"0", Tap("0x30")},
      {"9", Tap("0x39")}, {" ", Tap("0x20")}, {"*", Tap("0x6a")}, {"+", Tap("0x6b")},
      {",", Tap("0xbc")}, {"-", Tap("0x6d")}, {".", Tap("0x6e")}, {"/", Tap("0x6f")},
      {"}", Tap("0x7d")},
      // Other characters land on the key of their low byte (of the upper-case form).
      {"ａ", Tap("0x21")},  // U+FF41 -> U+FF21
      {"Ａ", Tap("0x21")},
      {"あ", Tap("0x42")},  // U+3042
      {"\xF0\x9F\x98\x80", Join({Tap("0x3d"), Tap("0x00")})},  // U+1F600: two units
  };
  for (const Case& c : cases) EXPECT_EQ(Typed(Utf8ToStr(c.command)), c.events) << c.command;
  EXPECT_EQ(Typed(std::u16string(1, u'\0')), Tap("0x00"));
  EXPECT_EQ(Typed(u""), "");
}

TEST(TypeCommand, EveryNamedKeyInEitherCase) {
  ASSERT_EQ(KeyNameTable().size(), 31u);
  for (const KeyName& k : KeyNameTable()) {
    const std::u16string upper = u"{" + std::u16string(k.name) + u"}";
    std::u16string lower = upper;
    for (char16_t& c : lower) c = (c >= u'A' && c <= u'Z') ? c + 32 : c;
    const KeyEventList expected{KeyEvent::Wait(0.5), KeyEvent::Down(k.code), KeyEvent::Up(k.code)};
    EXPECT_EQ(TypeCommand(upper), expected) << StrToUtf8(upper);
    EXPECT_EQ(TypeCommand(lower), expected) << StrToUtf8(lower);
  }
  const std::pair<const char16_t*, int> spotChecks[] = {
      {u"{F1}", 0x70}, {u"{F12}", 0x7B}, {u"{PGUP}", 0x21}, {u"{PGDN}", 0x22},
      {u"{BKSP}", 0x08}, {u"{PRTSC}", 0x2C}, {u"{SPC}", 0x20}, {u"{ESC}", 0x1B},
      {u"{INSERT}", 0x2D}, {u"{DELETE}", 0x2E}, {u"{HOME}", 0x24}, {u"{END}", 0x23},
      {u"{LEFT}", 0x25}, {u"{UP}", 0x26}, {u"{RIGHT}", 0x27}, {u"{DOWN}", 0x28},
      // Near misses fall back to their first character.
      {u"{F13}", 0x46}, {u"{ESCAPE }", 0x45}, {u"{ F1}", 0x20},
  };
  for (const auto& [command, code] : spotChecks) {
    const KeyEventList events = TypeCommand(command);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[1], KeyEvent::Down(static_cast<std::uint8_t>(code))) << StrToUtf8(command);
  }
}

TEST(PressToken, AnswersFalseOnlyOnAnEmptyGroup) {
  KeyEventList out;
  EXPECT_TRUE(PressToken(u"@D", out));
  EXPECT_FALSE(PressToken(u"@{}", out));
  EXPECT_FALSE(PressToken(u"{", out));
  EXPECT_TRUE(PressToken(u"{X", out));
}

TEST(ExpandClipboardGroup, FirstClosedGroupBecomesPaste) {
  using O = ClipboardExpansion::Outcome;
  struct {
    const char16_t* command;
    O outcome;
    const char16_t* typed;
    const char16_t* clipboard;
  } const cases[] = {
      {u"@DA^V", O::kUnchanged, u"@DA^V", u""},
      {u"{xabc}", O::kUnchanged, u"{xabc}", u""},  // lower-case x is no clipboard group
      {u"{XHello}", O::kExpanded, u"^V", u"Hello"},
      {u"@DA{X12}", O::kExpanded, u"@DA^V", u"12"},
      {u"{Xあいうえお}{ENTER}", O::kExpanded, u"^V{ENTER}", u"あいうえお"},
      {u"{X}", O::kExpanded, u"^V", u""},
      {u"{Xa}b}", O::kExpanded, u"^Vb}", u"a"},
      {u"{X{X1}}", O::kExpanded, u"^V}", u"{X1"},
      {u"A{X1}B{X2}", O::kExpanded, u"A^VB{X2}", u"1"},  // only the first group
      {u"{Xabc", O::kAbandoned, u"", u""},
      {u"@D{X", O::kAbandoned, u"", u""},
  };
  for (const auto& c : cases) {
    const ClipboardExpansion e = ExpandClipboardGroup(c.command);
    EXPECT_EQ(e.outcome, c.outcome) << StrToUtf8(c.command);
    EXPECT_EQ(e.command, c.typed) << StrToUtf8(c.command);
    EXPECT_EQ(e.clipboardText, c.clipboard) << StrToUtf8(c.command);
  }
}

TEST(KeyEventLine, ShortestWaitsAndTwoHexDigits) {
  EXPECT_EQ(KeyEventLine(KeyEvent::Wait(0.5)), "wait 0.5");
  EXPECT_EQ(KeyEventLine(KeyEvent::Wait(3)), "wait 3");
  EXPECT_EQ(KeyEventLine(KeyEvent::Wait(2147483647 / 10.0)), "wait 214748364.7");
  EXPECT_EQ(KeyEventLine(KeyEvent::Down(0x0D)), "down 0x0d");
  EXPECT_EQ(KeyEventLine(KeyEvent::Up(0xBC)), "up 0xbc");
  EXPECT_EQ(KeyEventLine(KeyEvent::Stop()), "stop");
}

}  // namespace
}  // namespace glyphgrab

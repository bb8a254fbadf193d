#include "util/codepage.h"

#include <utility>

#include <gtest/gtest.h>

namespace glyphgrab {
namespace {

Bytes B(std::initializer_list<int> v) {
  Bytes b;
  for (int x : v) b.push_back(static_cast<std::uint8_t>(x));
  return b;
}

TEST(Cp932, DecodesAsWindowsDoes) {
  struct Case {
    const char* what;
    Bytes in;
    std::u16string out;
    std::size_t bad;
  } cases[] = {
      {"ascii", B({'A', 'B', 'C'}), u"ABC", 0},
      {"5C is the backslash", B({0x5C, 0x7E}), u"\\~", 0},
      {"NEC circled one", B({0x87, 0x40}), u"①", 0},
      {"NEC kabushiki", B({0x87, 0x8A}), u"㈱", 0},
      {"NEC era name", B({0x87, 0x7E}), u"㍻", 0},
      {"IBM small roman one", B({0xFA, 0x40}), u"ⅰ", 0},
      {"wave dash is the full-width tilde", B({0x81, 0x60}), u"～", 0},
      {"half-width ga", B({0xB6, 0xDE}), u"ｶﾞ", 0},
      {"kanji", B({0x8A, 0xBF, 0x8E, 0x9A}), u"漢字", 0},
      {"user-defined area", B({0xF0, 0x40}), u"\uE000", 0},
      {"unassigned double byte", B({0x85, 0x40, 'A'}), u"\uFFFDA", 2},
      {"lead byte before a non-trail byte keeps that byte", B({0x82, ' '}), u"\uFFFD ", 1},
      {"lead byte with an unassigned trail", B({0x82, 'A'}), u"\uFFFD", 2},
      {"truncated lead byte at the end", B({'a', 0x82}), u"a\uFFFD", 1},
      {"empty", B({}), u"", 0},
  };
  for (const auto& c : cases) {
    std::size_t bad = 99;
    EXPECT_EQ(Cp932BytesToStr(c.in, &bad), c.out) << c.what;
    EXPECT_EQ(bad, c.bad) << c.what;
  }
}

// Windows' own code page maps five single bytes that the published table lacks. On
// Windows the system decodes, and Wine's code page 932 refuses four of them, so there
// each may also come back as a counted U+FFFD.
TEST(Cp932, FiveSingleBytesWindowsMaps) {
  const std::pair<std::uint8_t, char16_t> cases[] = {
      {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};
  for (const auto& [byte, unit] : cases) {
    std::size_t bad = 99;
    const std::u16string got = Cp932BytesToStr(B({byte, 'A'}), &bad);
#ifdef _WIN32
    const bool refused = got == u"\uFFFDA" && bad == 1 && byte != 0x80;
#else
    const bool refused = false;
#endif
    EXPECT_TRUE((got == std::u16string{unit, u'A'} && bad == 0) || refused)
        << "byte " << int{byte} << " gave " << testing::PrintToString(got);
  }
}

TEST(Cp932, AnsiStopsAtTheFirstNul) {
  EXPECT_EQ(AnsiBytesToStr(B({'A', 'B', 'C', 0, 'D', 'E', 'F'})), u"ABC");
  EXPECT_EQ(AnsiBytesToStr(B({0, 0, 0, 0})), u"");
  EXPECT_EQ(AnsiBytesToStr(B({'a', ' ', ' ', 0, 0})), u"a  ");  // blank fill stays
  EXPECT_EQ(AnsiBytesToStr(B({0x82, 0xA0, 0})), u"あ");
  // The whole-span decoder keeps NUL characters for text files.
  EXPECT_EQ(Cp932BytesToStr(B({'A', 0, 'B'})), std::u16string(u"A\0B", 3));
}

TEST(Utf16, PairsUpToNul) {
  EXPECT_EQ(Utf16BytesToStr(B({0x41, 0, 0x42, 0, 0x43})), u"AB");  // odd last byte ignored
  EXPECT_EQ(Utf16BytesToStr(B({0x61, 0, 0, 0, 0x62, 0})), u"a");
  EXPECT_EQ(Utf16BytesToStr(B({0x42, 0x30})), u"あ");
  EXPECT_EQ(Utf16BytesToStr(B({0x00, 0xD8, 0x41, 0})), std::u16string({0xD800, u'A'}));
}

TEST(Utf8Hex, RoundTripsAndStopsWhereTheRulesSay) {
  EXPECT_EQ(StrToUtf8Hex(u"abc"), u"616263");
  EXPECT_EQ(StrToUtf8Hex(u"あ"), u"E38182");
  EXPECT_EQ(Utf8HexToStr(u"E38182"), u"あ");
  EXPECT_EQ(Utf8HexToStr(u"e38182"), u"あ");
  EXPECT_EQ(Utf8HexToStr(u"4G41"), u"");  // the invalid first pair gives a zero byte
  EXPECT_EQ(Utf8HexToStr(u"41424"), std::u16string(u"AB\u0004"));
  EXPECT_EQ(Utf8HexToStr(u""), u"");
  EXPECT_EQ(StrToUtf8Hex(std::u16string(u"a\0b", 3)), u"61");

  EXPECT_EQ(HexToBytes(u"0aFF"), B({0x0A, 0xFF, 0}));
  EXPECT_EQ(BytesToHex(B({0x01, 0xAB, 0, 0x02})), u"01AB");

  const std::u16string sample = u"C:\\図面 ①㈱ ｶﾞ \U0001F600";
  EXPECT_EQ(Utf8HexToStr(StrToUtf8Hex(sample)), sample);
}

TEST(Utf8, MalformedBecomesReplacement) {
  std::size_t bad = 0;
  EXPECT_EQ(Utf8BytesToStr(B({'a', 0xFF, 'b'}), &bad), u"a\uFFFDb");
  EXPECT_EQ(bad, 1u);
  EXPECT_EQ(Utf8BytesToStr(B({0xE3, 0x81, 0x82, 0, 'x'})), u"あ");
  EXPECT_EQ(StrToUtf8(std::u16string({u'a', 0xD800})), "a\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToStr("漢字"), u"漢字");

  // One U+FFFD per maximal subpart: the longest start of a sequence that could still
  // have become well formed.
  struct Case {
    Bytes in;
    std::u16string out;
    std::size_t bad;
  } cases[] = {
      {B({0xE3, 0x81, 'x'}), u"\uFFFDx", 1},
      {B({0xF0, 0x80, 0x80}), u"\uFFFD\uFFFD\uFFFD", 3},  // F0 needs 90..BF next
      {B({0xED, 0xA0, 0x80}), u"\uFFFD\uFFFD\uFFFD", 3},  // a surrogate
      {B({0xC0, 0xAF}), u"\uFFFD\uFFFD", 2},               // overlong
      {B({0xF4, 0x8F, 0xBF, 0xBF}), u"\U0010FFFF", 0},
      {B({0xF4, 0x90, 0x80, 0x80}), u"\uFFFD\uFFFD\uFFFD\uFFFD", 4},
      {B({0xF0, 0x9F, 0x98}), u"\uFFFD", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8BytesToStr(c.in, &bad), c.out) << testing::PrintToString(c.in);
    EXPECT_EQ(bad, c.bad) << testing::PrintToString(c.in);
  }
}

}  // namespace
}  // namespace glyphgrab

#include "util/text_file.h"

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

using Lines = std::vector<std::u16string>;

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

TEST(TextLines, EncodingsByByteOrderMark) {
  struct Case {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
    Lines lines;
    std::size_t bad;
  } cases[] = {
      {"code page 932", "\x82\xa0\r\nABC", TextEncoding::Cp932, {u"あ", u"ABC"}, 0},
      {"utf-8 bom", "\xEF\xBB\xBF\xE3\x81\x82\nx", TextEncoding::Utf8, {u"あ", u"x"}, 0},
      {"utf-16le bom", std::string("\xFF\xFE\x42\x30\r\0\n\0a\0", 10), TextEncoding::Utf16LE, {u"あ", u"a"}, 0},
      {"utf-16be bom", std::string("\xFE\xFF\x30\x42\0\n\0b", 8), TextEncoding::Utf16BE, {u"あ", u"b"}, 0},
      {"utf-8 invalid byte", "\xEF\xBB\xBF" "a\xFF" "b", TextEncoding::Utf8, {u"a\uFFFDb"}, 1},
      {"utf-16 odd byte and lone surrogate", std::string("\xFF\xFE\x00\xD8\x41\x00\x42", 7),
       TextEncoding::Utf16LE, {u"\uFFFDA\uFFFD"}, 2},
      {"cp932 invalid", "a\x85\x40", TextEncoding::Cp932, {u"a\uFFFD"}, 2},
      {"only a bom", "\xEF\xBB\xBF", TextEncoding::Utf8, {}, 0},
      {"utf-8 keeps NUL", std::string("\xEF\xBB\xBF" "a\0b", 6), TextEncoding::Utf8,
       {std::u16string(u"a\0b", 3)}, 0},
  };
  for (const auto& c : cases) {
    const TextLines t = DecodeTextLines(B(c.bytes));
    EXPECT_EQ(t.encoding, c.encoding) << c.what;
    EXPECT_EQ(t.lines, c.lines) << c.what;
    EXPECT_EQ(t.undecodable, c.bad) << c.what;
  }
}

// Without a mark, a text that is valid UTF-8 and not plain ASCII is UTF-8 (the usual form
// on Linux); anything else stays code page 932.
TEST(TextLines, EncodingWithoutMark) {
  struct Case {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
    Lines lines;
  } cases[] = {
      {"utf-8 japanese", "\xE5\x9B\xB3\xE9\x9D\xA2\xE3\x81\xAE\xE8\xAA\xAC\xE6\x98\x8E\n", TextEncoding::Utf8,
       {u"図面の説明"}},
      {"ascii only", "plan A\n", TextEncoding::Cp932, {u"plan A"}},
      {"cp932 kanji", "\x90\xe0\x96\xbe", TextEncoding::Cp932, {u"説明"}},
      {"cp932 half-width katakana cut like utf-8", "\xC3\xBD\xC4", TextEncoding::Cp932, {u"ﾃｽﾄ"}},
      // (a stray FF would decode as Windows maps it, which Wine's code page does not)
      {"utf-8 then a stray byte", "\xE3\x81\x82\x80", TextEncoding::Cp932, {u"縺\uFFFD"}},
      {"utf-8 surrogate form is not utf-8", "\xED\xA0\x80", TextEncoding::Cp932, {u"\u605D\u0080"}},
  };
  for (const auto& c : cases) {
    const TextLines t = DecodeTextLines(B(c.bytes));
    EXPECT_EQ(t.encoding, c.encoding) << c.what;
    EXPECT_EQ(t.lines, c.lines) << c.what;
  }
}

// Only the first bytes of a big file decide; a character cut where they end is no fault.
TEST(TextLines, EncodingOfAPrefix) {
  const std::string a = "\xE3\x81\x82";  // あ
  EXPECT_EQ(DetectTextEncoding(B("ab" + a.substr(0, 2)), false).encoding, TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding(B("ab" + a.substr(0, 2)), true).encoding, TextEncoding::Cp932);
  EXPECT_EQ(DetectTextEncoding(B(a.substr(0, 1)), false).encoding, TextEncoding::Cp932);  // nothing whole
}

TEST(TextLines, LineBreakForms) {
  struct Case {
    std::u16string text;
    Lines lines;
  } cases[] = {
      {u"a\r\nb\rc\nd", {u"a", u"b", u"c", u"d"}},
      {u"a\n", {u"a"}},
      {u"a\r\n", {u"a"}},
      {u"a\n\n", {u"a", u""}},
      {u"\n", {u""}},
      {u"", {}},
      {u"a\n\rb", {u"a", u"", u"b"}},  // LF CR is two breaks
      {u"a\r\r\nb", {u"a", u"", u"b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines);
}

TEST(TextLines, LoadFromFile) {
  testing::TempDir dir;
  dir.Write("memo.txt", "\xEF\xBB\xBFline1\r\nline2\r\n");
  TextLines t;
  ASSERT_TRUE(LoadTextFileLines(NativeToPath(dir.folder()) + u"memo.txt", t));
  EXPECT_EQ(t.lines, (Lines{u"line1", u"line2"}));
  EXPECT_FALSE(LoadTextFileLines(NativeToPath(dir.folder()) + u"missing.txt", t));
  EXPECT_TRUE(t.lines.empty());
  EXPECT_FALSE(LoadTextFileLines(NativeToPath(dir.folder()), t));  // a folder
}

}  // namespace
}  // namespace glyphgrab

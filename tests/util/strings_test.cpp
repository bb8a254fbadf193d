#include "util/strings.h"

#include <gtest/gtest.h>

namespace glyphgrab {
namespace {

TEST(Substrings, IndexFromMidRepeat) {
  EXPECT_EQ(StrIndexOf(u"bc", u"abc"), 1);
  EXPECT_EQ(StrIndexOf(u"", u"abc"), -1);
  EXPECT_EQ(StrIndexOf(u"a", u""), -1);
  EXPECT_EQ(StrIndexOf(u"x", u"abc"), -1);
  EXPECT_EQ(StrIndexOf(u"A", u"abc"), -1);  // case-sensitive

  EXPECT_EQ(StrFrom(u"abc", -5), u"abc");
  EXPECT_EQ(StrFrom(u"abc", 1), u"bc");
  EXPECT_EQ(StrFrom(u"abc", 3), u"");

  EXPECT_EQ(StrMid(u"abcdef", 2, 3), u"cde");
  EXPECT_EQ(StrMid(u"abcdef", -2, 3), u"abc");  // start clamped, n not shortened
  EXPECT_EQ(StrMid(u"abcdef", 4, 10), u"ef");
  EXPECT_EQ(StrMid(u"abcdef", 6, 1), u"");
  EXPECT_EQ(StrMid(u"abcdef", 1, -1), u"");

  EXPECT_EQ(StrRepeat(u" ", 3), u"   ");
  EXPECT_EQ(StrRepeat(u"ab", 0), u"");
  EXPECT_EQ(StrRepeat(u"ab", -1), u"");
}

TEST(Substrings, TakeWidthCountsHalfAndFullWidth) {
  auto t = StrTakeWidth(u"あいう", 0, 5);
  EXPECT_EQ(t.text, u"あい");
  EXPECT_EQ(t.next, 2);
  t = StrTakeWidth(u"abc", 1, 255);
  EXPECT_EQ(t.text, u"bc");
  EXPECT_EQ(t.next, 3);
  t = StrTakeWidth(u"aｱあ", 0, 3);  // half-width katakana counts 1
  EXPECT_EQ(t.text, u"aｱ");
  EXPECT_EQ(t.next, 2);
  t = StrTakeWidth(u"ab\tc", 0, 3);  // a control character counts 2
  EXPECT_EQ(t.text, u"ab");
  t = StrTakeWidth(u"a\U0001F600", 0, 3);  // a pair may be cut between its halves
  EXPECT_EQ(t.text, std::u16string(u"a\xD83D"));
  EXPECT_EQ(t.next, 2);
}

TEST(Substrings, SurrogateRoleScansFromTheStart) {
  const std::u16string pair = u"\U0001F600";
  EXPECT_EQ(SurrogateRole(pair, 0), 1);
  EXPECT_EQ(SurrogateRole(pair, 1), 2);
  EXPECT_EQ(SurrogateRole(pair, 2), -1);
  EXPECT_EQ(SurrogateRole(pair, -1), -1);
  // A lone high half, then a valid pair: the first high half is no pair.
  const std::u16string s = {0xD800, 0xD83D, 0xDE00, u'a'};
  EXPECT_EQ(SurrogateRole(s, 0), 0);
  EXPECT_EQ(SurrogateRole(s, 1), 1);
  EXPECT_EQ(SurrogateRole(s, 2), 2);
  EXPECT_EQ(SurrogateRole(s, 3), 0);
  const std::u16string lowAfterLone = {u'a', 0xDE00};
  EXPECT_EQ(SurrogateRole(lowAfterLone, 1), 0);
}

TEST(CaseMapping, KeepsLengthAndCoversOtherScripts) {
  struct Case {
    std::u16string in, upper, lower;
  } cases[] = {
      {u"abcXYZ1", u"ABCXYZ1", u"abcxyz1"},
      {u"ｊｗｗ", u"ＪＷＷ", u"ｊｗｗ"},        // full-width Latin
      {u"αβγ", u"ΑΒΓ", u"αβγ"},                // Greek
      {u"straße", u"STRAßE", u"straße"},       // no growth: ß stays
      {u"漢字かな", u"漢字かな", u"漢字かな"},
      {u"\U00010428", u"\U00010400", u"\U00010428"},  // Deseret, a surrogate pair
      {std::u16string{0xD800, u'a'}, std::u16string{0xD800, u'A'}, std::u16string{0xD800, u'a'}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrUpper(c.in), c.upper);
    EXPECT_EQ(StrLower(c.upper), c.lower);
    EXPECT_EQ(StrUpper(c.in).size(), c.in.size());
  }
}

TEST(CharacterClasses, HalfWidth) {
  EXPECT_TRUE(IsHalfWidth(u' '));
  EXPECT_TRUE(IsHalfWidth(u'~'));
  EXPECT_TRUE(IsHalfWidth(u'｡'));
  EXPECT_TRUE(IsHalfWidth(u'ﾟ'));
  EXPECT_FALSE(IsHalfWidth(u'\t'));
  EXPECT_FALSE(IsHalfWidth(0x7F));
  EXPECT_FALSE(IsHalfWidth(u'あ'));
  EXPECT_FALSE(IsHalfWidth(u'Ａ'));
}

TEST(Cleaning, BlanksLineMarksControls) {
  EXPECT_EQ(RemoveBlanks(u" a　b\tc"), u"abc");
  EXPECT_EQ(RemoveBlanks(u"  　 "), u"");
  EXPECT_EQ(RemoveBlanks(u"a\u00A0b"), u"a\u00A0b");  // other spaces stay

  struct Case {
    std::u16string in, out;
  } marks[] = {
      {u"", u""},
      {u"^m", u" "},
      {u"a^mb\\nc", u"abc"},
      {u"^^m", u"^"},
      {u"memo\r\nline", u"memoline"},
      {u"a^Mb\\Nc", u"a^Mb\\Nc"},  // marks are case-sensitive
      {u"\r\n", u" "},
      {u"a^", u"a^"},
  };
  for (const auto& c : marks) EXPECT_EQ(RemoveLineMarks(c.in), c.out) << c.out.size();

  EXPECT_EQ(RemoveControlChars(u" a\tb\r\nc "), u" abc ");
  std::u16string inPlace = u"\x1f a\tb\r\nc \x7f";
  RemoveControlCharsInPlace(inPlace);
  EXPECT_EQ(inPlace, u" abc \x7f");
}

}  // namespace
}  // namespace glyphgrab

#include "util/collation.h"

#include "util/case_map.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace glyphgrab {
namespace {

constexpr auto kTer = CollationStrength::Tertiary;
constexpr auto kSec = CollationStrength::Secondary;

// Signs of CompareCollated(a, b), on Linux (ICU) and on Windows (the system's collation,
// as Wine implements it when the tests run there).
TEST(Collation, OrdersAsTheJapaneseLocale) {
  struct Case {
    std::u16string a, b;
    CollationStrength strength;
    int linux, windows;
  } cases[] = {
      {u"a", u"B", kTer, -1, -1},    // letters before case
      {u"a", u"A", kTer, -1, -1},    // lower case first
      {u"a", u"A", kSec, 0, 0},
      {u"abc", u"ABD", kSec, -1, -1},
      {u"ａ", u"a", kSec, 0, 0},     // width is no secondary difference
      {u"あ", u"ア", kSec, 0, 0},    // nor is kana type
      {u"あ", u"い", kTer, -1, -1},
      {u"10", u"9", kTer, -1, -1},   // digits one by one, not as numbers
      {u"図面", u"図面", kTer, 0, 0},
      {u"a-b", u"ab", kTer, -1, -1},  // the hyphen is a symbol before letters, not ignored
      // Kana type and width at tertiary strength: ICU puts hiragana and full width
      // first, Wine's collation katakana and half width.
      {u"あ", u"ア", kTer, -1, 1},
      {u"ｱ", u"ア", kTer, 1, -1},
      {u"a", u"ａ", kTer, -1, -1},
      {u"_a", u"a", kTer, -1, -1},
      // ICU sorts the long-vowel mark before the kana, Wine's collation after them.
      {u"ー", u"あ", kTer, -1, 1},
  };
  for (const auto& c : cases) {
#ifdef _WIN32
    const int want = c.windows;
#else
    const int want = c.linux;
#endif
    const int got = CompareCollated(c.a, c.b, c.strength);
    EXPECT_EQ((got > 0) - (got < 0), want) << testing::PrintToString(c.a) << " vs "
                                          << testing::PrintToString(c.b);
  }
}

TEST(Collation, SortIsStableAtSecondaryAndBreaksTiesAtTertiary) {
  std::vector<std::u16string> sec = {u"b", u"A", u"a", u"B", u"c"};
  SortCollated(sec, kSec);
  EXPECT_EQ(sec, (std::vector<std::u16string>{u"A", u"a", u"b", u"B", u"c"}));
  std::vector<std::u16string> ter = {u"B", u"b", u"A", u"a"};
  SortCollated(ter, kTer);
  EXPECT_EQ(ter, (std::vector<std::u16string>{u"a", u"A", u"b", u"B"}));
  // The sort keys and the comparison agree.
  std::vector<std::u16string> mixed = {u"イ", u"あ", u"ア", u"ｱ", u"a", u"1"};
  SortCollated(mixed, kTer);
  for (std::size_t k = 1; k < mixed.size(); ++k) {
    EXPECT_LE(CompareCollated(mixed[k - 1], mixed[k], kTer), 0) << k;
  }
}

TEST(Collation, CaseFoldKeysMatchAcrossCase) {
  EXPECT_EQ(CaseFoldKey(u"AbC"), u"abc");
  EXPECT_EQ(CaseFoldKey(u"ＡＢ"), u"ａｂ");
  EXPECT_EQ(CaseFoldKey(u"ΣΑ"), CaseFoldKey(u"σα"));
  EXPECT_NE(CaseFoldKey(u"ａ"), CaseFoldKey(u"a"));
  EXPECT_TRUE(CaseFoldEqual(u"Jw_Win", u"JW_WIN"));
  EXPECT_EQ(CaseFoldHash(u"Ｍｅｍｏ"), CaseFoldHash(u"ＭＥＭＯ"));
  EXPECT_EQ(CaseFoldKey(u"記号ＡＢ・ﾊｯﾁ"), u"記号ａｂ・ﾊｯﾁ");
  // The keys skip the text service for CJK punctuation, kana and ideographs: the
  // service must leave every one of them as it is.
  std::u16string cjk;
  for (char16_t c = 0x3000; c < 0xA000; ++c) cjk.push_back(c);
  std::u16string folded = cjk;
  MapCaseInPlace(folded.data(), folded.size(), CaseMap::Fold);
  EXPECT_EQ(folded, cjk);
}

}  // namespace
}  // namespace glyphgrab

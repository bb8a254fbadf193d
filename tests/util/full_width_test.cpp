#include "util/full_width.h"

#include <gtest/gtest.h>

namespace glyphgrab {
namespace {

TEST(ToFullWidth, TablesAndPairs) {
  struct Case {
    std::u16string in, out;
  } cases[] = {
      {u"ｶﾞｷ", u"ガキ"},
      {u"ｱﾞｶ", u"ア゛カ"},  // a base without a voiced form: the mark goes alone
      {u"ﾊﾟ", u"パ"},
      {u"ｳﾞ", u"ヴ"},
      {u"ﾟ", u"°"},
      {u"ﾞ", u"゛"},
      {u"A b", u"Ａ　ｂ"},
      {u"\\", u"￥"},
      {u"\"'~!", u"”’～！"},
      {u"｡ｦｯｰﾝ", u"。ヲッーン"},
      {u"漢ひらがなＡ", u"漢ひらがなＡ"},
      {u"ｶ", u"カ"},  // a base at the very end
  };
  for (const auto& c : cases) EXPECT_EQ(ToFullWidth(c.in), c.out);
}

TEST(NormalizeForMatch, FoldsCaseWidthBlanksAndLookAlikes) {
  struct Case {
    std::u16string in, out;
  } cases[] = {
      {u"x 1", u"\uFF38\uFF11"},
      {u"ｰ", u"－"},
      {u"ー", u"－"},
      {u"×", u"Ｘ"},
      {u"ｘ", u"Ｘ"},
      {u"'`´‘′", u"’’’’’"},
      {u"\"“″゛", u"””””"},
      {u"ﾞ", u"”"},
      {u"ｶ ﾞ", u"ガ"},  // the removed blank joins base and mark
      {u"ａｂｃ　ＤＥＦ", u"ＡＢＣＤＥＦ"},
      {u"\U0001F600x", u"\U0001F600Ｘ"},
      // Control characters go like blanks: a tab inside a drawing's text still matches.
      {u"a\tb", u"ＡＢ"},
      {u"a\r\nb\x01", u"ＡＢ"},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeForMatch(c.in), c.out);
}

TEST(NormalizeForMatch, IntoReusesTheBuffer) {
  std::u16string out = u"stale";
  NormalizeForMatchInto(u"abc", out);
  EXPECT_EQ(out, u"ＡＢＣ");
  NormalizeForMatchInto(u"", out);
  EXPECT_EQ(out, u"");
}

}  // namespace
}  // namespace glyphgrab

namespace glyphgrab {
namespace {

// The quick test may let through a text that does not match, but never holds back one
// that does: texts drawn from units whose normalised forms differ from themselves,
// blanks that join voiced pairs, and surrogates.
TEST(MatchPrefilter, NeverRulesOutAMatch) {
  const std::u16string alphabet =
      u"aAａＡsSſzｶｷﾊﾞﾟ゛°ーｰ－×xXｘ'’\"”´｀ 　\tKkK\U0001D400\U00010428\xD801";
  const std::u16string keywords[] = {u"ガ", u"パ", u"Ａ", u"ＳＡ", u"”", u"’", u"－", u"Ｘ", u"Ｋ",
                                     u"ｷ", u"\U00010400", u"°"};
  std::uint32_t seed = 12345;  // fixed, so a failure repeats
  const auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (const std::u16string& raw : keywords) {
    const std::u16string keyword = NormalizeForMatch(raw);
    const MatchPrefilter quick(keyword);
    int matches = 0;
    for (int k = 0; k < 20000; ++k) {
      std::u16string text;
      const std::size_t n = 1 + (next() >> 16) % 6;
      for (std::size_t i = 0; i < n; ++i) text.push_back(alphabet[(next() >> 16) % alphabet.size()]);
      if (NormalizeForMatch(text).find(keyword) == std::u16string::npos) continue;
      ++matches;
      ASSERT_TRUE(quick.MayMatch(text)) << "keyword " << k << " text of " << text.size() << " units";
    }
    EXPECT_GT(matches, 0) << raw.size();
  }
  EXPECT_FALSE(MatchPrefilter(NormalizeForMatch(u"ｶﾞ")).MayMatch(u"abc カ 1800"));
  EXPECT_TRUE(MatchPrefilter(NormalizeForMatch(u"ｶﾞ")).MayMatch(u"ｶ ﾞ"));
}

}  // namespace
}  // namespace glyphgrab

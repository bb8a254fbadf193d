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

#include "extract/extraction_list.h"

#include <gtest/gtest.h>

#include "util/collation.h"

namespace glyphgrab {
namespace {

using Lines = std::vector<std::u16string>;

TEST(ExtractAdd, CleaningAndDuplicates) {
  ExtractionList keep(false);
  for (auto s : {u" \t　 ", u"", u" a b ", u"ABC", u"abc", u"ａｂｃ", u"ＡＢＣ", u"記号・ハッチ",
                 u"記号・ﾊｯﾁ", u"x\ty\r\n", u"XY", u"\tX\tY", u"RED", u"red", u"TNSN3   "})
    keep.ExtractAdd(s);
  // Letter case only: full- and half-width forms stay distinct lines.
  EXPECT_EQ(keep.lines(), (Lines{u" a b ", u"ABC", u"ａｂｃ", u"記号・ハッチ", u"記号・ﾊｯﾁ", u"xy",
                                 u"RED", u"TNSN3   "}));

  ExtractionList strip(true);
  for (auto s : {u" a b ", u"ab", u"【my file.jww】", u"　x　"}) strip.ExtractAdd(s);
  EXPECT_EQ(strip.lines(), (Lines{u"ab", u"【myfile.jww】", u"x"}));

  strip.Clear();
  EXPECT_TRUE(strip.ExtractAdd(u"ab"));  // cleared keys too
}

TEST(ExtractionList, SortIsCollatedCaseInsensitiveAndStable) {
  ExtractionList list;
  for (auto s : {u"b", u"B2", u"あ", u"a", u"ア", u"10", u"2", u"Ａ1"}) list.ExtractAdd(s);
  list.Sort();
  const Lines& l = list.lines();
  ASSERT_EQ(l.size(), 8u);
  // Digits before Latin before kana; upper and lower case interleave.
  EXPECT_EQ(l[0], u"10");
  EXPECT_EQ(l[1], u"2");
  EXPECT_EQ(l[2], u"a");
  EXPECT_EQ(l[3], u"Ａ1");
  EXPECT_EQ(l[4], u"b");
  EXPECT_EQ(l[5], u"B2");
  // ア and あ differ only beyond secondary strength: they keep their order.
  EXPECT_EQ(l[6], u"あ");
  EXPECT_EQ(l[7], u"ア");
}

TEST(ExtractionList, HeadersAndFolding) {
  EXPECT_EQ(FileHeaderLine(u"a.jww"), u"【a.jww】");
  EXPECT_TRUE(IsSectionHeader(section::kTexts));
  EXPECT_TRUE(IsSectionHeader(u"x-----【y】-----z"));
  EXPECT_FALSE(IsSectionHeader(u"【a.jww】"));
  EXPECT_EQ(CaseFoldKey(u"ABCＡΣ"), CaseFoldKey(u"abcａσ"));
  EXPECT_NE(CaseFoldKey(u"ｱ"), CaseFoldKey(u"ア"));
}

}  // namespace
}  // namespace glyphgrab

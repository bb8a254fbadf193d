#include "documents/dos_header.h"
#include "documents/identification.h"

#include <gtest/gtest.h>

#include "fixtures/dos_builder.h"
#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

TDosBlock BlockOf(const std::string& text) {
  const auto bytes = testing::DosValueBlock(text);
  TDosBlock b{};
  std::copy(bytes.begin(), bytes.end(), b.begin());
  return b;
}

TEST(DosHeader, SplitParamsFillsFieldsAsTheTextReachesThem) {
  struct Case {
    std::u16string text;
    int n;
    std::vector<std::u16string> fields;
    int rest;
  } cases[] = {
      {u"3,0,0,0,0", 7, {u"3", u"0", u"0", u"0", u"0", u"0", u"0"}, 4},
      {u"1,,2", 3, {u"1", u"", u"2"}, 2},           // adjacent commas: an empty field
      {u"1,2,3,4", 2, {u"1", u"2"}, -1},            // values past the n-th are ignored
      {u"1,", 3, {u"1", u"0", u"0"}, -1},           // nothing after the comma
      {u"", 2, {u"", u"0"}, 0},
      {u"7,8  \n", 2, {u"7", u"8  \n"}, 1},
  };
  for (const auto& c : cases) {
    int rest = -2;
    EXPECT_EQ(SplitParams(c.text, c.n, &rest), c.fields) << StrToUtf8(c.text);
    EXPECT_EQ(rest, c.rest) << StrToUtf8(c.text);
  }
}

TEST(DosHeader, ValuesConvertByFieldType) {
  const TDosValues v(BlockOf("12, 34,-5,abc,1.5,,6000:0000,6002-0009,60,1e999,0.5"), 12);
  EXPECT_EQ(v.Int(0), 12);
  EXPECT_EQ(v.Int(1), 34);  // leading blanks are allowed
  EXPECT_EQ(v.Int(2), -5);
  EXPECT_EQ(v.Int(3), 0);   // not a number
  EXPECT_EQ(v.Single(4), 1.5f);
  EXPECT_EQ(v.Int(5), 0);   // empty field
  EXPECT_EQ(v.Address(6), 393216);
  EXPECT_EQ(v.Address(7), 0x6002 * 16 + 9);  // the separator is not looked at
  EXPECT_EQ(v.Address(8), 0x60 * 16);        // a short field takes what it has
  EXPECT_EQ(v.Single(9), 0.0f);              // out of range for a 32-bit float
  // The last value carries the blank filling and the line feed, which are trimmed.
  EXPECT_EQ(v.Single(10), 0.5f);
  EXPECT_EQ(v.Int(11), 0);  // not reached
}

TEST(DosHeader, ValuesStopAtTheZeroByteRealFilesPutAfterTheLastValue) {
  std::string text = "0,0,0,5,4.0,4.0,0.05,41,100";
  text += '\0';
  const TDosValues v(BlockOf(text), 9);
  EXPECT_EQ(v.Int(3), 5);
  EXPECT_EQ(v.Int(7), 41);
  EXPECT_EQ(v.Single(8), 100.0f);
}

TEST(DosHeader, IdentificationIsComparedOnTwentyBytesExactly) {
  struct Case {
    std::string head;
    bool matches;
  } cases[] = {
      {"jw_cad(c)data.......", true},
      {"jw_cad(c)data.........f and more", true},
      {"jw_cad(c)data......", false},  // 19 bytes
      {"JW_CAD(c)data.......", false},
      {"jw_cad(c)sym........", false},
      {"", false},
  };
  for (const auto& c : cases) {
    const ByteSpan head(reinterpret_cast<const std::uint8_t*>(c.head.data()), c.head.size());
    EXPECT_EQ(IdentMatches(head, "jw_cad(c)data......."), c.matches) << c.head;
  }
}

TEST(DosHeader, IdentBlockKeepsBlanksAndCutsAtZero) {
  const auto bytes = testing::DosIdentBlock("jw_cad(c)data.......", "ABC   ", "\x82\xa0\t");
  TDosBlock b{};
  std::copy(bytes.begin(), bytes.end(), b.begin());
  const TDosIdent id = DosIdentOf(b);
  EXPECT_EQ(id.jwID, u"jw_cad(c)data.......");
  EXPECT_EQ(id.comment1, u"ABC   ");
  EXPECT_EQ(id.comment2, u"あ\t");  // control characters stay in the comments
}

}  // namespace
}  // namespace glyphgrab

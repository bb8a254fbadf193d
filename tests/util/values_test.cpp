#include "util/values.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace glyphgrab {
namespace {

TEST(TextToBool, WordList) {
  for (auto t : {u"T", u"tr", u"tRu", u"TRUE", u"true", u"1", u"１", u"○", u"ON", u"on", u"真", u"正"})
    EXPECT_TRUE(TextToBool(t)) << std::u16string(t).size();
  for (auto f : {u"", u"0", u"F", u"false", u" TRUE", u"TRUE ", u"YES", u"11", u"偽"})
    EXPECT_FALSE(TextToBool(f));
  EXPECT_EQ(BoolToText(true), u"1");
  EXPECT_EQ(BoolToText(false), u"0");
}

TEST(TextToInt, DecimalHexAndRejects) {
  struct Case {
    std::u16string in;
    int out;
  } cases[] = {
      {u"42", 42},
      {u"  42", 42},
      {u"+7", 7},
      {u"-15", -15},
      {u"007", 7},
      {u"$1f", 31},
      {u"x1F", 31},
      {u"X10", 16},
      {u"0x10", 16},
      {u"0XfF", 255},
      {u"$FFFFFFFF", -1},
      {u"$80000000", -2147483647 - 1},
      {u"-$10", -16},
      {u"2147483647", 2147483647},
      {u"-2147483648", -2147483647 - 1},
      {std::u16string(u"12\0\0", 4), 12},
      {std::u16string(u"12\0zz", 5), 12},
      // invalid: 0
      {u"", 0},
      {u"42 ", 0},
      {u"4.2", 0},
      {u"2147483648", 0},
      {u"-2147483649", 0},
      {u"$123456789", 0},
      {u"$", 0},
      {u"0x", 0},
      {u"-", 0},
      {u"1e3", 0},
      {u"１２", 0},
      {u"\t5", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToInt(c.in), c.out) << c.in.size();
  EXPECT_EQ(IntToText(-12), u"-12");
  EXPECT_EQ(IntToText(1234567), u"1234567");
}

TEST(TextToFloat, GrammarAndDecimalPoint) {
  struct Case {
    std::u16string in;
    double out;
  } cases[] = {
      {u"1.5e3", 1500},
      {u"  -2.25", -2.25},
      {u"+.5", 0.5},
      {u"5.", 5},
      {u"1E-2", 0.01},
      {u"7e+2", 700},
      {std::u16string(u"3.5\0x", 5), 3.5},
      {u"1,5", 0},
      {u"", 0},
      {u".", 0},
      {u"1e", 0},
      {u"1.5 ", 0},
      {u"inf", 0},
      {u"nan", 0},
      {u"0x10", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(TextToFloat(c.in), c.out) << c.in.size();
}

TEST(FloatToText, ShortestFormReadsBack) {
  struct Case {
    double in;
    std::u16string out;
  } cases[] = {
      {0, u"0"},      {1.5, u"1.5"},       {-2, u"-2"},        {1500, u"1500"},
      {0.1, u"0.1"},  {1e20, u"1E20"},     {1e-5, u"1E-5"},    {0.0001, u"0.0001"},
      {123456789012345, u"123456789012345"}, {1e15, u"1E15"}, {-0.0, u"0"},
      {1.0 / 3.0, u"0.333333333333333"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToText(c.in), c.out) << c.in;
  for (double v : {1.5, -2.75, 1e20, 1e-5, 420.0, 0.3, 2.5e-300}) {
    EXPECT_DOUBLE_EQ(TextToFloat(FloatToText(v)), v);
  }
  EXPECT_TRUE(IsFiniteValue(1.0));
  EXPECT_FALSE(IsFiniteValue(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(IsFiniteValue(std::nan("")));
}

}  // namespace
}  // namespace glyphgrab

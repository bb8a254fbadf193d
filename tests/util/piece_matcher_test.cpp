#include "util/piece_matcher.h"

#include <gtest/gtest.h>

#include "util/codepage.h"
#include "util/full_width.h"

namespace glyphgrab {
namespace {

bool WholeLineMatches(std::u16string_view line, std::u16string_view keyword) {
  const std::u16string k = NormalizeForMatch(keyword);
  return !k.empty() && NormalizeForMatch(line).find(k) != std::u16string::npos;
}

// A line in pieces answers as the whole line: cut anywhere into two pieces, or into
// pieces of one unit each.
TEST(PieceMatcher, PiecesMatchAsTheWholeLine) {
  const struct {
    std::u16string line, keyword;
  } cases[] = {
      {u"abc needle def", u"NEEDLE"},
      {u"nee   dle", u"needle"},               // blanks vanish, also across a cut
      {u"ｶ  ﾞｷ", u"ガキ"},                      // a voiced mark joins its base across blanks
      {u"ｶﾞｷ", u"カ"},                          // and then the base alone is no match
      {u"x\U0001F600y", u"\U0001F600"},         // a surrogate pair split by a cut
      {u"\xD83D  \xDE00", u"\U0001F600"},       // a pair joined by removing blanks
      {u"ﾊﾟﾊﾟﾊﾟ", u"パパ"},
      {u"ab", u"abc"},
      {u"ー－", u"－－"},
      {u"", u"x"},
  };
  for (const auto& c : cases) {
    const std::string what = StrToUtf8(c.line) + " / " + StrToUtf8(c.keyword);
    const bool expected = WholeLineMatches(c.line, c.keyword);
    const std::u16string keyword = NormalizeForMatch(c.keyword);
    const std::u16string_view line = c.line;
    for (std::size_t cut = 0; cut <= line.size(); ++cut) {
      PieceMatcher m(keyword);
      const bool found = m.Feed(line.substr(0, cut), false) || m.Feed(line.substr(cut), true);
      EXPECT_EQ(found, expected) << what << " cut at " << cut;
    }
    PieceMatcher m(keyword);
    bool found = false;
    for (std::size_t k = 0; k < line.size(); ++k) found = m.Feed(line.substr(k, 1), k + 1 == line.size()) || found;
    if (line.empty()) found = m.Feed(u"", true);
    EXPECT_EQ(found, expected) << what << " in units";
  }
}

TEST(PieceMatcher, EachLineStartsAfresh) {
  PieceMatcher m(NormalizeForMatch(u"ab"));
  EXPECT_FALSE(m.Feed(u"a", true));
  EXPECT_FALSE(m.Feed(u"b", true));  // a line break is no join
  EXPECT_TRUE(m.Feed(u"xab", true));
}

}  // namespace
}  // namespace glyphgrab

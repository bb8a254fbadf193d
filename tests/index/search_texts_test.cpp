// The scan of stored texts: a keyword counts only where one of the texts' units begins,
// wherever SQLite left the bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "index/search_texts.h"

namespace glyphgrab {
namespace {

TEST(SearchTexts, AKeywordMatchesOnlyWhereAUnitBegins) {
  struct Case {
    std::u16string texts;
    std::u16string keyword;
    bool holds;
  };
  const Case cases[] = {
      // U+4142 U+6500 is 42 41 00 65: "A" (41 00) lies across the two units.
      {u"\u4142\u6500", u"A", false},
      {u"\u4142\u6500A", u"A", true},
      {u"洋室\n階段", u"洋", true},
      {u"洋室\n階段", u"階段", true},
      {u"洋室\n階段", u"室階", false},
      {u"洋室\n階段", u"洋室\n階段x", false},  // longer than the texts
      {u"", u"A", false},
      {u"A", u"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SearchTextsHold(c.texts, c.keyword), c.holds) << testing::PrintToString(c.keyword);
    // The same bytes at an odd address, as a blob may lie.
    std::vector<char> bytes(c.texts.size() * 2 + 1);
    if (!c.texts.empty()) std::memcpy(bytes.data() + 1, c.texts.data(), c.texts.size() * 2);
    EXPECT_EQ(SearchTextsHold(std::string_view(bytes.data() + 1, c.texts.size() * 2), c.keyword), c.holds);
  }
}

}  // namespace
}  // namespace glyphgrab

#include "browse/file_list.h"

#include <gtest/gtest.h>

namespace glyphgrab {
namespace {

FileListRow Row(std::u16string name, std::u16string size, std::u16string modified = u"",
                std::u16string version = u"") {
  FileListRow r;
  r.name = std::move(name);
  r.size = std::move(size);
  r.modified = std::move(modified);
  r.version = std::move(version);
  return r;
}

std::vector<std::u16string> Names(const std::vector<FileListRow>& rows) {
  std::vector<std::u16string> names;
  for (const auto& r : rows) names.push_back(r.name);
  return names;
}

TEST(FileFilters, MasksByEntry) {
  EXPECT_EQ(FilterMask(1), u"*.jw?");
  EXPECT_EQ(FilterMask(3), u"*.jws");
  EXPECT_EQ(FilterMask(8), u"*.htm*");
  EXPECT_EQ(FilterMask(-1), u"*");
  EXPECT_EQ(FilterMask(9), u"*");
  // Japanese labels, one spelling of the program's name.
  EXPECT_EQ(kFileFilters[0].text, u"すべてのファイル (*.*)");
  for (const FileFilterEntry& e : kFileFilters) {
    const std::u16string_view t = e.text;
    EXPECT_EQ(t.find(u"JW_CAD"), std::u16string_view::npos);
    EXPECT_EQ(t.find(u"Files"), std::u16string_view::npos);
  }
}

TEST(FileFilters, EntryForAFileOfItsTypeAlone) {
  const std::pair<std::u16string_view, int> cases[] = {
      {u"/d/plan.JWW", 2}, {u"a.jws", 3}, {u"a.jwc", 4}, {u"a.Jwk", 5}, {u"a.txt", 6},
      {u"a.csv", 7},       {u"a.htm", 8}, {u"a.HTML", 8}, {u"a.pdf", 0}, {u"noext", 0},
      {u"a.jww.bak", 0},
  };
  for (const auto& [name, entry] : cases) EXPECT_EQ(FilterEntryFor(name), entry) << std::string(name.begin(), name.end());
}

TEST(FileListSort, FirstClickDescendsEveryClickReverses) {
  std::vector<FileListRow> rows = {Row(u"b.jww", u"1000", u"2024/03/07 09:05:03", u"700"),
                                   Row(u"A.jww", u"999", u"2023/12/31 23:59:59", u"DOS"),
                                   Row(u"c.jww", u"50", u"2024/03/07 09:05:04", u"600")};
  FileListSort sort;
  EXPECT_EQ(sort.Compare(rows[0], rows[1]), 0);  // no column clicked yet

  sort.ColumnClick(kSizeColumn, rows);  // descending, by value
  EXPECT_EQ(Names(rows), (std::vector<std::u16string>{u"b.jww", u"A.jww", u"c.jww"}));
  sort.ColumnClick(kSizeColumn, rows);  // ascending
  EXPECT_EQ(Names(rows), (std::vector<std::u16string>{u"c.jww", u"A.jww", u"b.jww"}));
  sort.ColumnClick(0, rows);  // another column: descending again, case folded
  EXPECT_EQ(Names(rows), (std::vector<std::u16string>{u"c.jww", u"b.jww", u"A.jww"}));
  sort.ColumnClick(3, rows);  // dates ascending, chronologically
  EXPECT_EQ(Names(rows), (std::vector<std::u16string>{u"A.jww", u"b.jww", u"c.jww"}));
  sort.ColumnClick(5, rows);  // versions as text: "DOS" after the digits
  EXPECT_EQ(Names(rows), (std::vector<std::u16string>{u"A.jww", u"b.jww", u"c.jww"}));
  EXPECT_EQ(sort.sortColumn(), 5);
  EXPECT_EQ(sort.direction(), 1);
}

TEST(FileListSort, AsciiOnlyCaseFolding) {
  EXPECT_EQ(CompareAsciiCaseInsensitive(u"abc", u"ABC"), 0);
  EXPECT_LT(CompareAsciiCaseInsensitive(u"ab", u"abc"), 0);
  EXPECT_NE(CompareAsciiCaseInsensitive(u"ａ", u"Ａ"), 0);  // full-width letters are not folded
  EXPECT_LT(CompareAsciiCaseInsensitive(u"Z", u"_"), 0);     // 'Z' (5A) before '_' (5F)
  EXPECT_LT(CompareAsciiCaseInsensitive(u"z", u"_"), 0);     // folded to Z first
  EXPECT_EQ(FileListDoneText(0), u"ファイル検索しました（ファイル数：0）");
}

}  // namespace
}  // namespace glyphgrab

// Text, CSV and HTML files as the three readers take them: the file list's memo column
// (`info`), the extraction list (`extract`) and the search (`search`). They load and
// decode a file alike and differ only by rule: the memo column wants "<TITLE>" in upper
// case and keeps to one line, extraction finds the tag in any case and joins a split
// title, and the search tests every stored line, markup included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browse/file_list_info.h"
#include "documents/document_set.h"
#include "extract/extract_driver.h"
#include "extract/extraction_list.h"
#include "fixtures/temp_dir.h"
#include "search/file_find.h"
#include "util/codepage.h"
#include "util/full_width.h"

namespace glyphgrab {
namespace {

using Lines = std::vector<std::u16string>;

struct Case {
  const char* name;  // the file's name: its extension chooses the kind
  std::string bytes;
  std::u16string memo;  // info's "図面メモ"
  Lines extracted;      // extract, without the file header line
  Lines found;          // keywords the search finds
  Lines notFound;       // and those it does not
};

const Case kCases[] = {
    {"lower_title.html",
     "<html><head><title>Plan A</title></head>\n<body>\n<p>Hello <b>World</b></p>\n</body></html>\n",
     u"",
     {u"Plan A", u"Hello ", u"World"},
     {u"plan a", u"<b>", u"body"},
     {u"HelloWorldx"}},
    {"upper_title.htm",
     "<HTML><HEAD><TITLE>Upper</TITLE></HEAD>\n<BODY><P>lost</P>\n<P>kept</P>\n",
     u"Upper",
     {u"Upper", u"kept"},  // the rest of the body tag's line is not taken
     {u"upper", u"lost", u"kept"},
     {}},
    {"split_title.html",
     "<TITLE>split\nacross</TITLE>\n<BODY>\nx<br>y\n",
     u"split",
     {u"splitacross", u"x"},  // text after the last tag is not taken
     {u"split", u"across", u"y"},
     {u"splitacross"}},  // lines are searched one by one
    {"one_line.html",
     "<TITLE>T</TITLE><BODY><P>a</P>\n<P>b</P>\n",
     u"T",
     {u"T", u"b"},
     {u"<p>a"},
     {}},
    {"comment.html",
     "<TITLE>C</TITLE>\n<BODY>\n<!-- note -->\n<P>text</P>\n",
     u"C",
     {u"C", u"text"},
     {u"note"},
     {}},
    {"entities.html",
     "<TITLE>A &amp; B</TITLE>\n<BODY>\n<P>&lt;x&gt;</P>\n",
     u"A &amp; B",
     {u"A &amp; B", u"&lt;x&gt;"},
     {u"&amp;", u"&lt;x"},
     {u"A & B"}},
    {"no_title.html", "<BODY>\n<P>only</P>\n", u"", {u"only"}, {u"only"}, {}},
    {"control_in_tag.html",
     "<TI\tTLE>Tab</TITLE>\n<BODY>\n<P>t</P>\n",
     u"Tab",  // control characters go before the memo column looks for the tag
     {u"t"},
     {u"<title>tab"},
     {}},
    {"utf8.html",
     "\xEF\xBB\xBF<TITLE>\xE5\x9B\xB3\xE9\x9D\xA2</TITLE>\n<BODY>\n<P>\xE6\x96\x87\xE5\xAD\x97</P>\n",
     u"図面",
     {u"図面", u"文字"},
     {u"文字", u"図面"},
     {}},
    {"cp932.htm",
     "<TITLE>\x90\x7D\x96\xCA</TITLE>\r\n<BODY>\r\n<P>\x95\xB6\x8E\x9A</P>\r\n",
     u"図面",
     {u"図面", u"文字"},
     {u"文字", u"図面"},
     {}},
    {"lines.txt",
     "\tfirst\tline\r\nsecond  line\r\n\r\n\x95\xB6\x8E\x9A",
     u"firstline",
     {u"firstline", u"second  line", u"文字"},
     {u"first line", u"second line", u"文字"},
     {u"third"}},
    {"empty_first.txt", "\nsecond\n", u"", {u"second"}, {u"second"}, {}},
    {"fields.csv",
     "x, y,,\"quoted, text\"\na b\n",
     u"x, y,,\"quoted, text\"",
     {u"x", u"y", u"quoted, text", u"a", u"b"},
     {u"\"quoted", u"a b"},
     {u"x,y,,q"}},
};

TEST(TextKinds, InfoExtractAndSearchEachTakeTheirRule) {
  testing::TempDir dir;
  TDocumentSet docs;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::u16string path = Utf8ToStr(dir.Write(c.name, c.bytes).string());

    std::u16string ver, memo;
    EXPECT_EQ(FileListInfo(path, docs, ver, memo).read, FileInfoRead::kOk);
    EXPECT_EQ(memo, c.memo) << "info: " << StrToUtf8(memo);
    EXPECT_EQ(ver, u"");

    ExtractionList list;
    ExtractFiles({path}, OptFlags{}, docs, list, {});
    const Lines& lines = list.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), c.extracted) << "extract";

    for (const std::u16string& k : c.found)
      EXPECT_TRUE(FileContentsMatch(path, NormalizeForMatch(k))) << "search: " << StrToUtf8(k);
    for (const std::u16string& k : c.notFound)
      EXPECT_FALSE(FileContentsMatch(path, NormalizeForMatch(k))) << "search: " << StrToUtf8(k);
  }
}

}  // namespace
}  // namespace glyphgrab

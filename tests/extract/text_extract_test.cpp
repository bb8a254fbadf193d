#include "extract/text_extract.h"

#include "extract/html_text.h"

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

using Lines = std::vector<std::u16string>;

TEST(Csv, LenientFieldRule) {
  struct Case {
    std::u16string line;
    Lines fields;
  } cases[] = {
      {u"a, b", {u"a", u"b"}},
      {u"a b", {u"a", u"b"}},
      {u"a b c", {u"a", u"b", u"c"}},
      {u"a,,b", {u"a", u"", u"b"}},
      {u"a,", {u"a", u""}},
      {u",a", {u"", u"a"}},
      {u"x, y,,\"quoted, text\"", {u"x", u"y", u"", u"quoted, text"}},
      {u"\"say \"\"hi\"\"\",z", {u"say \"hi\"", u"z"}},
      {u"\"never closed, at all", {u"never closed, at all"}},
      {u"  \tlead", {u"lead"}},
      {u"全角　空白,x", {u"全角　空白", u"x"}},
      {u"", {}},
      {u"   ", {}},
      {std::u16string(u"a\0b", 3), {u"a", u"b"}},  // NUL separates and never stalls
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitCsvFields(c.line), c.fields) << c.line.size();
    // A line given in two pieces splits as the whole line does.
    for (std::size_t cut = 0; cut <= c.line.size(); ++cut) {
      Lines fields;
      CsvFieldSplitter splitter;
      const auto add = [&](std::u16string_view f) { fields.emplace_back(f); };
      splitter.Feed(std::u16string_view(c.line).substr(0, cut), false, add);
      splitter.Feed(std::u16string_view(c.line).substr(cut), true, add);
      EXPECT_EQ(fields, c.fields) << c.line.size() << " cut at " << cut;
    }
  }
}

Lines Html(const Lines& file) {
  ExtractionList list;
  ExtractHtmlLines(file, list, nullptr);
  return list.lines();
}

TEST(Html, TitleAndBody) {
  struct Case {
    const char* what;
    Lines file, out;
  } cases[] = {
      {"lower-case title", {u"<html><head><title>Plan A</title></head>"}, {u"Plan A"}},
      {"split title", {u"<TITLE>Plan", u"B</TITLE>"}, {u"PlanB"}},
      {"unclosed title", {u"<title>Never"}, {}},
      {"body text between tags",
       {u"<title>T</title>", u"<body>", u"<p>Hello <b>World</b></p>"},
       {u"T", u"Hello ", u"World"}},
      {"paragraph on the body line is lost", {u"<body><p>Lost</p>", u"<p>Kept</p>"}, {u"Kept"}},
      {"text after the last tag is dropped", {u"<body>", u"<p>a</p>tail"}, {u"a"}},
      {"text across lines joins", {u"<BODY>", u"<p>one", u"two</p>"}, {u"onetwo"}},
      {"no body", {u"<title>Only</title>", u"<p>x</p>"}, {u"Only"}},
      {"no entity decoding", {u"<body>", u"<p>a &amp; b</p>"}, {u"a &amp; b"}},
      {"a > before the next < stays text", {u"<body>", u"a > b <i>"}, {u"a > b "}},
      {"a lone > is consumed", {u"<body>", u"x>y<i>"}, {u"x>y"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Html(c.file), c.out) << c.what;
    // Any one line given in two pieces reads as the whole line.
    for (std::size_t k = 0; k < c.file.size(); ++k) {
      for (std::size_t cut = 0; cut <= c.file[k].size(); ++cut) {
        ExtractionList list;
        HtmlTitleStep title;
        HtmlBodyStep body;
        for (int pass = 0; pass < 2; ++pass) {
          for (std::size_t i = 0; i < c.file.size(); ++i) {
            const std::u16string_view line = c.file[i];
            std::vector<TextPiece> pieces = {{line, true}};
            if (i == k) pieces = {{line.substr(0, cut), false}, {line.substr(cut), true}};
            for (const TextPiece& p : pieces) {
              if (pass == 0) title.Feed(p.text, p.lineEnds, list);
              else body.Feed(p.text, p.lineEnds, list, nullptr);
            }
          }
        }
        EXPECT_EQ(list.lines(), c.out) << c.what << ": line " << k << " cut at " << cut;
      }
    }
  }
}

TEST(Html, ManyTagsOnOneLineStopWithinTheLine) {
  std::u16string line = u"x";
  for (int k = 0; k < 100000; ++k) line += u"<b>t";
  int asked = 0;
  ExtractionList list;
  ExtractHtmlLines({u"<body>", line}, list, [&] { return ++asked > 4; });
  EXPECT_EQ(list.lines(), (Lines{u"x", u"t"}));  // the first run and the duplicate-free rest
  EXPECT_GT(asked, 4);
}

TEST(TextFiles, SameLinesFromUtf8AndCodePage932) {
  testing::TempDir dir;
  const std::u16string base = NativeToPath(dir.folder());
  dir.Write("u.txt", "\xEF\xBB\xBF\xE5\x9B\xB3\xE9\x9D\xA2\r\n\tA  B\r\n");
  dir.Write("s.txt", "\x90\x7D\x96\xCA\r\n\tA  B\r\n");
  ExtractionList u, s;
  EXPECT_TRUE(ExtractTxt(base + u"u.txt", u, nullptr));
  EXPECT_TRUE(ExtractTxt(base + u"s.txt", s, nullptr));
  EXPECT_EQ(u.lines(), (Lines{u"図面", u"A  B"}));
  EXPECT_EQ(s.lines(), u.lines());

  ExtractionList none;
  EXPECT_FALSE(ExtractCsv(base + u"missing.csv", none, nullptr));
  EXPECT_TRUE(none.lines().empty());
}

TEST(TextFiles, StopRequestEndsTheFilePartWay) {
  const Lines file = {u"one", u"two", u"three"};
  int asked = 0;
  ExtractionList list;
  ExtractTxtLines(file, list, [&] { return ++asked > 2; });
  EXPECT_EQ(list.lines(), (Lines{u"one", u"two"}));

  ExtractionList csv;
  ExtractCsvLines({u"a,b", u"c"}, csv, [] { return true; });
  EXPECT_TRUE(csv.lines().empty());
}

}  // namespace
}  // namespace glyphgrab

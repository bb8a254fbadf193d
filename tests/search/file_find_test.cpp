#include "search/file_find.h"

#include <gtest/gtest.h>

#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "util/full_width.h"
#include "util/paths.h"
#include "util/text_stream.h"

namespace glyphgrab {
namespace {

using Names = std::vector<std::u16string>;

class FileFindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("plan.jww", testing::DrawingWithLayerAndTexts("LAYER", {"AB"}, "ABC@@SFIGORGFLAG@@123"));
    dir_.Write("sym.jws", testing::SymbolWithTexts({"symbol text"}));
    testing::JwcFixture jwc;
    jwc.comment1 = "old memo";
    jwc.layerNames[7] = "DOSLAYER";
    dir_.Write("sub/old.jwc", jwc.Build());
    testing::JwkFixture jwk;
    jwk.texts = {{"kigou"}};
    dir_.Write("sub/k.jwk", jwk.Build());
    dir_.Write("sub/notes.txt", "\xEF\xBB\xBF" "first\r\nｗｏｒｌｄ　peace\r\n");
    dir_.Write("sub/page.html", "<html><body><p class=\"LAYER\">x</p></body></html>\n");
    dir_.Write("sub/data.csv", "a,b\n");
    dir_.Write("sub/other.dat", "LAYER AB");
    ASSERT_EQ(FolderTreeMake(NativeToPath(dir_.folder()), tree_, nullptr), FolderTreeResult::Done);
  }

  Names Find(std::u16string_view keyword, SearchOptions options = {}) {
    Names names;
    SearchCallbacks cb;
    cb.found = [&](const SearchResult& r) { names.push_back(r.name); };
    summary_ = FileFind(tree_, NormalizeForMatch(keyword), options, cb);
    return names;
  }

  testing::TempDir dir_;
  FolderTree tree_;
  SearchSummary summary_;
};

TEST_F(FileFindTest, FieldsOfEachFormat) {
  struct Case {
    std::u16string keyword;
    Names found;
  } cases[] = {
      {u"ａ b", {u"plan.jww"}},           // full width, blank, case: finds "AB"
      {u"abc", {u"plan.jww"}},            // the block name before its marker
      {u"123", {}},                       // the marker and what follows are no text
      {u"layer", {u"plan.jww", u"old.jwc", u"page.html"}},  // layer names; HTML markup as stored
      {u"symbol", {u"sym.jws"}},
      {u"doslayer", {u"old.jwc"}},
      {u"OLD MEMO", {u"old.jwc"}},
      {u"KIGOU", {u"k.jwk"}},
      {u"world peace", {u"notes.txt"}},
      {u"jww", {u"plan.jww"}},            // the name, extension included
      {u"zzz", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Find(c.keyword), c.found) << c.keyword.size();
  // .dat is no searched type; everything else is examined.
  EXPECT_EQ(summary_.examined, 7);
  EXPECT_EQ(summary_.StatusText(), u"検索終了：対象7ファイル中、0ファイル");
}

TEST_F(FileFindTest, TypesAndModes) {
  SearchOptions names;
  names.contents = false;
  EXPECT_EQ(Find(u"jw", names), (Names{u"plan.jww", u"sym.jws", u"k.jwk", u"old.jwc"}));
  EXPECT_EQ(Find(u"AB", names), Names{});

  SearchOptions contents;
  contents.names = false;
  EXPECT_EQ(Find(u"jww", contents), Names{});

  SearchOptions onlyText;
  onlyText.kinds = {FileKind::kTxt};
  EXPECT_EQ(Find(u"e", onlyText), (Names{u"notes.txt"}));
  EXPECT_EQ(summary_.examined, 1);
}

TEST_F(FileFindTest, ResultLinesAndStop) {
  for (int k = 0; k < 12; ++k) dir_.MakeDir("d" + std::to_string(k + 10));
  dir_.Write("d21/deep.txt", "needle\n");
  ASSERT_EQ(FolderTreeMake(NativeToPath(dir_.folder()), tree_, nullptr), FolderTreeResult::Done);
  std::vector<SearchResult> results;
  SearchCallbacks cb;
  cb.found = [&](const SearchResult& r) { results.push_back(r); };
  FileFind(tree_, NormalizeForMatch(u"needle"), {}, cb);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].node, 12);
  const std::u16string line = results[0].Line();
  EXPECT_EQ(line, NativeToPath(dir_.folder()) + u"d21/deep.txt　　:12");
  std::u16string path;
  int node = -1;
  ASSERT_TRUE(ParseResultLine(line, path, node));
  EXPECT_EQ(node, 12);
  EXPECT_EQ(path, NativeToPath(dir_.folder()) + u"d21/deep.txt");
  EXPECT_FALSE(ParseResultLine(u"no marker", path, node));

  // A stop part way keeps what was found and says so.
  int asked = 0;
  std::vector<std::u16string> progress;
  cb.stop = [&] { return ++asked > 2; };
  cb.progress = [&](const std::u16string& p) { progress.push_back(SearchProgressText(p)); };
  const SearchSummary s = FileFind(tree_, NormalizeForMatch(u"e"), {}, cb);
  EXPECT_TRUE(s.stopped);
  EXPECT_EQ(s.StatusText(), u"《ESC:中断しました》");
  EXPECT_LE(progress.size(), 2u);
  ASSERT_FALSE(progress.empty());
  EXPECT_TRUE(progress[0].starts_with(u"検索中：" + NativeToPath(dir_.folder())));
}

}  // namespace
}  // namespace glyphgrab

namespace glyphgrab {
namespace {

// A text file is read in pieces; a keyword across two pieces of one long line is found,
// one split by a line break is not.
TEST(FileFindText, KeywordAcrossPiecesOfALongLine) {
  testing::TempDir dir;
  const std::string before(kTextPieceUnits - 3, 'x');
  dir.Write("long.txt", before + "needle" + std::string(kTextPieceUnits, 'y') + "\n");
  dir.Write("broken.txt", before + "nee\ndle\n");
  FolderTree tree;
  ASSERT_EQ(FolderTreeMake(NativeToPath(dir.folder()), tree, nullptr), FolderTreeResult::Done);
  Names names;
  SearchCallbacks cb;
  cb.found = [&](const SearchResult& r) { names.push_back(r.name); };
  SearchOptions contents;
  contents.names = false;
  FileFind(tree, NormalizeForMatch(u"NEEDLE"), contents, cb);
  EXPECT_EQ(names, Names{u"long.txt"});
}

}  // namespace
}  // namespace glyphgrab

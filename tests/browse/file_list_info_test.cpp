#include "browse/file_list_info.h"

#include <cerrno>

#include <gtest/gtest.h>

#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "util/codepage.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

using testing::JwArchiveWriter;
using testing::Txt;

std::vector<std::uint8_t> DrawingBytes(std::int32_t version, const Txt& memo) {
  JwArchiveWriter w(version);
  testing::JwwHeaderFields spec;
  spec.version = version;
  spec.memo = memo;
  WriteJwwHeader(w, spec);
  w.Count(0).Count(0);
  return w.bytes();
}

std::vector<std::uint8_t> SymbolBytes(std::int32_t version) {
  JwArchiveWriter w(version);
  testing::JwsHeaderFields spec;
  spec.version = version;
  WriteJwsHeader(w, spec);
  w.Count(0).Count(0);
  return w.bytes();
}

TEST(FileListInfo, JwwExtensionsIncludeBackups) {
  const struct {
    const char16_t* ext;
    bool jww;
  } cases[] = {{u".jww", true},  {u".bak", true},  {u".jw$", true},  {u".bk1", true},
               {u".bk5", true},  {u".bk9", true},  {u".bk10", true}, {u".bkx", false},
               {u".bk", false},  {u".bk0", false}, {u".jws", false}, {u"", false}};
  for (const auto& c : cases) EXPECT_EQ(IsJwwListExtension(c.ext), c.jww) << StrToUtf8(c.ext);
}

TEST(FileListInfo, ColumnsByType) {
  testing::TempDir dir;
  const auto memo = Txt::Sjis(u"一行目　A B\r\n二行目^m\\n");
  dir.Write("plan.JWW", DrawingBytes(600, memo));
  dir.Write("old.bk5", DrawingBytes(230, memo));
  dir.Write("old.bkx", DrawingBytes(600, memo));
  dir.Write("sym.jws", SymbolBytes(420));
  dir.Write("wrong.jww", SymbolBytes(420));
  dir.Write("cut.jww", JwArchiveWriter(0).first(0));
  dir.Write("notes.txt", std::string("\n later line\n"));
  dir.Write("first.csv", std::string("a,\tb\r\nc\r\n"));
  dir.Write("page.html", std::string("<html>\n<HEAD><TITLE>Title text</TITLE>\n"));
  dir.Write("lower.htm", std::string("<title>lower</title>\n"));
  // The memo column reads a bounded prefix: a title beyond it is not looked for.
  dir.Write("big.txt", "head\n" + std::string(3 * kMemoPrefixBytes, 'x'));
  dir.Write("late.html", std::string(kMemoPrefixBytes, '\n') + "<TITLE>late</TITLE>\n");
  dir.Write("early.html", std::string(kMemoPrefixBytes - 20, '\n') + "<TITLE>early</TITLE>\n");
  dir.Write("data.bin", std::string("JwwData."));
  testing::JwcFixture jwc;
  jwc.comment1 = "ABC  ";
  jwc.comment2 = "DEF  ";
  dir.Write("old.jwc", jwc.Build());
  testing::JwkFixture jwk;
  jwk.comment1 = "sym^mbol";
  dir.Write("part.JWK", jwk.Build());
  dir.Write("fake.jwc", std::string("jw_cad(c)sym........"));
  const struct {
    const char* name;
    const char16_t* ver;
    const char16_t* memo;
    FileInfoRead read;
  } cases[] = {
      {"plan.JWW", u"600", u"一行目AB二行目", FileInfoRead::kOk},
      {"old.bk5", u"230", u"一行目AB二行目", FileInfoRead::kOk},
      {"old.bkx", u"", u"", FileInfoRead::kNoReader},
      {"sym.jws", u"420", u"", FileInfoRead::kOk},
      {"wrong.jww", u"", u"", FileInfoRead::kNotFormat},
      {"cut.jww", u"", u"", FileInfoRead::kNotFormat},
      {"notes.txt", u"", u"", FileInfoRead::kOk},
      {"first.csv", u"", u"a,b", FileInfoRead::kOk},
      {"page.html", u"", u"Title text", FileInfoRead::kOk},
      {"lower.htm", u"", u"", FileInfoRead::kOk},
      {"big.txt", u"", u"head", FileInfoRead::kOk},
      {"late.html", u"", u"", FileInfoRead::kOk},
      {"early.html", u"", u"early", FileInfoRead::kOk},
      {"data.bin", u"", u"", FileInfoRead::kNoReader},
      {"old.jwc", u"DOS", u"ABCDEF", FileInfoRead::kOk},
      {"part.JWK", u"DOS", u"symbol", FileInfoRead::kOk},
      {"fake.jwc", u"", u"", FileInfoRead::kNotFormat},
  };
  TDocumentSet docs;
  for (const auto& c : cases) {
    std::u16string ver = u"stale", memoText = u"stale";
    const FileInfoResult r = FileListInfo(Utf8ToStr(dir.folder() + c.name), docs, ver, memoText);
    EXPECT_EQ(ver, c.ver) << c.name;
    EXPECT_EQ(memoText, c.memo) << c.name;
    EXPECT_EQ(r.read, c.read) << c.name;
  }
}

TEST(FileListInfo, FolderRowsByMask) {
  testing::TempDir dir;
  dir.Write("b.jww", DrawingBytes(600, Txt("memo")));
  dir.Write("a.txt", std::string("first line\n"));
  dir.Write("c.JW$", DrawingBytes(700, Txt("")));
  dir.MakeDir("sub.jww");
  TDocumentSet docs;
  const auto all = FileListMake(Utf8ToStr(dir.path().string()), u"*", docs);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].name, u"a.txt");
  EXPECT_EQ(all[0].memo, u"first line");
  EXPECT_EQ(all[0].size, u"11");
  EXPECT_EQ(all[1].name, u"b.jww");
  EXPECT_EQ(all[1].version, u"600");
  EXPECT_EQ(all[1].memo, u"memo");
  EXPECT_EQ(all[2].type, u".jw$");
  EXPECT_EQ(all[2].version, u"700");
  EXPECT_EQ(all[1].modified.size(), 19u);
  EXPECT_EQ(FileListMake(Utf8ToStr(dir.folder()), u"*.jw?", docs).size(), 2u);
  int error = -1;
  EXPECT_EQ(FileListMake(Utf8ToStr(dir.folder()), u"*.jw?", docs, &error).size(), 2u);
  EXPECT_EQ(error, 0);
  EXPECT_TRUE(FileListMake(Utf8ToStr(dir.folder()) + u"missing", u"*", docs, &error).empty());
  EXPECT_EQ(error, ENOENT);  // said, not shown as a folder without files
}

TEST(FileListInfo, CutHeaderGivesEmptyColumnsAndTheStop) {
  testing::TempDir dir;
  const auto bytes = DrawingBytes(600, "memo");
  dir.Write("cut.jww", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 3000));
  TDocumentSet docs;
  std::u16string ver, memo;
  const FileInfoResult r = FileListInfo(Utf8ToStr(dir.folder() + "cut.jww"), docs, ver, memo);
  EXPECT_EQ(r.read, FileInfoRead::kStopped);
  EXPECT_EQ(r.stopPos, 3000u);
  EXPECT_EQ(ver, u"");
  EXPECT_EQ(memo, u"");
}

// A DOS header block cut short is read with its missing bytes as zero: the columns come
// from what is there, and the stop is said all the same.
TEST(FileListInfo, CutDosHeaderGivesItsColumnsAndTheStop) {
  testing::TempDir dir;
  testing::JwcFixture jwc;
  jwc.comment1 = "memo";
  dir.Write("cut.jwc", testing::Cut(jwc.Build(), 750));
  TDocumentSet docs;
  std::u16string ver, memo;
  const FileInfoResult r = FileListInfo(Utf8ToStr(dir.folder() + "cut.jwc"), docs, ver, memo);
  EXPECT_EQ(r.read, FileInfoRead::kStopped);
  EXPECT_EQ(r.stopPos, 750u);
  EXPECT_EQ(ver, u"DOS");
  EXPECT_EQ(memo, u"memo");
}

TEST(FileListInfo, RowOfOneFile) {
  testing::TempDir dir;
  dir.Write("a.jww", DrawingBytes(700, Txt::Utf16(u"メモ")));
  TDocumentSet docs;
  FileListRow row;
  ASSERT_TRUE(FileListRowOf(Utf8ToStr(dir.folder() + "a.jww"), docs, row));
  EXPECT_EQ(row.name, u"a.jww");
  EXPECT_EQ(row.type, u".jww");
  EXPECT_EQ(row.memo, u"メモ");
  EXPECT_EQ(row.version, u"700");
  EXPECT_EQ(row.size, IntToText(static_cast<std::int64_t>(DrawingBytes(700, Txt::Utf16(u"メモ")).size())));
  EXPECT_EQ(row.modified.size(), 19u);
  EXPECT_FALSE(FileListRowOf(Utf8ToStr(dir.folder() + "missing.jww"), docs, row));
  EXPECT_FALSE(FileListRowOf(Utf8ToStr(dir.folder()), docs, row));
}

}  // namespace
}  // namespace glyphgrab

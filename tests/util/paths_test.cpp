#include "util/paths.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

TEST(PathText, DelimitersAndExtensions) {
  // On Linux only "/" delimits: "\\" is part of a name.
  struct Trail {
    std::u16string in, added, removed;
  } trails[] = {
      {u"/data", u"/data/", u"/data"},
      {u"/data/", u"/data/", u"/data"},
      {u"/data//", u"/data//", u"/data/"},  // only one is removed
      {u"/", u"/", u"/"},                   // the root keeps its delimiter
      {u"", u"/", u""},
      {u"/weird\\", u"/weird\\/", u"/weird\\"},
      {u"C:\\", u"C:\\/", u"C:\\"},
  };
  for (const auto& t : trails) {
    SCOPED_TRACE(StrToUtf8(t.in));
    EXPECT_EQ(AddTrailingDelim(t.in), t.added);
    EXPECT_EQ(RemoveTrailingDelim(t.in), t.removed);
  }

  EXPECT_EQ(JoinPath(u"/", u"a.txt"), u"/a.txt");
  EXPECT_EQ(JoinPath(u"/d", u"a.txt"), u"/d/a.txt");
  EXPECT_EQ(JoinPath(u"/d/", u"a\\b.txt"), u"/d/a\\b.txt");

  struct Ext {
    std::u16string in, out;
  } exts[] = {
      {u"A.JWW", u".jww"},  {u"name", u""},        {u"/a.b/name", u""},  {u"a.b\\name", u".b\\name"},
      {u"name.", u"."},     {u"a.tar.gz", u".gz"}, {u"x.JW$", u".jw$"},  {u"/d/図面.ＪＷＷ", u".ｊｗｗ"},
      {u"/d/a\\b.txt", u".txt"},
  };
  for (const auto& e : exts) EXPECT_EQ(FileExtLower(e.in), e.out) << StrToUtf8(e.in);

  EXPECT_EQ(ReplaceFileExt(u"/tool/run.exe", u".dat"), u"/tool/run.dat");
  EXPECT_EQ(ReplaceFileExt(u"/tool/glyphgrab", u".dat"), u"/tool/glyphgrab.dat");
  EXPECT_EQ(ReplaceFileExt(u"/a.b/name", u".dat"), u"/a.b/name.dat");

  EXPECT_EQ(FileBaseName(u"/a/b/c.jww"), u"c.jww");
  EXPECT_EQ(FileBaseName(u"c.jww"), u"c.jww");
  EXPECT_EQ(FileBaseName(u"/d/a\\b.txt"), u"a\\b.txt");
}

TEST(PathText, NativeNamesRoundTripEvenWhenNotUtf8) {
  for (std::string native : {std::string("plain"), std::string("図面.jww"),
                             std::string("sjis-\x90\x7d\x96\xca.jww"), std::string("\xff\xfe")}) {
    EXPECT_EQ(PathToNative(NativeToPath(native)), native);
  }
  EXPECT_EQ(NativeToPath("図面"), u"図面");
}

TEST(FileSystem, FilesAndFolders) {
  testing::TempDir dir;
  const std::u16string base = NativeToPath(dir.folder());
  dir.Write("f.txt", "x");
  EXPECT_TRUE(IsFile(base + u"f.txt"));
  EXPECT_FALSE(IsFolder(base + u"f.txt"));
  EXPECT_TRUE(IsFolder(base));
  EXPECT_FALSE(IsFile(base + u"missing"));
  EXPECT_FALSE(IsFile(u""));

  EXPECT_TRUE(MakeFolder(base + u"a/b/c"));
  EXPECT_TRUE(IsFolder(base + u"a/b/c"));
  EXPECT_TRUE(MakeFolder(base + u"a/b/c"));  // already there
  EXPECT_FALSE(MakeFolder(u""));
  EXPECT_FALSE(MakeFolder(u"  "));
  EXPECT_FALSE(MakeFolder(base + u"f.txt/sub"));  // a file is in the way

  EXPECT_FALSE(RemoveEmptyFolder(base + u"a"));  // still holds b
  EXPECT_TRUE(IsFolder(base + u"a"));
  EXPECT_FALSE(RemoveEmptyFolder(base + u"missing"));
  EXPECT_FALSE(RemoveEmptyFolder(base + u"f.txt"));
  EXPECT_TRUE(RemoveEmptyFolder(base + u"a/b/c"));
  EXPECT_FALSE(IsFolder(base + u"a/b/c"));

  EXPECT_FALSE(RemoveFile(base + u"missing"));
  EXPECT_FALSE(RemoveFile(base + u"a"));  // a folder is no file
  EXPECT_TRUE(RemoveFile(base + u"f.txt"));
  EXPECT_FALSE(IsFile(base + u"f.txt"));

  std::filesystem::create_symlink(dir.path() / "a", dir.path() / "link");
  EXPECT_TRUE(IsFolder(base + u"link"));  // links are followed
}

}  // namespace
}  // namespace glyphgrab

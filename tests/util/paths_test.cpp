#include "util/paths.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

TEST(PathText, DelimitersAndExtensions) {
  EXPECT_EQ(AddTrailingDelim(u"/data"), u"/data/");
  EXPECT_EQ(AddTrailingDelim(u"/data/"), u"/data/");
  EXPECT_EQ(AddTrailingDelim(u"C:\\data\\"), u"C:\\data\\");
  EXPECT_EQ(AddTrailingDelim(u""), u"/");

  EXPECT_EQ(RemoveTrailingDelim(u"/data/"), u"/data");
  EXPECT_EQ(RemoveTrailingDelim(u"C:\\"), u"C:");
  EXPECT_EQ(RemoveTrailingDelim(u"/data//"), u"/data/");
  EXPECT_EQ(RemoveTrailingDelim(u"/data"), u"/data");
  EXPECT_EQ(RemoveTrailingDelim(u""), u"");

  struct Ext {
    std::u16string in, out;
  } exts[] = {
      {u"A.JWW", u".jww"},  {u"name", u""},        {u"/a.b/name", u""},  {u"C:\\a.b\\name", u""},
      {u"name.", u"."},     {u"a.tar.gz", u".gz"}, {u"x.JW$", u".jw$"},  {u"/d/図面.ＪＷＷ", u".ｊｗｗ"},
  };
  for (const auto& e : exts) EXPECT_EQ(FileExtLower(e.in), e.out);

  EXPECT_EQ(ReplaceFileExt(u"/tool/run.exe", u".dat"), u"/tool/run.dat");
  EXPECT_EQ(ReplaceFileExt(u"/tool/glyphgrab", u".dat"), u"/tool/glyphgrab.dat");
  EXPECT_EQ(ReplaceFileExt(u"/a.b/name", u".dat"), u"/a.b/name.dat");
  EXPECT_EQ(ReplaceFileExt(u"C:\\a.b\\name", u".dat"), u"C:\\a.b\\name.dat");

  EXPECT_EQ(FileBaseName(u"/a/b/c.jww"), u"c.jww");
  EXPECT_EQ(FileBaseName(u"c.jww"), u"c.jww");
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

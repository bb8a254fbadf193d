#include "util/folder_listing.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

std::vector<std::u16string> Names(const FolderListing& rows) {
  std::vector<std::u16string> names;
  for (const auto& r : rows) names.push_back(r.name);
  return names;
}

TEST(MaskMatches, WindowsWildcards) {
  struct Case {
    std::u16string mask, name;
    bool match;
  } cases[] = {
      {u"*", u"anything", true},        {u"*", u"", true},
      {u"*.jw?", u"a.jww", true},       {u"*.jw?", u"a.JW$", true},
      {u"*.jw?", u"a.jwwx", false},     {u"*.jww", u"A.JWW", true},
      {u"*.htm*", u"x.html", true},     {u"*.htm*", u"x.HTM", true},
      {u"*.txt", u"a.txt.bak", false},  {u"a?c", u"abc", true},
      {u"a?c", u"ac", false},           {u"*.jwc", u"図面.ＪＷＣ", false},
      {u"*a*b*c", u"xaybzc", true},     {u"*a*b*c", u"xaybz", false},
      {u"*.csv", u".csv", true},
  };
  for (const auto& c : cases) EXPECT_EQ(MaskMatches(c.mask, c.name), c.match) << c.name.size();
}

TEST(ListFolderFiles, PlainFilesOnlyInNtfsOrder) {
  testing::TempDir dir;
  for (const char* n : {"b.jww", "A.jws", "a.JWW", "c.txt", ".hidden.jww", "Z.jw$"}) dir.Write(n, "x");
  dir.MakeDir("sub.jww");
  std::filesystem::create_symlink(dir.path() / "c.txt", dir.path() / "link.jww");
  std::filesystem::create_symlink(dir.path() / "gone", dir.path() / "dangling.jww");

  const std::u16string folder = NativeToPath(dir.folder());
  EXPECT_EQ(Names(ListFolderFiles(folder, u"*.jw?")),
            (std::vector<std::u16string>{u".hidden.jww", u"A.jws", u"a.JWW", u"b.jww", u"link.jww", u"Z.jw$"}));
  EXPECT_EQ(Names(ListFolderFiles(folder, u"*.txt")), (std::vector<std::u16string>{u"c.txt"}));
  EXPECT_TRUE(ListFolderFiles(folder, u"*.csv").empty());
  // Without the trailing delimiter the folder is found all the same.
  EXPECT_EQ(ListFolderFiles(RemoveTrailingDelim(folder), u"*").size(), 7u);

  FolderListing rows{TFileField{}};
  EXPECT_FALSE(ListFolderFiles(folder + u"missing/", u"*", rows));
  EXPECT_TRUE(rows.empty());
}

// The names alone are the rows' names, whatever kind each entry is: links to plain files
// count, links to folders, dangling links, loops and FIFOs do not.
TEST(ListFolderFileNames, TheNamesOfTheListing) {
  testing::TempDir dir;
  for (const char* n : {"b.jww", "A.jws", "a.JWW", "c.txt", ".hidden.jww", "Z.jw$", "ｚ.jwk"}) dir.Write(n, "x");
  dir.MakeDir("sub.jww");
  std::filesystem::create_symlink(dir.path() / "c.txt", dir.path() / "link.jww");
  std::filesystem::create_symlink(dir.path() / "gone", dir.path() / "dangling.jww");
  std::filesystem::create_symlink(dir.path() / "sub.jww", dir.path() / "folder-link.jww");
  std::filesystem::create_symlink(dir.path() / "loop.jww", dir.path() / "loop.jww");
  ASSERT_EQ(::mkfifo((dir.folder() + "pipe.jww").c_str(), 0600), 0);

  const std::u16string folder = NativeToPath(dir.folder());
  std::vector<std::u16string> names{u"stale"};
  ASSERT_TRUE(ListFolderFileNames(folder, names));
  EXPECT_EQ(names, Names(ListFolderFiles(folder, u"*")));
  EXPECT_EQ(names.size(), 8u);
  ASSERT_TRUE(ListFolderFileNames(RemoveTrailingDelim(folder), names));
  EXPECT_EQ(names.size(), 8u);

  int error = 0;
  EXPECT_FALSE(ListFolderFileNames(folder + u"missing/", names, &error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_TRUE(names.empty());
}

TEST(ListFolderFiles, ManyFilesAllListed) {
  testing::TempDir dir;
  for (int k = 0; k < 150; ++k) dir.Write("f" + std::to_string(k) + ".jww", "");
  EXPECT_EQ(ListFolderFiles(NativeToPath(dir.folder()), u"*.jww").size(), 150u);
}

TEST(ListFolderFiles, LocalTimeAndTrueSize) {
  testing::TempDir dir;
  const auto p = dir.Write("t.txt", "hello");
  std::tm local{};
  local.tm_year = 2024 - 1900;
  local.tm_mon = 2;
  local.tm_mday = 7;
  local.tm_hour = 9;
  local.tm_min = 5;
  local.tm_sec = 3;
  local.tm_isdst = -1;
  const std::time_t t = std::mktime(&local);
  const timespec times[2] = {{t, 0}, {t, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0);

  // A sparse file beyond 2 GiB keeps its true size (no 32-bit wrap).
  const auto big = dir.Write("big.csv", "");
  ASSERT_EQ(::truncate(big.c_str(), 3221225472LL), 0);

  const FolderListing rows = ListFolderFiles(NativeToPath(dir.folder()), u"*");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, u"big.csv");
  EXPECT_EQ(rows[0].size, 3221225472LL);
  EXPECT_EQ(rows[1].name, u"t.txt");
  EXPECT_EQ(rows[1].size, 5);
  EXPECT_EQ(rows[1].date, u"2024/03/07");
  EXPECT_EQ(rows[1].time, u"09:05:03");
  EXPECT_FALSE(rows[1].dirf);
}

}  // namespace
}  // namespace glyphgrab

#include "browse/folder_tree.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "fixtures/unprivileged.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

std::vector<std::u16string> Paths(const FolderTree& tree) {
  std::vector<std::u16string> paths;
  for (std::size_t i = 0; i < tree.size(); ++i) paths.push_back(tree.FolderTreePath(static_cast<int>(i)));
  return paths;
}

TEST(FolderTree, DepthFirstSortedPaths) {
  testing::TempDir dir;
  for (const char* d : {"b", "a/c", "a/B", ".hidden/x", "a/c/d"}) dir.MakeDir(d);
  dir.Write("a/file.jww", "x");
  std::filesystem::create_directory_symlink(dir.path() / "b", dir.path() / "a/link");

  const std::u16string root = NativeToPath(dir.path().string());  // no trailing delimiter
  FolderTree tree;
  ASSERT_EQ(FolderTreeMake(root, tree, nullptr), FolderTreeResult::Done);
  const std::u16string r = root + u"/";
  EXPECT_EQ(Paths(tree), (std::vector<std::u16string>{r, r + u"a/", r + u"a/B/", r + u"a/c/",
                                                      r + u"a/c/d/", r + u"b/"}));
  EXPECT_EQ(tree.node(0).text, r);
  EXPECT_EQ(tree.node(4).text, u"d");
  EXPECT_EQ(tree.node(4).parent, 3);
  EXPECT_EQ(tree.node(4).depth, 3);
  EXPECT_EQ(tree.FindFolder(r + u"a/c"), 3);
  EXPECT_EQ(tree.FindFolder(r + u"zzz"), -1);
  EXPECT_EQ(tree.FolderTreePath(99), u"");
}

TEST(FolderTree, LetterCaseCountsInSiblingOrder) {
  testing::TempDir dir;
  for (const char* d : {"b", "B", "a", "A", "図面", "ずめん"}) dir.MakeDir(d);
  FolderTree tree;
  ASSERT_EQ(FolderTreeMake(NativeToPath(dir.folder()), tree, nullptr), FolderTreeResult::Done);
  ASSERT_EQ(tree.size(), 7u);
  std::vector<std::u16string> names;
  for (std::size_t i = 1; i < tree.size(); ++i) names.push_back(tree.node(i).text);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"a", u"A", u"b", u"B", u"ずめん", u"図面"}));
}

TEST(FolderTree, StopKeepsWhatWasFound) {
  testing::TempDir dir;
  for (const char* d : {"a/x/y", "b/x/y", "c/x/y"}) dir.MakeDir(d);
  FolderTree tree;
  EXPECT_EQ(FolderTreeMake(NativeToPath(dir.folder()), tree, [] { return true; }),
            FolderTreeResult::Stopped);
  EXPECT_GE(tree.size(), 1u);
  EXPECT_LE(tree.size(), 2u);  // the root and at most its first entry

  int asked = 0;
  EXPECT_EQ(FolderTreeMake(NativeToPath(dir.folder()), tree, [&] { return ++asked > 6; }),
            FolderTreeResult::Stopped);
  EXPECT_LT(tree.size(), 10u);
}

TEST(FolderTree, RootProblemsLeaveTheTreeAlone) {
  testing::TempDir dir;
  dir.MakeDir("a");
  FolderTree tree;
  ASSERT_EQ(FolderTreeMake(NativeToPath(dir.folder()), tree, nullptr), FolderTreeResult::Done);
  EXPECT_EQ(FolderTreeMake(u"", tree, nullptr), FolderTreeResult::NoRoot);
  EXPECT_EQ(FolderTreeMake(NativeToPath(dir.folder()) + u"missing", tree, nullptr),
            FolderTreeResult::RootMissing);
  EXPECT_EQ(tree.size(), 2u);
}

TEST(FolderTree, UnreadableFolderGetsNoChildren) {
  testing::TempDir dir;
  dir.MakeDir("open/inner");
  dir.MakeDir("locked/inner");
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  std::filesystem::permissions(dir.path() / "locked", std::filesystem::perms::none);
  const std::u16string root = NativeToPath(dir.folder());
  const int status = testing::RunUnprivileged([&] {
    FolderTree tree;
    if (FolderTreeMake(root, tree, nullptr) != FolderTreeResult::Done) return 1;
    // root, locked (no children), open, open/inner
    if (tree.size() != 4) return 2;
    return tree.FolderTreePath(3) == root + u"open/inner/" ? 0 : 3;
  });
  std::filesystem::permissions(dir.path() / "locked", std::filesystem::perms::owner_all);
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace glyphgrab

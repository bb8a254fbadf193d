// Names as a Linux file system holds them: "\" is an ordinary character of a name, and
// the root folder "/" is a folder like any other.
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "extract/extract_driver.h"
#include "browse/folder_tree.h"
#include "fixtures/cli_run.h"
#include "fixtures/temp_dir.h"
#include "util/folder_listing.h"

namespace glyphgrab::cli {
namespace {

using testing::CliRun;
using testing::RunCli;

TEST(LinuxNames, BackslashIsPartOfTheName) {
  testing::TempDir dir;
  dir.Write("a\\b.txt", "\xEF\xBB\xBFline of a\\b\n");
  dir.Write("weird\\/inner.txt", "\xEF\xBB\xBFneedle\n");
  const std::string root = dir.path().string();

  struct Probe {
    std::vector<std::string> args;
    std::string out;
  } probes[] = {
      {{"tree", root}, root + "/\n" + root + "/weird\\/\n"},
      {{"extract", root + "/a\\b.txt"}, "【a\\b.txt】\nline of a\\b\n"},
      {{"search", "--contents", root, "needle"}, root + "/weird\\/inner.txt\n"},
      {{"search", "--names", root, "a\\b"}, root + "/a\\b.txt\n"},
  };
  for (const Probe& p : probes) {
    const CliRun r = RunCli(p.args);
    EXPECT_EQ(r.status, kExitOk) << p.args[0] << ' ' << r.err;
    EXPECT_EQ(r.out, p.out) << p.args[0];
  }
  const CliRun info = RunCli({"info", root + "/a\\b.txt"});
  EXPECT_TRUE(info.out.starts_with("a\\b.txt\t.txt\tline of a\\b\t")) << info.out;
}

TEST(LinuxNames, TheRootFolderIsAFolderLikeAnyOther) {
  // "/" lists and extracts; its paths get no doubled delimiter.
  FolderListing rows;
  EXPECT_TRUE(ListFolderFiles(u"/", u"*", rows));

  TDocumentSet docs;
  ExtractionList list;
  ListView1Click(u"/", {u"glyphgrab-no-such-file.txt"}, OptFlags{}, docs, list, nullptr);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.lines()[0], u"【glyphgrab-no-such-file.txt】");

  // Scan only the first level: the whole file system is not the test's business.
  FolderTree tree;
  int asked = 0;
  FolderTreeMake(u"/", tree, [&] { return ++asked > 3; });
  ASSERT_GE(tree.size(), 1u);
  EXPECT_EQ(tree.FolderTreePath(0), u"/");
  if (tree.size() > 1) {
    const std::u16string first = tree.FolderTreePath(1);
    EXPECT_EQ(first, u"/" + tree.node(1).text + u"/");
  }
}

}  // namespace
}  // namespace glyphgrab::cli

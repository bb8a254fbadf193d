// Paths longer than the system's limit for one call are walked folder by folder.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "fixtures/cli_run.h"
#include "fixtures/temp_dir.h"

namespace glyphgrab::cli {
namespace {

TEST(LongPaths, A6000BytePathIsWalkedListedAndRead) {
  testing::TempDir dir;
  const std::string component(200, 'd');
  std::string path = dir.path().string();
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  for (int level = 0; level < 30; ++level) {
    ASSERT_EQ(::mkdirat(fd, component.c_str(), 0755), 0);
    const int next = ::openat(fd, component.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    ASSERT_GE(next, 0);
    fd = next;
    path += "/" + component;
  }
  const int file = ::openat(fd, "deep.txt", O_WRONLY | O_CREAT, 0644);
  ::close(fd);
  ASSERT_GE(file, 0);
  ASSERT_EQ(::write(file, "needle\n", 7), 7);
  ::close(file);
  ASSERT_GT(path.size(), 6000u);

  const testing::CliRun tree = testing::RunCli({"tree", dir.path().string()});
  EXPECT_EQ(tree.status, kExitOk);
  EXPECT_EQ(std::count(tree.out.begin(), tree.out.end(), '\n'), 31);
  EXPECT_TRUE(tree.out.ends_with(path + "/\n"));

  const testing::CliRun search = testing::RunCli({"search", dir.path().string(), "needle"});
  EXPECT_EQ(search.status, kExitOk) << search.err;
  EXPECT_EQ(search.out, path + "/deep.txt\n");

  const testing::CliRun extract = testing::RunCli({"extract", path + "/deep.txt"});
  EXPECT_EQ(extract.status, kExitOk) << extract.err;
  EXPECT_EQ(extract.out, "【deep.txt】\nneedle\n");
}

}  // namespace
}  // namespace glyphgrab::cli

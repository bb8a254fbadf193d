#include "cli/block_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

#include "fixtures/temp_dir.h"

namespace glyphgrab::cli {
namespace {

// A file to write to and read back ("w+b").
std::FILE* Scratch(const testing::TempDir& dir) {
  return std::fopen((dir.path() / "out").string().c_str(), "w+b");
}

// What has reached the file so far.
std::string Written(std::FILE* f) {
  std::string s;
  std::fflush(f);
  const long end = std::ftell(f);
  std::rewind(f);
  s.resize(static_cast<std::size_t>(end));
  if (end > 0) {
    EXPECT_EQ(std::fread(s.data(), 1, s.size(), f), s.size());
  }
  std::fseek(f, 0, SEEK_END);
  return s;
}

TEST(BlockOutput, BlocksReachTheFileWholeAndInOrder) {
  testing::TempDir dir;
  std::FILE* f = Scratch(dir);
  ASSERT_NE(f, nullptr);
  std::string expected;
  {
    BlockOutput blocks(f, 1000);
    std::ostream out(&blocks);
    out << "first line\n";
    EXPECT_EQ(Written(f), "") << "a line alone stays in the block";
    for (int k = 0; k < 500; ++k) {
      const std::string piece = std::string(static_cast<std::size_t>(k % 37), 'x') + std::to_string(k);
      out << piece << '\n';
      expected += piece + '\n';
    }
    EXPECT_EQ(Written(f).size() % 1000, 0u) << "only whole blocks before the end";
  }
  EXPECT_EQ(Written(f), "first line\n" + expected);
  std::fclose(f);
}

TEST(BlockOutput, WholeLinesPassOnAsEachEnds) {
  testing::TempDir dir;
  std::FILE* f = Scratch(dir);
  ASSERT_NE(f, nullptr);
  BlockOutput lines(f, 64, true);
  std::ostream err(&lines);
  err << "path" << ": " << "permission denied";
  EXPECT_EQ(Written(f), "");
  err << '\n';
  EXPECT_EQ(Written(f), "path: permission denied\n");
  err << "two\nlines\n";
  EXPECT_EQ(Written(f), "path: permission denied\ntwo\nlines\n");
  const std::string longLine(200, 'y');
  err << longLine << '\n';
  EXPECT_EQ(Written(f), "path: permission denied\ntwo\nlines\n" + longLine + '\n');
  std::fclose(f);
}

TEST(BlockOutput, FailedWriteIsSaidAndLaterOutputDropped) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  if (!full) GTEST_SKIP() << "no /dev/full";
  BlockOutput blocks(full, 16);
  std::ostream out(&blocks);
  out << std::string(100, 'z');
  EXPECT_FALSE(blocks.good());
  out.clear();
  out << "more\n";
  out.flush();
  EXPECT_FALSE(blocks.good());
  std::fclose(full);
}

}  // namespace
}  // namespace glyphgrab::cli

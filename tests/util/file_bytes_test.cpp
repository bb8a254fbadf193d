#include "util/file_bytes.h"

#include <sys/stat.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

TEST(ReadFilePrefix, ReadsAtMostTheBytesAsked) {
  testing::TempDir dir;
  const auto file = dir.Write("a.jwk", "0123456789");
  Bytes out;
  ASSERT_TRUE(ReadFilePrefix(Utf8ToStr(file.string()), 4, out));
  EXPECT_EQ(out, (Bytes{'0', '1', '2', '3'}));
  ASSERT_TRUE(ReadFilePrefix(Utf8ToStr(file.string()), 100, out));
  EXPECT_EQ(out.size(), 10u);
  EXPECT_FALSE(ReadFilePrefix(Utf8ToStr(dir.folder() + "missing.jwk"), 4, out));
  EXPECT_FALSE(ReadFilePrefix(Utf8ToStr(dir.folder()), 4, out));
  EXPECT_TRUE(out.empty());
}

TEST(ReadFilePrefix, ToldTheWholeSize) {
  testing::TempDir dir;
  const auto file = dir.Write("a.jww", "0123456789");
  Bytes out;
  std::uint64_t size = 0;
  ASSERT_TRUE(ReadFilePrefix(Utf8ToStr(file.string()), 4, out, &size));
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(out.size(), 4u);
}

// A FIFO named like a drawing or a text file must be refused, not wait for a writer.
TEST(ReadFilePrefix, FifosAreRefusedWithoutBlocking) {
  testing::TempDir dir;
  const std::string fifo = dir.folder() + "pipe.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  Bytes out;
  EXPECT_FALSE(ReadWholeFile(Utf8ToStr(fifo), out));
  EXPECT_FALSE(ReadFilePrefix(Utf8ToStr(fifo), 4, out));
  EXPECT_TRUE(out.empty());
  const ReadableFile file(Utf8ToStr(fifo));
  EXPECT_FALSE(file.ok());
  EXPECT_EQ(file.error(), EINVAL);  // "is not a regular file"
}

}  // namespace
}  // namespace glyphgrab

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

// One buffer through files of every size, a large one among them, and through failed
// reads: each read gives exactly its file's bytes.
TEST(FileBuffer, EachReadHoldsExactlyItsFile) {
  testing::TempDir dir;
  struct Case {
    const char* name;
    std::size_t size;
  };
  const Case cases[] = {{"small.jww", 100}, {"empty.jww", 0}, {"page.jww", 4096},
                        {"large.jww", FileBuffer::kKeepLimit + 12345}, {"after.jww", 5000},
                        {"one.jww", 1}};
  FileBuffer buffer;
  for (const Case& c : cases) {
    std::string content(c.size, '\0');
    for (std::size_t k = 0; k < c.size; ++k) content[k] = static_cast<char>((k * 7 + c.size) % 251);
    const auto file = dir.Write(c.name, content);
    int error = -1;
    ASSERT_TRUE(buffer.Read(Utf8ToStr(file.string()), &error)) << c.name;
    const ByteSpan b = buffer.bytes();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), b.size()), content) << c.name;

    // A failed read between two files leaves nothing behind.
    EXPECT_FALSE(buffer.Read(Utf8ToStr(dir.folder() + "missing.jww"), &error)) << c.name;
    EXPECT_EQ(error, ENOENT) << c.name;
    EXPECT_TRUE(buffer.bytes().empty()) << c.name;
  }
  int error = 0;
  EXPECT_FALSE(buffer.Read(Utf8ToStr(dir.folder()), &error));
  EXPECT_EQ(error, EISDIR);
}

}  // namespace
}  // namespace glyphgrab

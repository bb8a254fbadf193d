#include "documents/byte_reader.h"

#include <gtest/gtest.h>

#include "fixtures/byte_writer.h"

namespace glyphgrab {
namespace {

TEST(ByteReader, LittleEndianValues) {
  testing::ByteWriter w;
  w.U8(0xAB).U16(0x1234).U32(0xDEADBEEF).I32(-2).F64(1.5);
  ByteReader r(w.bytes());
  EXPECT_EQ(r.U8(), 0xAB);
  EXPECT_EQ(r.U16(), 0x1234);
  EXPECT_EQ(r.U32(), 0xDEADBEEFu);
  EXPECT_EQ(r.I32(), -2);
  EXPECT_EQ(r.F64(), 1.5);
  EXPECT_TRUE(r.atEnd());
  EXPECT_FALSE(r.hitEnd());
}

TEST(ByteReader, ShortReadsZeroFillAndCheckedReadsSeeTheEnd) {
  const std::vector<std::uint8_t> data = {0x01, 0x02, 0x03};
  ByteReader r(data);
  EXPECT_EQ(r.U16(), 0x0201);
  std::uint32_t v = 99;
  EXPECT_TRUE(r.CheckedU32(v));  // one byte arrived: a partial read counts
  EXPECT_EQ(v, 0x03u);
  EXPECT_TRUE(r.hitEnd());
  EXPECT_FALSE(r.CheckedU32(v));  // nothing arrived: the end of the file
  EXPECT_EQ(v, 0u);

  std::uint8_t buf[4] = {9, 9, 9, 9};
  EXPECT_EQ(r.Read(buf, 4), 0u);
  EXPECT_EQ(buf[0] | buf[1] | buf[2] | buf[3], 0);

  ByteReader t(data);
  EXPECT_EQ(t.Take(10).size(), 3u);
  t.Seek(100);
  EXPECT_EQ(t.pos(), 3u);
}

}  // namespace
}  // namespace glyphgrab

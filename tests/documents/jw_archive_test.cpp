#include "documents/jw_archive.h"

#include <gtest/gtest.h>

#include "fixtures/byte_writer.h"
#include "fixtures/jww_builder.h"

namespace glyphgrab::jw {
namespace {

using testing::ByteWriter;

struct TextCase {
  const char* name;
  std::vector<std::uint8_t> bytes;
  std::u16string want;
  bool mojiEncode;
  std::size_t consumed;
};

TEST(JwArchive, ReadTextFormsAndEnds) {
  std::vector<std::uint8_t> long65535 = {0xFF, 0xFF, 0xFF, 'x', 'y'};
  const TextCase cases[] = {
      {"short single-byte", {0x03, 'A', 'B', 'C'}, u"ABC", false, 4},
      {"empty", {0x00}, u"", false, 1},
      {"short UTF-16", {0xFF, 0xFE, 0xFF, 0x02, 'A', 0, 'B', 0}, u"AB", true, 8},
      {"long single-byte ends at NUL", {0xFF, 0x03, 0x00, 'a', 0x00, 'b'}, u"a", false, 6},
      {"long UTF-16", {0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x00, 0x42, 0x30, 'x', 0}, u"\u3042x", true, 10},
      {"Shift_JIS", {0x04, 0x82, 0xA0, 0x93, 0xFA}, u"あ日", false, 5},
      {"half-width katakana", {0x02, 0xB1, 0xB2}, u"ｱｲ", false, 3},
      {"cut short", {0x05, 'A', 'B'}, u"AB", false, 3},
      // A length word of 0xFFFF is a length of 65535, not the 32-bit length form.
      {"0xFFFF is a length", long65535, u"xy", false, 5},
      {"nothing at all", {}, u"", false, 0},
  };
  for (const TextCase& c : cases) {
    ByteReader r(c.bytes);
    bool mojiEncode = false;
    Archive ar(r, 600, mojiEncode);
    EXPECT_EQ(ar.ReadText(), c.want) << c.name;
    EXPECT_EQ(mojiEncode, c.mojiEncode) << c.name;
    EXPECT_EQ(r.pos(), c.consumed) << c.name;
  }
}

TEST(JwArchive, CleanTextDropsControlCharactersOnly) {
  testing::JwArchiveWriter w(600);
  w.Text("A\tB\r\nC").Text(testing::Txt::Utf16(u"x\ny\u3000z"));
  ByteReader r(w.bytes());
  bool mojiEncode = false;
  Archive ar(r, 600, mojiEncode);
  EXPECT_EQ(ar.ReadCleanText(), u"ABC");
  EXPECT_EQ(ar.ReadCleanText(), u"xy\u3000z");
  ByteReader again(w.bytes());
  Archive raw(again, 600, mojiEncode);
  EXPECT_EQ(raw.ReadText(), u"A\tB\r\nC");
}

TEST(JwArchive, ReadCount) {
  ByteWriter w;
  w.U16(5).U16(0xFFFF).U32(70000).U16(0xFFFF).U32(0xFFFFFFFF).U8(1);
  ByteReader r(w.bytes());
  bool mojiEncode = false;
  Archive ar(r, 600, mojiEncode);
  bool delivered = false;
  EXPECT_EQ(ar.ReadCount(&delivered), 5);
  EXPECT_TRUE(delivered);
  EXPECT_EQ(ar.ReadCount(), 70000);
  EXPECT_EQ(ar.ReadCount(), -1);
  EXPECT_EQ(ar.ReadCount(&delivered), 1);  // one byte delivered counts as read
  EXPECT_TRUE(delivered);
  EXPECT_EQ(ar.ReadCount(&delivered), 0);
  EXPECT_FALSE(delivered);
}

TEST(JwArchive, ObjectTagsAndClassRegister) {
  ByteWriter w;
  w.U16(0xFFFF).U16(1).U16(8).Raw("CDataSen");   // registered as object 1
  w.U16(0x8001);                                  // a reference to it
  w.U16(0x7FFF).U32(0x80000001);                  // the long form
  w.U16(0x8000);                                  // index 0: no class registered there
  w.U16(0x8002);                                  // nothing registered at 2
  w.U16(0x0005);                                  // below 0x8000: no class
  w.U16(0xFFFF).U16(1).U16(9).Raw("CDataMoji");   // registered as object 2
  w.U16(0x8002);
  w.U16(0xFFFF).U16(1).U16(8).Raw("CDataLin");    // not an entity class
  ByteReader r(w.bytes());
  bool mojiEncode = false;
  Archive ar(r, 600, mojiEncode);
  const std::int32_t want[] = {kEntSen, kEntSen, kEntSen, 0, 0, 0, kEntMoji, kEntMoji, -1};
  for (std::int32_t kind : want) {
    const ObjectTag t = ar.ReadObjectTag();
    EXPECT_TRUE(t.delivered);
    EXPECT_EQ(t.kind, kind);
  }
  EXPECT_EQ(ar.objectIndex(), 3);
  EXPECT_FALSE(ar.ReadObjectTag().delivered);
}

TEST(JwArchive, ClassNameLongerThanTheWorkBufferIsUnknown) {
  for (std::size_t n : {kWorkBufferBytes - 1, kWorkBufferBytes, std::size_t{65535}}) {
    ByteWriter w;
    w.U16(0xFFFF).U16(1).U16(static_cast<std::uint16_t>(n)).Raw("CDataSen").Zeros(n - 8);
    ByteReader r(w.bytes());
    bool mojiEncode = false;
    Archive ar(r, 600, mojiEncode);
    // Up to the first NUL the short name is "CDataSen"; a name too long for the buffer
    // is never looked at.
    EXPECT_EQ(ar.ReadObjectTag().kind, n < kWorkBufferBytes ? kEntSen : -1) << n;
    EXPECT_TRUE(r.atEnd());
  }
}

TEST(JwArchive, AttributeRecordByVersion) {
  struct Case {
    std::int32_t version;
    std::size_t bytes;
    std::uint16_t penWidth;
  } cases[] = {{300, 13, 0}, {350, 13, 0}, {351, 15, 7}, {700, 15, 7}};
  for (const Case& c : cases) {
    testing::JwArchiveWriter w(c.version);
    const TEntJwwAttr a = testing::AttrOf(5, 9, 3, 4);
    w.Attr(a);
    ASSERT_EQ(w.bytes().size(), c.bytes);
    ByteReader r(w.bytes());
    bool mojiEncode = false;
    Archive ar(r, c.version, mojiEncode);
    TEntJwwAttr want = a;
    want.nPenWidth = c.penWidth;
    EXPECT_EQ(ar.ReadAttr(), want) << c.version;
    EXPECT_EQ(r.pos(), c.bytes);
  }
  // A short read leaves zeros.
  const std::vector<std::uint8_t> two = {0x01, 0x02};
  ByteReader r(two);
  bool mojiEncode = false;
  Archive ar(r, 600, mojiEncode);
  TEntJwwAttr want;
  want.lGroup = 0x0201;
  EXPECT_EQ(ar.ReadAttr(), want);
}

TEST(JwArchive, CopyAttrCopiesEveryField) {
  const TEntJwwAttr from = testing::AttrOf(100, 10, 15, 15);
  TEntJwwAttr to;
  CopyAttr(from, to);
  EXPECT_EQ(to, from);
}

TEST(JwArchive, BoundCountLimitsByRemainingBytes) {
  EXPECT_EQ(BoundCount(-5, 100, 2), 0u);
  EXPECT_EQ(BoundCount(10, 0, 2), 10u);
  EXPECT_EQ(BoundCount(4'000'000'000LL, 1000, 2), 500u + kCountSlack);
}

}  // namespace
}  // namespace glyphgrab::jw

#include <gtest/gtest.h>

#include "documents/jws_data.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

using testing::JwArchiveWriter;
using testing::JwsHeaderFields;
using testing::LineOf;
using testing::MojiOf;
using testing::Txt;

JwArchiveWriter Symbol(const JwsHeaderFields& spec) {
  JwArchiveWriter w(spec.version);
  WriteJwsHeader(w, spec);
  return w;
}

TEST(JwsFileCheck, IdentificationAndVersionRange) {
  struct Case {
    std::string id;
    std::int32_t version;
    std::string filler;
    bool ok;
  } cases[] = {
      {"JwsData", 230, "", true},     {"JwsData", 700, "", true},  {"JwsData", 229, "", false},
      {"JwsData", 701, "", false},    {"JwwData", 600, "", false}, {"JwsDat", 600, "", false},
      {"JwsData", 600, std::string(193, '\xFF'), true},  // bytes 7 to 199 may hold anything
  };
  for (const Case& c : cases) {
    JwsHeaderFields spec;
    spec.id = c.id;
    spec.version = c.version;
    spec.filler = c.filler;
    const auto bytes = Symbol(spec).bytes();
    ASSERT_EQ(bytes.size(), TJwsData::kHeaderBytes);
    EXPECT_EQ(TJwsData::FileCheckBytes(bytes), c.ok) << c.id << ' ' << c.version;
    TJwsData doc;
    EXPECT_EQ(doc.FileHeaderInBytes(bytes), c.ok) << c.id << ' ' << c.version;
  }
  EXPECT_FALSE(TJwsData::FileCheckBytes(Symbol({}).first(203)));
}

TEST(JwsHeader, FieldsAndLayerGroups) {
  JwsHeaderFields spec;
  TJwsData doc;
  ASSERT_TRUE(doc.FileHeaderInBytes(Symbol(spec).bytes()));
  EXPECT_EQ(doc.Enthd.jwID, u"JwsData");
  EXPECT_EQ(doc.Enthd.BasePoint_x, 1.5);
  EXPECT_EQ(doc.Enthd.BasePoint_y, -2.5);
  EXPECT_EQ(doc.Enthd.dmy06, 5);
  EXPECT_EQ(doc.Enthd.dmy16, 5.0);
  EXPECT_EQ(doc.Enthd.My2, 9.0);
  ASSERT_EQ(doc.EntLgrp.size(), 16u);
  for (std::size_t g = 0; g < 16; ++g) {
    EXPECT_EQ(doc.EntLgrp[g].anGLay, 2);
    EXPECT_EQ(doc.EntLgrp[g].anWriteLay, 0);
    EXPECT_EQ(doc.EntLgrp[g].anGLayProtect, 0);
    EXPECT_EQ(doc.EntLgrp[g].aStrGLayName, u"");
    EXPECT_EQ(doc.EntLgrp[g].adScale, 50.0 + static_cast<double>(g));
  }
  EXPECT_TRUE(doc.EntMoj.empty());
  // The checked last field: one byte of it is enough.
  EXPECT_TRUE(doc.FileHeaderInBytes(Symbol(spec).first(TJwsData::kHeaderBytes - 7)));
  EXPECT_FALSE(doc.FileHeaderInBytes(Symbol(spec).first(TJwsData::kHeaderBytes - 8)));
  EXPECT_EQ(doc.EntLgrp.size(), 16u);
}

TEST(JwsBody, VersionsAndEntities) {
  for (std::int32_t v : {230, 300, 350, 351, 419, 420, 700}) {
    JwsHeaderFields spec;
    spec.version = v;
    JwArchiveWriter w = Symbol(spec);
    w.Count(3).Line(LineOf(1, 2, 3, 4)).Moji(MojiOf(0, 0), "A\tB").Block(testing::BlockOf(4, 0, 0));
    w.Count(1).BlockDef(4, "sym", 1).Moji(MojiOf(0, 0), Txt::Utf16(u"内側"));
    TJwsData doc;
    ASSERT_TRUE(doc.FileInBytes(w.bytes())) << v;
    EXPECT_EQ(doc.readInfo.stopPos, w.size());
    if (v < 351) {
      // 13-byte attribute records: a line of 45 bytes after its 14-byte class tag.
      EXPECT_EQ(doc.EntLine[0].att.nPenWidth, 0);
    } else {
      EXPECT_EQ(doc.EntLine[0].att.nPenWidth, 7);
    }
    EXPECT_EQ(doc.EntLine[0].end_y, 4.0);
    EXPECT_EQ(doc.EntMoji[0].str, u"AB");
    ASSERT_EQ(doc.EntBlockDefN, 1);
    EXPECT_EQ(doc.EntBlockDef[0].mMoji[0].str, u"内側");
    EXPECT_TRUE(doc.MojiEncode);
    EXPECT_EQ(doc.EntBlockTreeN, 1);
    EXPECT_EQ(doc.EntBlockNum, 1);
  }
}

TEST(JwsBody, NoImageTableEvenAtVersion700) {
  JwsHeaderFields spec;
  spec.version = 700;
  JwArchiveWriter w = Symbol(spec);
  w.Count(0).Count(0);
  TJwsData doc;
  doc.BindImageExr = true;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.BindImageN, 0);
}

TEST(JwsBody, CutSymbolKeepsTexts) {
  JwArchiveWriter w = Symbol({});
  w.Count(2).Moji(MojiOf(0, 0), "kept").Moji(MojiOf(0, 0), "cut");
  TJwsData doc;
  EXPECT_FALSE(doc.FileInBytes(w.first(w.size() - 5)));
  EXPECT_EQ(doc.readInfo.status, TReadStatus::kStopped);
  ASSERT_EQ(doc.EntMojiN, 2);
  EXPECT_EQ(doc.EntMoji[0].str, u"kept");
  EXPECT_FALSE(doc.FileInBytes(Symbol({}).bytes()));  // the header alone
  EXPECT_EQ(doc.readInfo.stopPos, TJwsData::kHeaderBytes);
}

TEST(JwsFiles, CheckHeaderAndWholeFile) {
  testing::TempDir dir;
  JwArchiveWriter w = Symbol({});
  w.Count(1).Moji(MojiOf(0, 0), "t").Count(0);
  const auto path = Utf8ToStr(dir.Write("s.jws", w.bytes()).string());
  TJwsData doc;
  EXPECT_TRUE(doc.FileCheck(path));
  ASSERT_TRUE(doc.FileHeaderIn(path));
  EXPECT_EQ(doc.EntMojiN, 0);
  ASSERT_TRUE(doc.FileIn(path));
  EXPECT_EQ(doc.EntMojiN, 1);
  doc.DataFree();
  EXPECT_EQ(doc.EntMojiN, 0);
  EXPECT_TRUE(doc.EntLgrp.empty());
  EXPECT_FALSE(doc.FileCheck(path + u"x"));
  EXPECT_FALSE(doc.FileIn(path + u"x"));
  EXPECT_EQ(doc.readInfo.status, TReadStatus::kCannotOpen);
}

}  // namespace
}  // namespace glyphgrab

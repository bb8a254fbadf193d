#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "documents/jww_data.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

using testing::JwArchiveWriter;
using testing::JwwHeaderFields;
using testing::Txt;

std::vector<std::uint8_t> HeaderOnly(const JwwHeaderFields& spec) {
  JwArchiveWriter w(spec.version);
  WriteJwwHeader(w, spec);
  return w.bytes();
}

// A header, an empty entity list with one text (to show the header ended where it
// should), and no definitions.
std::vector<std::uint8_t> DrawingWithText(const JwwHeaderFields& spec, const Txt& text) {
  JwArchiveWriter w(spec.version);
  WriteJwwHeader(w, spec);
  w.Count(1).Moji(testing::MojiOf(0, 0), text).Count(0);
  return w.bytes();
}

TEST(JwwFileCheck, IdentificationAndVersionRange) {
  struct Case {
    std::string id;
    std::int32_t version;
    bool ok;
  } cases[] = {
      {"JwwData.", 220, true},  {"JwwData.", 700, true},   {"JwwData.", 600, true},
      {"JwwData.", 219, false}, {"JwwData.", 701, false},  {"JwwData.", -600, false},
      {std::string("JwwData\0", 8), 600, false},           {"JWWDATA.", 600, false},
      {"JwsData.", 600, false},
  };
  for (const Case& c : cases) {
    JwwHeaderFields spec;
    spec.id = c.id;
    spec.version = c.version;
    const auto bytes = HeaderOnly(spec);
    EXPECT_EQ(TJwwData::FileCheckBytes(bytes), c.ok) << c.id << ' ' << c.version;
    TJwwData doc;
    EXPECT_EQ(doc.FileHeaderInBytes(bytes), c.ok) << c.id << ' ' << c.version;
    EXPECT_EQ(doc.EntLay.size(), 256u);  // tables have their lengths even on failure
  }
  auto cut = HeaderOnly({});
  cut.resize(11);
  EXPECT_FALSE(TJwwData::FileCheckBytes(cut));
}

TEST(JwwFileCheck, ReadsFilesAndLeavesTheDocumentAlone) {
  testing::TempDir dir;
  JwwHeaderFields spec;
  spec.memo = Txt::Sjis(u"メモ");
  const auto path = Utf8ToStr(dir.Write("a.jww", DrawingWithText(spec, "t")).string());
  TJwwData doc;
  ASSERT_TRUE(doc.FileIn(path));
  EXPECT_TRUE(doc.FileCheck(path));
  EXPECT_EQ(doc.Enthd.strMemo, u"メモ");  // untouched by FileCheck
  EXPECT_FALSE(doc.FileCheck(Utf8ToStr(dir.folder()) + u"missing.jww"));
  EXPECT_FALSE(doc.FileCheck(Utf8ToStr(dir.folder())));

  ASSERT_TRUE(doc.FileHeaderIn(path));
  EXPECT_EQ(doc.Enthd.jwVer, 600);
  EXPECT_EQ(doc.EntMojiN, 0);  // the header only

  EXPECT_FALSE(doc.FileIn(Utf8ToStr(dir.folder()) + u"missing.jww"));
  EXPECT_EQ(doc.readInfo.status, TReadStatus::kCannotOpen);
  EXPECT_TRUE(doc.EntLay.empty());  // an unopened file leaves tables of length 0
}

TEST(JwwHeader, FileHeaderInReadsPastALongFirstChunk) {
  // Layer names long enough that the header exceeds the first chunk the reader takes.
  JwwHeaderFields spec;
  for (int k = 0; k < 256; ++k) spec.layerNames[k] = Txt(std::string(1000, static_cast<char>('a' + k % 26)));
  spec.layerNames[255] = Txt("last");
  testing::TempDir dir;
  const auto path = Utf8ToStr(dir.Write("long.jww", DrawingWithText(spec, "t")).string());
  TJwwData doc;
  ASSERT_TRUE(doc.FileHeaderIn(path));
  EXPECT_EQ(doc.EntLay[255].aStrLayName, u"last");
  EXPECT_EQ(doc.Enthd.adMojiKijunZureY2, 7.0);
}

// Every version rule of the header: the drawing reads completely, the text after the
// header is in place, and the version-dependent fields have their values.
TEST(JwwHeader, VersionRules) {
  for (std::int32_t v : {220, 222, 223, 224, 225, 229, 230, 231, 299, 300, 350, 351, 419, 420, 600, 700}) {
    JwwHeaderFields spec;
    spec.version = v;
    spec.memo = "memo";
    spec.colorNames[256] = "UD colour";
    spec.lineTypeNames[32] = "UD line";
    spec.layerNames[17] = "layer 1-1";
    spec.groupNames[15] = "group F";
    TJwwData doc;
    ASSERT_TRUE(doc.FileInBytes(DrawingWithText(spec, "after header"))) << v;
    ASSERT_EQ(doc.EntMojiN, 1) << v;
    EXPECT_EQ(doc.EntMoji[0].str, u"after header") << v;
    EXPECT_EQ(doc.Enthd.jwVer, v);
    EXPECT_EQ(doc.Enthd.strMemo, u"memo");
    EXPECT_EQ(doc.EntLay[17].aStrLayName, u"layer 1-1");
    EXPECT_EQ(doc.EntLgrp[15].aStrGLayName, u"group F");
    EXPECT_EQ(doc.EntLgrp[3].adScale, 100.0);
    EXPECT_EQ(doc.Enthd.adMojiKijunZureY2, 7.0) << v;
    EXPECT_EQ(doc.EntColS.size(), 257u);
    EXPECT_EQ(doc.EntLtpS.size(), 33u);
    EXPECT_EQ(doc.EntColS[256].astrUDColorName, v >= 420 ? u"UD colour" : u"") << v;
    EXPECT_EQ(doc.EntLtpS[32].astrUDLTypeName, v >= 420 ? u"UD line" : u"") << v;
    if (v <= 230) {
      // Four views without layer groups; the rest keep their defaults.
      EXPECT_EQ(doc.Enthd.dZoomJumpBairitsu[4], 2.0) << v;
      EXPECT_EQ(doc.Enthd.dZoomJumpBairitsu[5], 1.0) << v;
      EXPECT_EQ(doc.Enthd.nZoomJumpGLay[1], -1) << v;
    } else {
      EXPECT_EQ(doc.Enthd.dZoomJumpBairitsu[8], 2.0) << v;
      EXPECT_EQ(doc.Enthd.nZoomJumpGLay[8], 3) << v;
    }
  }
}

TEST(JwwHeader, MaxDrawWidthAndPrintValueDerivations) {
  struct Case {
    std::int32_t wid;
    bool haba100;
    std::int32_t bak;
  } cases[] = {{-450, true, -50}, {-500, true, -100}, {-401, true, -1},  {-400, true, -100},
               {-250, true, 50},  {-300, true, 100},  {-201, true, 1},   {-150, true, -100},
               {-101, true, -100}, {-100, false, -100}, {0, false, 0},   {5, false, 5}};
  for (const Case& c : cases) {
    JwwHeaderFields spec;
    spec.maxDrawWid = c.wid;
    TJwwData doc;
    ASSERT_TRUE(doc.FileHeaderInBytes(HeaderOnly(spec)));
    EXPECT_EQ(doc.Enthd.bSenHaba100, c.haba100) << c.wid;
    EXPECT_EQ(doc.Enthd.nMaxDrawWidBak, c.bak) << c.wid;
  }
  struct PrintCase {
    std::int32_t p, dpi, only;
  } prints[] = {{3602, 360, 2}, {-7, 0, -7}, {-3602, -360, -2}, {0, 0, 0}};
  for (const PrintCase& c : prints) {
    JwwHeaderFields spec;
    spec.printValue = c.p;
    TJwwData doc;
    ASSERT_TRUE(doc.FileHeaderInBytes(HeaderOnly(spec)));
    EXPECT_EQ(doc.Enthd.nPrtDpi, c.dpi) << c.p;
    EXPECT_EQ(doc.Enthd.nPrtDispOnlyNonDraw, c.only) << c.p;
  }
}

TEST(JwwHeader, NonFiniteTextSizesAreReplaced) {
  JwwHeaderFields spec;
  spec.mojiTypeWidth = std::numeric_limits<double>::quiet_NaN();
  spec.mojiSizeX = -std::numeric_limits<double>::infinity();
  TJwwData doc;
  ASSERT_TRUE(doc.FileHeaderInBytes(HeaderOnly(spec)));
  EXPECT_EQ(doc.EntMoj[9].adMojiX, 3.0);
  EXPECT_EQ(doc.EntMoj[9].adMojiY, 3.0);  // a finite value stays
  EXPECT_EQ(doc.EntMoj[9].adMojiD, 0.5);
  EXPECT_EQ(doc.Enthd.dMojiSizeX, 3.0);
}

TEST(JwwHeader, MemoKeepsLineBreaksNamesDoNot) {
  JwwHeaderFields spec;
  spec.memo = Txt::Sjis(u"一行目\r\n二行目");
  spec.layerNames[0] = "A\tB";
  spec.layerNames[1] = Txt("TNSN3   ");
  TJwwData doc;
  ASSERT_TRUE(doc.FileHeaderInBytes(HeaderOnly(spec)));
  EXPECT_EQ(doc.Enthd.strMemo, u"一行目\r\n二行目");
  EXPECT_EQ(doc.EntLay[0].aStrLayName, u"AB");
  EXPECT_EQ(doc.EntLay[1].aStrLayName, u"TNSN3   ");
  EXPECT_FALSE(doc.MojiEncode);

  spec.memo = Txt::Utf16(u"");  // an empty memo in the UTF-16 form
  ASSERT_TRUE(doc.FileHeaderInBytes(HeaderOnly(spec)));
  EXPECT_EQ(doc.Enthd.strMemo, u"");
  EXPECT_TRUE(doc.MojiEncode);
}

TEST(JwwHeader, CutHeaderKeepsWhatWasRead) {
  JwwHeaderFields spec;
  spec.memo = "kept";
  spec.layerNames[255] = "last layer";
  JwArchiveWriter w(spec.version);
  WriteJwwHeader(w, spec);
  const std::size_t full = w.bytes().size();
  // Header up to and including the group names: 8 + 4 + 5 + 8 + 16 * 148 + 56 + 20 + 4 +
  // 4 + 24 + 8 + 40 bytes, then 255 empty names, "last layer" and 16 empty group names.
  const std::size_t afterNames = 8 + 4 + 5 + 8 + 16 * 148 + 56 + 20 + 4 + 4 + 24 + 8 + 40 + 255 + 11 + 16;
  TJwwData doc;
  EXPECT_FALSE(doc.FileHeaderInBytes(w.first(afterNames)));
  EXPECT_EQ(doc.readInfo.status, TReadStatus::kStopped);
  EXPECT_EQ(doc.Enthd.strMemo, u"kept");
  EXPECT_EQ(doc.EntLay[255].aStrLayName, u"last layer");
  EXPECT_EQ(doc.EntCol.size(), 10u);
  // The last field needs only one byte to count as read.
  EXPECT_TRUE(doc.FileHeaderInBytes(w.first(full - 7)));
  EXPECT_FALSE(doc.FileHeaderInBytes(w.first(full - 8)));
}

TEST(JwwDocument, DataInitDefaults) {
  TJwwData doc;
  doc.BindImageFolder = u"/images/";
  doc.BindImageExr = true;
  ASSERT_TRUE(doc.FileInBytes(DrawingWithText({}, "x")));
  doc.DataInit();
  EXPECT_EQ(doc.Enthd.dPrtBairitsu, 1.0);
  EXPECT_EQ(doc.Enthd.dHanniBairitsu, 1.0);
  EXPECT_EQ(doc.Enthd.dZoomJumpBairitsu[8], 1.0);
  EXPECT_EQ(doc.Enthd.nZoomJumpGLay[1], -1);
  EXPECT_EQ(doc.Enthd.jwVer, 0);
  EXPECT_TRUE(doc.EntLay.empty());
  EXPECT_EQ(doc.EntMojiN, 0);
  EXPECT_TRUE(doc.EntMoji.empty());
  EXPECT_EQ(doc.BindImageFolder, u"/images/");
  EXPECT_TRUE(doc.BindImageExr);
}

}  // namespace
}  // namespace glyphgrab

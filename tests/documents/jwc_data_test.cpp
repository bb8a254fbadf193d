#include "documents/jwc_data.h"

#include <gtest/gtest.h>

#include "fixtures/dos_builder.h"
#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

using testing::Cut;
using testing::DosArc;
using testing::DosLine;
using testing::DosPoint;
using testing::DosText;
using testing::FullJwcDrawing;
using testing::JwcFixture;

std::string Str(const std::vector<std::uint8_t>& b) { return {b.begin(), b.end()}; }

TEST(JwcData, FullDrawingReadsEverySection) {
  const auto bytes = FullJwcDrawing().Build();
  TJwcData d;
  ASSERT_TRUE(d.FileInBytes(bytes));
  EXPECT_EQ(d.readInfo.stopPos, bytes.size());
  EXPECT_NE(d.readInfo.status, TReadStatus::kStopped);
  EXPECT_EQ(d.readInfo.undecodable, 0u);

  EXPECT_EQ(d.Enthd.comment1, u"平面図");
  EXPECT_EQ(d.Enthd.comment2, u"S=1/100");
  EXPECT_TRUE(d.Enthd.scaleF);
  EXPECT_EQ(d.Enthd.dataUnit, 1.0f);

  ASSERT_EQ(d.EntVten.size(), 101u);
  EXPECT_EQ(d.EntVten[100].x, 100.0f);
  EXPECT_EQ(d.EntVten[100].y, -100.0f);
  EXPECT_EQ(d.EntVten[100].lay, 100);
  ASSERT_EQ(d.EntMjtp.size(), 12u);
  EXPECT_EQ(d.EntMjtp[10], (TEntJwcMojiType{10, 30, 40, 1}));
  EXPECT_EQ(d.EntMjtp[11], TEntJwcMojiType{});
  ASSERT_EQ(d.EntLgrp.size(), 16u);
  EXPECT_EQ(d.EntLgrp[15].scale, 800.0f);
  EXPECT_EQ(d.EntLgrp[15].srchF, 1);
  EXPECT_EQ(d.EntLgrp[15].dispF, 2);
  EXPECT_EQ(d.EntLgrp[15].w_lay, 15);
  EXPECT_EQ(d.EntLgrp[1].name, u"一階平面");
  ASSERT_EQ(d.EntLay.size(), 256u);
  EXPECT_EQ(d.EntLay[200].srchF, 200);
  EXPECT_EQ(d.EntLay[200].dispF, 55);
  EXPECT_EQ(d.EntLay[0].name, u"壁");
  EXPECT_EQ(d.EntLay[17].name, u"ABCDEFGH");  // eight bytes without a zero byte
  EXPECT_EQ(d.EntLay[18].name, u"");

  ASSERT_EQ(d.lineN, 2);
  ASSERT_EQ(d.EntLine.size(), 2u);
  EXPECT_EQ(d.EntLine[1].x1, -5.0f);
  EXPECT_EQ(d.EntLine[1].y1, 6.5f);
  EXPECT_EQ(d.EntLine[1].lay, 255);
  EXPECT_EQ(d.EntLine[1].flg3, 3);
  ASSERT_EQ(d.arcN, 1);
  EXPECT_EQ(d.EntArc[0].r, 5.0f);
  EXPECT_EQ(d.EntArc[0].h, 0.5f);
  EXPECT_EQ(d.EntArc[0].st, 90.0f);
  EXPECT_EQ(d.EntArc[0].et, 180.0f);
  EXPECT_EQ(d.EntArc[0].tt, -45.0f);
  EXPECT_EQ(d.EntArc[0].lay, 18);
  ASSERT_EQ(d.mojiN, 2);
  EXPECT_EQ(d.EntMoji[0].s, u"玄関");
  EXPECT_EQ(d.EntMoji[0].p, 0x60000);
  EXPECT_EQ(d.EntMoji[1].s, u"W=1800");
  EXPECT_EQ(d.EntMoji[1].no, 5);
  EXPECT_EQ(d.EntMoji[1].lay, 33);
  EXPECT_EQ(d.EntMoji[1].flg1, 0x20);
  EXPECT_EQ(d.EntMoji[1].x2, 3.0f);
  ASSERT_EQ(d.tenN, 1);
  EXPECT_EQ(d.EntTen[0].x, 7.0f);
  EXPECT_EQ(d.EntTen[0].lay, 3);
  EXPECT_EQ(d.EntTen[0].flg2, 6);
}

TEST(JwcData, SixteenBitGroupScalesMoveEveryLaterSection) {
  JwcFixture f = FullJwcDrawing();
  f.id = "jw_cad(c)data.........g";
  const auto bytes16 = f.Build();
  EXPECT_EQ(FullJwcDrawing().Build().size() - bytes16.size(), 32u);
  TJwcData d;
  ASSERT_TRUE(d.FileInBytes(bytes16));
  EXPECT_FALSE(d.Enthd.scaleF);
  EXPECT_EQ(d.EntLgrp[15].scale, 800.0f);
  EXPECT_EQ(d.EntLgrp[15].w_lay, 15);
  EXPECT_EQ(d.EntLine[1].x1, -5.0f);
  EXPECT_EQ(d.EntMoji[1].s, u"W=1800");
  EXPECT_EQ(d.EntLgrp[1].name, u"一階平面");

  f.id = "jw_cad(c)data.......";  // no character 22 at all
  TJwcData shortId;
  ASSERT_TRUE(shortId.FileInBytes(f.Build()));
  EXPECT_FALSE(shortId.Enthd.scaleF);
}

TEST(JwcData, PaperSizeGivesTheUnitOfEveryCoordinate) {
  struct Case {
    int psize;
    double length;
  } cases[] = {{0, 1189},  {1, 841},    {2, 594},   {3, 420},  {4, 297},   {8, 1682},
               {9, 2378},  {10, 3364},  {11, 4756}, {12, 1e4}, {13, 5e4},  {14, 1e5},
               {5, 1000},  {6, 1000},   {7, 1000},  {-1, 1000}, {15, 1000}};
  for (const auto& c : cases) {
    JwcFixture f;
    f.block2[11] = std::to_string(c.psize);
    f.block2[30] = "1000";
    f.lines = {DosLine{1000, 500, 0, -1000}};
    f.arcs = {DosArc{1000, 0, 1000}};
    f.texts = {DosText{"a", 1000}};
    f.points = {DosPoint{1000, 0}};
    f.vtenX[0] = 1000;
    TJwcData d;
    ASSERT_TRUE(d.FileInBytes(f.Build())) << c.psize;
    const float unit = static_cast<float>(c.length / 1000);
    EXPECT_EQ(d.Enthd.dataUnit, unit) << c.psize;
    EXPECT_EQ(d.EntLine[0].x1, 1000 * unit) << c.psize;
    EXPECT_EQ(d.EntLine[0].y1, 500 * unit) << c.psize;
    EXPECT_EQ(d.EntLine[0].y2, -1000 * unit) << c.psize;
    EXPECT_EQ(d.EntArc[0].x, 1000 * unit) << c.psize;
    EXPECT_EQ(d.EntArc[0].r, 1000 * unit) << c.psize;
    EXPECT_EQ(d.EntMoji[0].x1, 1000 * unit) << c.psize;
    EXPECT_EQ(d.EntTen[0].x, 1000 * unit) << c.psize;
    EXPECT_EQ(d.EntVten[0].x, 1000 * unit) << c.psize;
  }
}

TEST(JwcData, ZeroDrawWidthMeans518) {
  JwcFixture f;
  f.block2[11] = "3";
  f.block2[30] = "0";
  f.lines = {DosLine{518, 0, 0, 0}};
  TJwcData d;
  ASSERT_TRUE(d.FileInBytes(f.Build()));
  EXPECT_EQ(d.Enthd.drawWidth, 518);
  EXPECT_EQ(d.Enthd.dataUnit, static_cast<float>(420.0 / 518));
  EXPECT_NEAR(d.EntLine[0].x1, 420.0f, 1e-3);
}

TEST(JwcData, ShortValueBlockLeavesTheRestZero) {
  JwcFixture f;
  f.block2Text = "3,0,0,0,0";
  f.lines = {DosLine{}, DosLine{}, DosLine{}};
  TJwcData d;
  ASSERT_TRUE(d.FileHeaderInBytes(f.Build()));
  EXPECT_EQ(d.Enthd.lineCount, 3);
  EXPECT_EQ(d.Enthd.curFno, 0);
  EXPECT_EQ(d.Enthd.psize, 0);
  EXPECT_EQ(d.Enthd.lpitch2, 0.0f);
  EXPECT_EQ(d.Enthd.drawWidth, 518);
  EXPECT_EQ(d.Enthd.dataUnit, static_cast<float>(1189.0 / 518));
  EXPECT_TRUE(d.EntLine.empty());  // the header read sizes nothing
}

TEST(JwcData, HeaderValuesLandInTheirFields) {
  JwcFixture f;
  for (int k = 0; k < 32; ++k) f.block2[static_cast<std::size_t>(k)] = std::to_string(k + 100);
  f.block2[0] = f.block2[1] = f.block2[2] = f.block2[3] = "0";
  f.block2[11] = "4";
  f.block2[9] = "2.5";
  for (int k = 0; k < 28; ++k) f.block3[static_cast<std::size_t>(k)] = std::to_string(k + 200);
  for (int k = 0; k < 22; ++k) f.block4[static_cast<std::size_t>(k)] = std::to_string(k + 300);
  f.autoCounts = false;
  f.autoArea = false;
  const auto bytes = f.Build();
  TJwcData d;
  ASSERT_TRUE(d.FileHeaderInBytes(bytes));
  const TEntJwcHeader& h = d.Enthd;
  EXPECT_EQ(h.vtenCount, 104);
  EXPECT_EQ(h.curMpcol, 108);
  EXPECT_EQ(h.wLayScale, 2.5f);
  EXPECT_EQ(h.wLayNo, 110);
  EXPECT_EQ(h.ltyp, 113);
  EXPECT_EQ(h.lpitch2, 117.0f);
  EXPECT_EQ(h.drawtime, 118);
  EXPECT_EQ(h.penWidth[0], 119);
  EXPECT_EQ(h.penWidth[5], 124);
  EXPECT_EQ(h.gridScale, 129.0f);
  EXPECT_EQ(h.drawWidth, 130);
  EXPECT_EQ(h.flgPthin, 131);  // the last value, blank filling trimmed
  EXPECT_EQ(h.dataUnit, static_cast<float>(297.0 / 130));
  EXPECT_EQ(h.mvDist, 200.0f);
  EXPECT_EQ(h.locMR, 204);
  EXPECT_EQ(h.mvKeta, 209);
  EXPECT_EQ(h.sOfsetYT, 215.0f);
  EXPECT_EQ(h.sOrgYm, 218);
  EXPECT_EQ(h.dlinDistB, 219.0f);
  EXPECT_EQ(h.dlinDist[4], 224.0f);
  EXPECT_EQ(h.svScrnScl, 227.0f);
  EXPECT_EQ(h.sBufAdr1, 0x300 * 16);  // "300" as the four-digit segment
  EXPECT_EQ(h.subZm0X, 302.0f);
  EXPECT_EQ(h.subZm4S, 316.0f);
  EXPECT_EQ(h.hiTaka, 319.0f);
  EXPECT_EQ(h.flgHok, 320);
  EXPECT_EQ(h.flg25Dm, 321);
  EXPECT_EQ(d.readInfo.stopPos, 800u);
}

TEST(JwcData, TextAddressesStayInsideTheStringArea) {
  JwcFixture f;
  f.areaStart = 0x60000;
  // Area: "AB\0CD" without a zero byte at the end.
  f.area = std::string("AB\0CD", 5);
  const std::int64_t start = f.areaStart;
  f.texts = {DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, start},      // first byte of the area
             DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, start + 3},  // last text without its zero
             DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, start + 1},  // inside a text
             DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, start},      // shared with the first
             DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, start - 1},  // before the area
             DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, start + 5},  // at its end
             DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, 0}};
  f.points = {DosPoint{9, 9}};
  TJwcData d;
  ASSERT_TRUE(d.FileInBytes(f.Build()));
  std::vector<std::u16string> got;
  for (const auto& m : d.EntMoji) got.push_back(m.s);
  EXPECT_EQ(got, (std::vector<std::u16string>{u"AB", u"CD", u"B", u"AB", u"", u"", u""}));
  EXPECT_EQ(d.EntTen[0].x, 9.0f);
}

TEST(JwcData, EqualAreaAddressesMeanNoStringArea) {
  JwcFixture f;
  f.texts = {DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, 0x60000}};
  f.area = "";
  f.points = {DosPoint{3, 4}};
  const auto bytes = f.Build();
  TJwcData d;
  ASSERT_TRUE(d.FileInBytes(bytes));
  EXPECT_EQ(d.Enthd.sBufAdr1, d.Enthd.sBufAdr2);
  EXPECT_EQ(d.EntMoji[0].s, u"");
  EXPECT_EQ(d.EntTen[0].y, 4.0f);  // points follow the text records directly
  EXPECT_EQ(d.readInfo.stopPos, bytes.size());
}

TEST(JwcData, NamesLoseControlCharactersAndKeepBlanks) {
  JwcFixture f;
  f.comment1 = "ABC      ";
  f.layerNames[0] = "A\tB";
  f.layerNames[1] = "        ";
  f.groupNames[0] = "GROUP NAME 16 BY";
  f.texts = {DosText{"x\ty\x01z"}};
  TJwcData d;
  ASSERT_TRUE(d.FileInBytes(f.Build()));
  EXPECT_EQ(d.Enthd.comment1, u"ABC      ");
  EXPECT_EQ(d.EntLay[0].name, u"AB");
  EXPECT_EQ(d.EntLay[1].name, u"        ");
  EXPECT_EQ(d.EntLgrp[0].name, u"GROUP NAME 16 BY");
  EXPECT_EQ(d.EntMoji[0].s, u"xyz");
}

TEST(JwcData, UndecodableBytesAreCounted) {
  JwcFixture f;
  f.texts = {DosText{"\x81\x20"}};  // a lead byte without a valid trail byte
  TJwcData d;
  ASSERT_TRUE(d.FileInBytes(f.Build()));
  EXPECT_GT(d.readInfo.undecodable, 0u);
}

// Every cut of a file: never a crash, arrays within what the bytes hold, counters within
// the arrays, and success exactly when every section delivered at least one byte.
TEST(JwcData, TruncationAnywhereKeepsTheDocumentConsistent) {
  const auto full = FullJwcDrawing().Build();
  const std::size_t lastNameStart = full.size() - 16;
  TJwcData d;
  for (std::size_t n = 0; n <= full.size(); ++n) {
    const auto bytes = Cut(full, n);
    const bool ok = d.FileInBytes(bytes);
    SCOPED_TRACE(n);
    EXPECT_EQ(ok, n > lastNameStart);
    EXPECT_EQ(d.readInfo.status == TReadStatus::kStopped, n < full.size());
    EXPECT_EQ(d.readInfo.stopPos, n);
    EXPECT_LE(d.EntLine.size(), 2u);
    EXPECT_LE(d.EntArc.size(), 1u);
    EXPECT_LE(d.EntMoji.size(), 2u);
    EXPECT_LE(d.EntTen.size(), 1u);
    EXPECT_LE(static_cast<std::size_t>(d.lineN), d.EntLine.size());
    EXPECT_LE(static_cast<std::size_t>(d.arcN), d.EntArc.size());
    EXPECT_LE(static_cast<std::size_t>(d.mojiN), d.EntMoji.size());
    EXPECT_LE(static_cast<std::size_t>(d.tenN), d.EntTen.size());
    if (n > 600) {
      // Once block 4 has begun, every fixed table has its full length. every fixed table has its full length.
      EXPECT_EQ(d.EntVten.size(), 101u);
      EXPECT_EQ(d.EntLay.size(), 256u);
      EXPECT_EQ(d.EntLgrp.size(), 16u);
      EXPECT_EQ(d.EntMjtp.size(), 12u);
    } else {
      EXPECT_TRUE(d.EntLay.empty());
      EXPECT_EQ(d.lineN, 0);
    }
    if (ok) {
      EXPECT_EQ(d.lineN, 2);
      EXPECT_EQ(d.tenN, 1);
      EXPECT_EQ(d.EntLgrp[1].name, u"一階平面");
    }
  }
}

TEST(JwcData, FailedReadKeepsWhatWasRead) {
  const JwcFixture f = FullJwcDrawing();
  const auto full = f.Build();
  // Cut in the middle of the second text record.
  const std::size_t textsStart = 2421 + 2 * 22 + 32;
  TJwcData d;
  ASSERT_FALSE(d.FileInBytes(Cut(full, textsStart + 24 + 10)));
  EXPECT_EQ(d.Enthd.comment1, u"平面図");
  EXPECT_EQ(d.lineN, 2);
  EXPECT_EQ(d.arcN, 1);
  EXPECT_EQ(d.mojiN, 2);  // the cut record was accepted with its missing bytes zero
  EXPECT_EQ(d.EntMoji[1].s, u"");
  EXPECT_EQ(d.EntMoji[1].no, 0);
  EXPECT_EQ(d.tenN, 0);
  EXPECT_TRUE(d.EntTen.empty());  // its section lies past the end of the data
  EXPECT_EQ(d.EntLay[0].name, u"");
  EXPECT_EQ(d.EntLay[200].srchF, 200);  // the flags come before the records

  // Header cut after block 1: the comments are there, nothing else.
  ASSERT_FALSE(d.FileHeaderInBytes(Cut(full, 200)));
  EXPECT_EQ(d.Enthd.comment2, u"S=1/100");
  EXPECT_EQ(d.Enthd.lineCount, 0);
  ASSERT_FALSE(d.FileInBytes(Cut(full, 200)));
  EXPECT_TRUE(d.EntVten.empty());
  // A partial block counts as read.
  EXPECT_TRUE(d.FileHeaderInBytes(Cut(full, 601)));
}

TEST(JwcData, CountsBeyondTheFileNeverAllocateBeyondIt) {
  // lineCount, arcCount, mojiCount, tenCount
  const std::string cases[] = {
      "2147483647,0,0,0", "0,2147483647,0,0", "0,0,2147483647,0", "1,1,1,2147483647",
      "2147483647,2147483647,2147483647,2147483647"};
  for (const auto& counts : cases) {
    JwcFixture f;
    f.block2Text = counts + ",0,1,1,1,1,1.0,0,3,2,1,0,0,5,10,0,1,1,1,1,1,1,5,5,0,0,1,420";
    f.lines = {DosLine{}};
    f.arcs = {DosArc{}};
    f.texts = {DosText{"a"}};
    f.points = {DosPoint{}};
    const auto bytes = f.Build();
    TJwcData d;
    EXPECT_FALSE(d.FileInBytes(bytes)) << counts;
    EXPECT_LE(d.EntLine.size(), bytes.size() / kJwcLineBytes) << counts;
    EXPECT_LE(d.EntArc.size(), bytes.size() / kJwcArcBytes) << counts;
    EXPECT_LE(d.EntMoji.size(), bytes.size() / kJwcMojiBytes) << counts;
    EXPECT_LE(d.EntTen.size(), bytes.size() / kJwcTenBytes) << counts;
  }
  // A section that starts past the end of the data gets no entries at all.
  JwcFixture f;
  f.block2Text = "2147483647,5,5,5,0,1,1,1,1,1.0,0,3,2,1,0,0,5,10,0,1,1,1,1,1,1,5,5,0,0,1,420";
  f.lines = {DosLine{}};
  const auto bytes = f.Build();
  TJwcData d;
  EXPECT_FALSE(d.FileInBytes(bytes));
  // Every byte after the fixed sections was taken for lines, the last one cut short.
  EXPECT_EQ(d.EntLine.size(), (bytes.size() - 2421 + 21) / 22);
  EXPECT_EQ(static_cast<std::size_t>(d.lineN), d.EntLine.size());
  EXPECT_TRUE(d.EntArc.empty() && d.EntMoji.empty() && d.EntTen.empty());
}

TEST(JwcData, NegativeCountFailsAndLeavesLaterArraysUnsized) {
  JwcFixture f = FullJwcDrawing();
  f.autoCounts = false;
  f.block2[0] = "2";
  f.block2[1] = "-1";
  f.block2[2] = "2";
  f.block2[3] = "1";
  TJwcData d;
  EXPECT_FALSE(d.FileInBytes(f.Build()));
  EXPECT_EQ(d.Enthd.arcCount, -1);
  EXPECT_EQ(d.EntVten.size(), 101u);
  EXPECT_EQ(d.EntLine.size(), 2u);
  EXPECT_TRUE(d.EntArc.empty());
  EXPECT_TRUE(d.EntMoji.empty());
  EXPECT_TRUE(d.EntTen.empty());
  EXPECT_EQ(d.lineN, 0);
}

TEST(JwcData, EveryReadStartsFromTheInitialState) {
  TJwcData d;
  const auto checkInitial = [&d] {
    EXPECT_TRUE(d.Enthd.scaleF);
    EXPECT_EQ(d.Enthd.psize, 3);
    EXPECT_EQ(d.Enthd.drawWidth, 518);
    EXPECT_EQ(d.Enthd.sBufAdr1, 393216);
    EXPECT_EQ(d.Enthd.dlinDist[4], 100.0f);
    EXPECT_EQ(d.Enthd.dataUnit, 1.0f);
    EXPECT_EQ(d.Enthd.comment1, u"");
    EXPECT_TRUE(d.EntVten.empty() && d.EntMjtp.empty() && d.EntLgrp.empty() && d.EntLay.empty());
    EXPECT_TRUE(d.EntLine.empty() && d.EntArc.empty() && d.EntMoji.empty() && d.EntTen.empty());
    EXPECT_EQ(d.lineN + d.arcN + d.mojiN + d.tenN, 0);
  };
  checkInitial();
  ASSERT_TRUE(d.FileInBytes(FullJwcDrawing().Build()));
  d.myMinWx = 5;
  d.DataFree();
  checkInitial();
  EXPECT_EQ(d.myMinWx, 5);  // extents belong to the drawing operations

  // A second file keeps nothing of the first.
  ASSERT_TRUE(d.FileInBytes(FullJwcDrawing().Build()));
  JwcFixture small;
  small.lines = {DosLine{1, 1, 1, 1}};
  ASSERT_TRUE(d.FileInBytes(small.Build()));
  EXPECT_EQ(d.EntLine.size(), 1u);
  EXPECT_TRUE(d.EntMoji.empty());
  EXPECT_EQ(d.EntLgrp[1].name, u"");
  EXPECT_EQ(d.Enthd.comment1, u"");
}

TEST(JwcData, FilesByName) {
  testing::TempDir dir;
  const auto jwc = dir.Write("a.jwc", Str(FullJwcDrawing().Build()));
  const auto sym = dir.Write("b.jwc", "jw_cad(c)sym........");
  const auto headerOnly = dir.Write("c.jwc", Str(Cut(FullJwcDrawing().Build(), 200)));
  const auto tiny = dir.Write("d.jwc", "jw_cad(c)data......");
  const auto path = [](const std::filesystem::path& p) { return Utf8ToStr(p.string()); };

  EXPECT_TRUE(TJwcData::FileCheck(path(jwc)));
  EXPECT_FALSE(TJwcData::FileCheck(path(sym)));
  EXPECT_FALSE(TJwcData::FileCheck(path(tiny)));
  EXPECT_FALSE(TJwcData::FileCheck(Utf8ToStr(dir.folder() + "missing.jwc")));
  EXPECT_FALSE(TJwcData::FileCheck(Utf8ToStr(dir.folder())));

  TJwcData d;
  ASSERT_TRUE(d.FileHeaderIn(path(jwc)));
  EXPECT_EQ(d.Enthd.comment1, u"平面図");
  EXPECT_EQ(d.Enthd.lineCount, 2);
  EXPECT_TRUE(d.EntLine.empty());
  ASSERT_TRUE(d.FileIn(path(jwc)));
  EXPECT_EQ(d.EntMoji[1].s, u"W=1800");

  EXPECT_TRUE(TJwcData::FileCheck(path(headerOnly)));  // the check looks at the start only
  EXPECT_FALSE(d.FileHeaderIn(path(headerOnly)));
  EXPECT_EQ(d.Enthd.comment2, u"S=1/100");
  EXPECT_FALSE(d.FileIn(Utf8ToStr(dir.folder() + "missing.jwc")));
  EXPECT_EQ(d.Enthd.comment2, u"");
}

}  // namespace
}  // namespace glyphgrab

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

#include <gtest/gtest.h>

#include "documents/jww_data.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

using testing::AttrOf;
using testing::JwArchiveWriter;
using testing::JwwHeaderFields;
using testing::LineOf;
using testing::MojiOf;
using testing::Txt;

JwArchiveWriter Drawing(std::int32_t version) {
  JwArchiveWriter w(version);
  JwwHeaderFields spec;
  spec.version = version;
  WriteJwwHeader(w, spec);
  return w;
}

TEntJwwTen PointOf(std::uint8_t style, double x) {
  TEntJwwTen t;
  t.att = AttrOf(style, 2);
  t.start_x = x;
  t.start_y = -x;
  t.bKariten = 1;
  t.nCode = 12;
  t.radKaitenKaku = 0.5;
  t.dBairitsu = 2.0;
  return t;
}

TEntJwwSunpo SunpoOf(std::uint8_t pointStyle) {
  TEntJwwSunpo s;
  s.att = AttrOf(1, 6, 2, 3);
  s.Sen = LineOf(0, 0, 100, 0);
  s.Moji = MojiOf(50, 1);
  s.bSxfMode = 2;
  s.Ho1 = LineOf(0, 0, 0, -5);
  s.Ho2 = LineOf(100, 0, 100, -5);
  s.Te1 = PointOf(pointStyle, 1);
  s.Te2 = PointOf(pointStyle, 2);
  s.Kt1 = PointOf(pointStyle, 3);
  s.Kt2 = PointOf(pointStyle, 4);
  return s;
}

// One entity of each kind, in the order of their kind numbers.
std::vector<std::uint8_t> EveryKind(std::int32_t version) {
  JwArchiveWriter w = Drawing(version);
  TEntJwwEnko e;
  e.att = AttrOf(1, 4);
  e.start_x = 5;
  e.dHankei = 2;
  e.radEnkoKaku = 3.14;
  e.dHenpeiRitsu = 1;
  e.bZenEnFlg = 1;
  TEntJwwSolid s;
  s.att = AttrOf(1, 10);
  s.DPoint3_y = 9;
  s.Color = 0x123456;
  w.Count(7)
      .Line(LineOf(1, 2, 3, 4))
      .Enko(e)
      .Ten(PointOf(100, 7))
      .Moji(MojiOf(10, 20), Txt::Sjis(u"文字"))
      .Sunpo(SunpoOf(100), "1,000")
      .Solid(s)
      .Block(testing::BlockOf(3, 1, 1));
  w.Count(0);
  return w.bytes();
}

TEST(JwwEntities, EveryKindReadsWithItsVersionRules) {
  for (std::int32_t v : {300, 350, 351, 419, 420, 600, 700}) {
    TJwwData doc;
    ASSERT_TRUE(doc.FileInBytes(EveryKind(v))) << v;
    ASSERT_EQ(doc.EntNo.size(), 7u);
    for (std::int32_t k = 0; k < 7; ++k) {
      EXPECT_EQ(doc.EntNo[static_cast<std::size_t>(k)].EntType, k + 1) << v;
      EXPECT_EQ(doc.EntNo[static_cast<std::size_t>(k)].EntNo, 0) << v;
    }
    ASSERT_EQ(doc.EntLineN, 1);
    const std::uint16_t width = v >= 351 ? 7 : 0;
    EXPECT_EQ(doc.EntLine[0].att.nPenWidth, width) << v;
    EXPECT_EQ(doc.EntLine[0].end_y, 4.0);
    ASSERT_EQ(doc.EntEnkoN, 1);
    EXPECT_EQ(doc.EntEnko[0].radEnkoKaku, 3.14);
    EXPECT_EQ(doc.EntEnko[0].bZenEnFlg, 1u);
    ASSERT_EQ(doc.EntTenN, 1);
    EXPECT_EQ(doc.EntTen[0].nCode, 12u);
    EXPECT_EQ(doc.EntTen[0].dBairitsu, 2.0);
    ASSERT_EQ(doc.EntMojiN, 1);
    EXPECT_EQ(doc.EntMoji[0].str, u"文字");
    EXPECT_EQ(doc.EntMoji[0].strFontName, u"MS Gothic");
    EXPECT_EQ(doc.EntMoji[0].att.nPenWidth, width);
    ASSERT_EQ(doc.EntSunpoN, 1);
    const TEntJwwSunpo& d = doc.EntSunpo[0];
    EXPECT_EQ(d.Moji.str, u"1,000");
    EXPECT_EQ(d.Sen.end_x, 100.0);
    if (v >= 420) {
      EXPECT_EQ(d.bSxfMode, 2);
      EXPECT_EQ(d.Ho2.start_x, 100.0);
      EXPECT_EQ(d.Kt2.start_x, 4.0);
      EXPECT_EQ(d.Kt2.nCode, 12u);
    } else {
      // Old dimensions end after the text: the auxiliary records copy the attribute.
      TEntJwwAttr plain = d.att;
      plain.nPenStyle = 0;
      EXPECT_EQ(d.bSxfMode, 0);
      EXPECT_EQ(d.Ho1.att, d.att) << v;
      EXPECT_EQ(d.Ho2.end_y, 0.0);
      EXPECT_EQ(d.Te1.att, plain) << v;
      EXPECT_EQ(d.Kt2.att, plain) << v;
      EXPECT_EQ(d.Kt2.start_x, 0.0);
    }
    ASSERT_EQ(doc.EntSolidN, 1);
    EXPECT_EQ(doc.EntSolid[0].Color, 0x123456u);
    EXPECT_EQ(doc.EntSolid[0].DPoint3_y, 9.0);
    ASSERT_EQ(doc.EntBlockN, 1);
    EXPECT_EQ(doc.EntBlock[0].nNumber, 3u);
    EXPECT_EQ(doc.readInfo.stopPos, EveryKind(v).size());
  }
}

TEST(JwwEntities, OldVersionLineTakesFortyFiveBytes) {
  JwArchiveWriter w = Drawing(300);
  const std::size_t before = w.size();
  w.Count(1).Line(LineOf(1, 2, 3, 4));
  // Count, new-class tag (2 + 2 + 2 + 8), then the line.
  EXPECT_EQ(w.size() - before, 2u + 14u + 45u);
  w.Count(0);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.EntLine[0].att.nPenWidth, 0);
  EXPECT_EQ(doc.EntLine[0].att.nLayer, 0);
  EXPECT_EQ(doc.EntLine[0].start_y, 2.0);
}

TEST(JwwEntities, OptionalPartsFollowPenStyleAndColour) {
  struct Case {
    std::uint8_t style;
    std::uint16_t color;
    std::uint32_t wantCode;
    std::uint32_t wantColor;
  } cases[] = {{100, 10, 12, 0x123456}, {5, 9, 0, 0}, {100, 9, 12, 0}, {5, 10, 0, 0x123456}};
  for (const Case& c : cases) {
    JwArchiveWriter w = Drawing(600);
    TEntJwwSolid s;
    s.att = AttrOf(1, c.color);
    s.Color = 0x123456;
    w.Count(3).Ten(PointOf(c.style, 1)).Solid(s).Line(LineOf(9, 9, 9, 9)).Count(0);
    TJwwData doc;
    ASSERT_TRUE(doc.FileInBytes(w.bytes()));
    EXPECT_EQ(doc.EntTen[0].nCode, c.wantCode);
    EXPECT_EQ(doc.EntTen[0].radKaitenKaku, c.style == 100 ? 0.5 : 0.0);
    EXPECT_EQ(doc.EntSolid[0].Color, c.wantColor);
    ASSERT_EQ(doc.EntLineN, 1);  // the bytes after them are in place
    EXPECT_EQ(doc.EntLine[0].start_x, 9.0);
  }
}

TEST(JwwEntities, DimensionPointsWithPlainStyleLoseTheirCode) {
  JwArchiveWriter w = Drawing(420);
  w.Count(1).Sunpo(SunpoOf(5), "12").Count(0);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.EntSunpo[0].Te1.nCode, 0u);
  EXPECT_EQ(doc.EntSunpo[0].Kt2.dBairitsu, 0.0);
  EXPECT_EQ(doc.EntSunpo[0].Kt2.bKariten, 1u);
}

TEST(JwwEntities, NonFiniteTextSizes) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  JwArchiveWriter w = Drawing(600);
  TEntJwwMoji m = MojiOf(0, 0);
  m.dSizeX = nan;
  m.dSizeY = inf;
  m.dKankaku = nan;
  m.degKakudo = nan;  // not replaced
  TEntJwwSunpo s = SunpoOf(5);
  s.Moji.dSizeY = -inf;
  w.Count(2).Moji(m, "t").Sunpo(s, "d").Count(0);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.EntMoji[0].dSizeX, 3.0);
  EXPECT_EQ(doc.EntMoji[0].dSizeY, 3.0);
  EXPECT_EQ(doc.EntMoji[0].dKankaku, 0.0);
  EXPECT_TRUE(std::isnan(doc.EntMoji[0].degKakudo));
  EXPECT_EQ(doc.EntSunpo[0].Moji.dSizeY, 3.0);
  EXPECT_EQ(doc.EntSunpo[0].Moji.dSizeX, 2.5);
}

TEST(JwwEntities, TextsInAllFourFormsAndMojiEncode) {
  const Txt texts[] = {Txt::Sjis(u"短い"), Txt::Sjis(u"長い形", true), Txt::Utf16(u"ユニ"),
                       Txt::Utf16(u"long ユニ", true), Txt(std::string(300, 'x'))};
  const std::u16string want[] = {u"短い", u"長い形", u"ユニ", u"long ユニ", std::u16string(300, u'x')};
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    JwArchiveWriter w = Drawing(700);
    w.Count(1).Moji(MojiOf(0, 0), texts[i], texts[i]).Count(0);
    TJwwData doc;
    ASSERT_TRUE(doc.FileInBytes(w.bytes())) << i;
    EXPECT_EQ(doc.EntMoji[0].str, want[i]) << i;
    EXPECT_EQ(doc.EntMoji[0].strFontName, want[i]) << i;
    EXPECT_EQ(doc.MojiEncode, texts[i].unicode) << i;
  }
}

TEST(JwwEntities, UndecodableBytesAreCountedAndReplaced) {
  JwArchiveWriter w = Drawing(600);
  w.Count(1).Moji(MojiOf(0, 0), Txt(std::string("A\x85\x40")), "font").Count(0);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_NE(doc.EntMoji[0].str.find(u'\uFFFD'), std::u16string::npos);
  EXPECT_GT(doc.readInfo.undecodable, 0u);
  doc.DataInit();
  EXPECT_EQ(doc.readInfo.undecodable, 0u);
}

TEST(JwwEntities, LongCountAndManyEntities) {
  JwArchiveWriter w = Drawing(600);
  const std::uint32_t n = 70000;
  w.Count(n, true);
  for (std::uint32_t i = 0; i < n; ++i) {
    if (i % 7 == 3) {
      w.Moji(MojiOf(i, 0), Txt(std::to_string(i)));
    } else {
      w.Line(LineOf(i, 0, i, 1));
    }
  }
  w.Count(0);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.Enthd.n1, 70000);
  EXPECT_EQ(doc.EntNo.size(), 70000u);
  EXPECT_EQ(doc.EntMojiN, 10000);
  EXPECT_EQ(doc.EntLineN, 60000);
  EXPECT_EQ(doc.EntLine.size(), 60000u);  // arrays end as long as their counts
  EXPECT_EQ(doc.EntMoji.size(), 10000u);
  EXPECT_EQ(doc.EntMoji[9999].str, u"69996");
  EXPECT_EQ(doc.EntNo[69996].EntType, kEntMoji);
  EXPECT_EQ(doc.EntNo[69996].EntNo, 9999);
  EXPECT_EQ(doc.EntNo[69999].EntNo, 59999);
}

TEST(JwwEntities, ClassReferencesInTheLongForm) {
  // A class first named after object 0x7FFF is referred to by the long tag form.
  JwArchiveWriter w = Drawing(600);
  const std::uint32_t lines = 0x7FFF;
  w.Count(lines + 2);
  for (std::uint32_t i = 0; i < lines; ++i) w.Line(LineOf(i, 0, 0, 0));
  w.Moji(MojiOf(0, 0), "first").Moji(MojiOf(0, 0), "second").Count(0);
  ASSERT_GE(w.classIndex(kEntMoji), 0x7FFF);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.EntLineN, static_cast<std::int32_t>(lines));
  ASSERT_EQ(doc.EntMojiN, 2);
  EXPECT_EQ(doc.EntMoji[1].str, u"second");
}

TEST(JwwEntities, TagsOfNoKnownKindArePassedOver) {
  JwArchiveWriter w = Drawing(600);
  w.Count(2).Line(LineOf(1, 0, 0, 0));
  w.w().U16(0x8063).U16(0x0001);  // stand for no registered class
  w.Line(LineOf(2, 0, 0, 0)).Count(0);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.EntLineN, 2);
  EXPECT_EQ(doc.EntLine[1].start_x, 2.0);
}

TEST(JwwEntities, UnknownClassNameStopsAndKeepsWhatCameBefore) {
  JwArchiveWriter w = Drawing(600);
  w.Count(3).Moji(MojiOf(0, 0), "before");
  w.NewClassTag("CDataHatch");
  w.w().Zeros(40);
  w.Count(1).BlockDef(1, "def", 0);
  TJwwData doc;
  EXPECT_FALSE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.readInfo.status, TReadStatus::kUnknownClass);
  ASSERT_EQ(doc.EntMojiN, 1);
  EXPECT_EQ(doc.EntMoji[0].str, u"before");
  EXPECT_EQ(doc.EntBlockDefN, 0);
}

// Two definitions, the first in the long time form, the second inserting the first;
// classes are first registered inside the definitions and referenced across lists.
std::vector<std::uint8_t> WithDefinitions(std::int32_t version) {
  JwArchiveWriter w = Drawing(version);
  w.Count(2).Line(LineOf(0, 0, 1, 1)).Block(testing::BlockOf(20, 5, 5));
  w.Count(2);
  w.BlockDef(10, "door@@SfigorgFlag@@4", 2, true, 77).Moji(MojiOf(0, 0), "in ten").Line(LineOf(0, 0, 2, 2));
  w.BlockDef(20, Txt::Utf16(u"窓"), 3, false, 555)
      .Moji(MojiOf(0, 0), Txt::Utf16(u"in twenty"))
      .Sunpo(SunpoOf(5), "99")
      .Block(testing::BlockOf(10, 1, 0));
  return w.bytes();
}

TEST(JwwDefinitions, ReadWithTheirOwnLists) {
  for (std::int32_t v : {300, 600, 700}) {
    const auto bytes = WithDefinitions(v);
    TJwwData doc;
    ASSERT_TRUE(doc.FileInBytes(bytes)) << v;
    EXPECT_EQ(doc.Enthd.n2, 2);
    ASSERT_EQ(doc.EntBlockDefN, 2);
    const TEntJwwBlockDef& d0 = doc.EntBlockDef[0];
    EXPECT_EQ(d0.nNumber, 10u);
    EXPECT_EQ(d0.dtime, 1u);  // the long time form: its position
    EXPECT_EQ(d0.strName, u"door@@SfigorgFlag@@4");
    EXPECT_EQ(d0.N, 2);
    ASSERT_EQ(d0.mMojiN, 1);
    EXPECT_EQ(d0.mMoji[0].str, u"in ten");
    EXPECT_EQ(d0.mLineN, 1);
    ASSERT_EQ(d0.mNo.size(), 2u);
    EXPECT_EQ(d0.mNo[1].EntType, kEntSen);
    const TEntJwwBlockDef& d1 = doc.EntBlockDef[1];
    EXPECT_EQ(d1.dtime, 555u);
    EXPECT_EQ(d1.strName, u"窓");
    ASSERT_EQ(d1.mMojiN, 1);
    EXPECT_EQ(d1.mMoji[0].str, u"in twenty");
    ASSERT_EQ(d1.mSunpoN, 1);
    EXPECT_EQ(d1.mSunpo[0].Moji.str, u"99");
    ASSERT_EQ(d1.mBlockN, 1);
    EXPECT_EQ(d1.mBlock[0].nNumber, 10u);
    // The drawing inserts 20, which inserts 10.
    ASSERT_EQ(doc.EntBlockTreeN, 2);
    EXPECT_EQ(doc.EntBlockTree[1].name, u"door@@SfigorgFlag@@4");
    EXPECT_EQ(doc.EntBlockTree[1].x, 6.0);
    EXPECT_EQ(doc.EntBlockNum, 2);
  }
}

TEST(JwwDefinitions, ImageCountAfterTheDefinitionsIsNotTrailingData) {
  JwArchiveWriter w(700);
  w.w().Raw(WithDefinitions(700));
  w.w().I32(0);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.readInfo.stopPos, w.size() - 4);  // switches off: the table is not read
}

// Cutting a drawing at every byte never fails hard: the texts before the cut stay and
// only the complete file reads as complete.
TEST(JwwTruncation, EveryCutKeepsWhatCameBefore) {
  const auto full = WithDefinitions(600);
  JwArchiveWriter header = Drawing(600);
  const std::size_t headerEnd = header.size();
  TJwwData doc;
  std::int32_t lastMoji = 0;
  // Cuts inside the header are covered by the header tests.
  for (std::size_t cut = headerEnd - 40; cut < full.size(); ++cut) {
    const std::vector<std::uint8_t> part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(doc.FileInBytes(part)) << cut;
    EXPECT_LE(doc.readInfo.stopPos, cut);
    EXPECT_EQ(doc.EntLine.size(), static_cast<std::size_t>(doc.EntLineN));
    if (cut < headerEnd) continue;
    EXPECT_EQ(doc.readInfo.status, TReadStatus::kStopped) << cut;
    std::int32_t texts = doc.EntMojiN;
    for (std::int32_t d = 0; d < doc.EntBlockDefN; ++d) texts += doc.EntBlockDef[static_cast<std::size_t>(d)].mMojiN;
    EXPECT_GE(texts, lastMoji) << cut;
    lastMoji = texts;
  }
  EXPECT_TRUE(doc.FileInBytes(full));
  EXPECT_EQ(lastMoji, 2);
}

TEST(JwwTruncation, DefinitionsAfterTheCutStayEmpty) {
  const auto full = WithDefinitions(600);
  // Cut right after the first definition's tag: its fixed part delivers nothing.
  JwArchiveWriter w = Drawing(600);
  w.Count(2).Line(LineOf(0, 0, 1, 1)).Block(testing::BlockOf(20, 5, 5));
  w.Count(2);
  const std::size_t cut = w.size() + 2 + 2 + 2 + 9;  // tag of CDataList
  TJwwData doc;
  EXPECT_FALSE(doc.FileInBytes(std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut))));
  EXPECT_EQ(doc.EntBlockDefN, 2);
  EXPECT_EQ(doc.EntBlockDef[0].strName, u"");
  EXPECT_EQ(doc.EntBlockDef[1].nNumber, 0u);
  EXPECT_EQ(doc.EntLineN, 1);
  EXPECT_EQ(doc.EntBlockTreeN, 1);  // the tree is built from what was read
  EXPECT_EQ(doc.EntBlockTree[0].defno, -1);

  // Cut inside the entity count n2: no definitions at all.
  EXPECT_FALSE(doc.FileInBytes(std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(w.size() - 2))));
  EXPECT_EQ(doc.EntBlockDefN, 0);
}

TEST(JwwTruncation, TextCutShortIsReportedAsStopped) {
  JwArchiveWriter w = Drawing(600);
  w.Count(1).Moji(MojiOf(0, 0), "abcdef");
  // No count of definitions, and the text lacks its last two bytes.
  const auto cut = w.first(w.size() - 2);
  TJwwData doc;
  EXPECT_FALSE(doc.FileInBytes(cut));
  ASSERT_EQ(doc.EntMojiN, 1);
  EXPECT_EQ(doc.EntMoji[0].str, u"abcd");
  EXPECT_EQ(doc.readInfo.stopPos, cut.size());
}

TEST(JwwHostile, HugeCountsDoNotAllocateWithoutBound) {
  struct Case {
    const char* name;
    std::function<void(JwArchiveWriter&)> body;
  };
  const Case cases[] = {
      {"n1", [](JwArchiveWriter& w) { w.Count(4'000'000'000u, true).Line(LineOf(0, 0, 0, 0)); }},
      {"n2", [](JwArchiveWriter& w) { w.Count(0).Count(4'000'000'000u, true); }},
      {"n2 below 2^31", [](JwArchiveWriter& w) { w.Count(0).Count(2'000'000'000u, true); }},
      {"N", [](JwArchiveWriter& w) { w.Count(0).Count(1).BlockDef(1, "x", 2'000'000'000u); }},
      {"text", [](JwArchiveWriter& w) { w.Count(1).Moji(MojiOf(0, 0), "t").w().U8(255).U16(0xFFFE).U8(255).U16(0xFFFF); }},
  };
  for (const Case& c : cases) {
    JwArchiveWriter w = Drawing(600);
    c.body(w);
    TJwwData doc;
    EXPECT_FALSE(doc.FileInBytes(w.bytes())) << c.name;
    EXPECT_LT(doc.EntNo.size(), 4096u) << c.name;
    EXPECT_LT(doc.EntBlockDef.size(), 4096u) << c.name;
    for (const auto& d : doc.EntBlockDef) EXPECT_LT(d.mNo.size(), 4096u) << c.name;
  }
}

TEST(JwwHostile, DamagedTailEndsTheTagLoop) {
  // The declared objects never come: every further read is at the end of the data.
  JwArchiveWriter w = Drawing(600);
  w.Count(60000).Line(LineOf(0, 0, 0, 0));
  w.w().U8(0x80);  // half a tag
  TJwwData doc;
  EXPECT_FALSE(doc.FileInBytes(w.bytes()));
  EXPECT_EQ(doc.EntLineN, 1);
}

// Images of a version-700 drawing: name, size, data.
std::vector<std::uint8_t> WithImages(const std::vector<std::pair<Txt, std::string>>& images) {
  JwArchiveWriter w = Drawing(700);
  w.Count(1).Moji(MojiOf(0, 0), "^@BMa.bmp.gz,1,1").Count(0);
  w.w().I32(static_cast<std::int32_t>(images.size()));
  for (const auto& [name, data] : images) {
    w.Text(name);
    w.w().I32(static_cast<std::int32_t>(data.size())).Raw(data);
  }
  return w.bytes();
}

TEST(JwwImages, SwitchesDecideWhatIsRead) {
  testing::TempDir dir;
  const auto bytes = WithImages({{"a.bmp.gz", "GZDATA"}, {"b.png", "PNG"}, {"", ""}});
  TJwwData doc;
  doc.BindImageFolder = Utf8ToStr(dir.folder());
  ASSERT_TRUE(doc.FileInBytes(bytes));
  EXPECT_EQ(doc.BindImageN, 0);
  EXPECT_EQ(doc.EntMoji[0].str, u"^@BMa.bmp.gz,1,1");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

  doc.BindImageExr = true;
  ASSERT_TRUE(doc.FileInBytes(bytes));
  ASSERT_EQ(doc.BindImageN, 3);
  EXPECT_EQ(doc.BindImage[1].Fname, u"b.png");
  EXPECT_EQ(doc.BindImage[1].Fsize, 3);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

  doc.BindImageExp = true;
  ASSERT_TRUE(doc.FileInBytes(bytes));
  EXPECT_EQ(doc.readInfo.stopPos, bytes.size());
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.path() / "a.bmp.gz"));
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "b.png"), 3u);

  // The unpacked counterpart of the .gz image, as a viewer would leave it.
  dir.Write("a.bmp", std::string("BMP"));
  dir.Write("keep.txt", std::string("x"));
  doc.BindImageDeleteGzFile();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.bmp.gz"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "a.bmp"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "b.png"));
  doc.BindImageDeleteNonGzFile();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.bmp"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "b.png"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "keep.txt"));
  doc.BindImageInit();
  EXPECT_EQ(doc.BindImageN, 0);
  EXPECT_TRUE(doc.BindImage.empty());
}

TEST(JwwImages, GzTestIgnoresCase) {
  testing::TempDir dir;
  TJwwData doc;
  doc.BindImageFolder = Utf8ToStr(dir.folder());
  doc.BindImageExp = true;
  ASSERT_TRUE(doc.FileInBytes(WithImages({{"A.BMP.GZ", "z"}})));
  dir.Write("A.BMP", std::string("b"));
  doc.BindImageDeleteGzFile();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "A.BMP.GZ"));
  doc.BindImageDeleteNonGzFile();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "A.BMP"));
}

TEST(JwwImages, NamesThatLeaveTheFolderAreSkipped) {
  testing::TempDir dir;
  const auto inner = dir.MakeDir("images");
  dir.Write("victim.txt", std::string("keep me"));
  TJwwData doc;
  doc.BindImageFolder = Utf8ToStr(inner.string() + "/");
  doc.BindImageExp = true;
  const auto bytes = WithImages({{"../victim.txt", "EVIL"},
                                 {"sub/x.png", "EVIL"},
                                 {"..", "EVIL"},
                                 {Txt(dir.path().string() + "/abs.png"), "EVIL"},
                                 {"..\\win.png", "EVIL"},
                                 {"ok.png", "GOOD"}});
  ASSERT_TRUE(doc.FileInBytes(bytes));
  ASSERT_EQ(doc.BindImageN, 6);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(doc.BindImage[static_cast<std::size_t>(i)].Fname, u"") << i;
  EXPECT_EQ(doc.BindImage[5].Fname, u"ok.png");
  EXPECT_EQ(std::filesystem::file_size(inner / "ok.png"), 4u);
  EXPECT_EQ(std::filesystem::file_size(dir.path() / "victim.txt"), 7u);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "abs.png"));
  doc.BindImageDeleteGzFile();
  doc.BindImageDeleteNonGzFile();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "victim.txt"));
  EXPECT_FALSE(std::filesystem::exists(inner / "ok.png"));
}

TEST(JwwImages, WriteFailureIsSwallowed) {
  TJwwData doc;
  doc.BindImageFolder = u"/nonexistent-folder-for-images/";
  doc.BindImageExp = true;
  EXPECT_TRUE(doc.FileInBytes(WithImages({{"a.png", "1234"}, {"b.png", "5678"}})));
  EXPECT_EQ(doc.BindImageN, 2);
}

TEST(JwwImages, HugeImageCountAndSize) {
  JwArchiveWriter w = Drawing(700);
  w.Count(0).Count(0);
  w.w().I32(2'000'000'000);
  w.Text("a.png").w().I32(2'000'000'000).Raw("short");
  TJwwData doc;
  doc.BindImageExr = true;
  EXPECT_FALSE(doc.FileInBytes(w.bytes()));
  EXPECT_LT(doc.BindImage.size(), 4096u);
}

}  // namespace
}  // namespace glyphgrab

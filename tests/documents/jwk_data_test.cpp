#include "documents/jwk_data.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "documents/jwc_data.h"
#include "fixtures/dos_builder.h"
#include "fixtures/temp_dir.h"
#include "util/codepage.h"
#include "util/file_bytes.h"

namespace glyphgrab {
namespace {

using testing::Cut;
using testing::DosArc;
using testing::DosLine;
using testing::DosPoint;
using testing::DosText;
using testing::FullJwkSymbol;
using testing::JwcFixture;
using testing::JwkFixture;

TEST(JwkData, FullSymbolReadsEverySectionUnscaled) {
  const auto bytes = FullJwkSymbol().Build();
  TJwkData d;
  ASSERT_TRUE(d.FileInBytes(bytes));
  EXPECT_EQ(d.readInfo.stopPos, bytes.size());
  EXPECT_NE(d.readInfo.status, TReadStatus::kStopped);
  EXPECT_EQ(d.Enthd.comment1, u"ドア");
  EXPECT_EQ(d.Enthd.comment2, u"W=800");
  ASSERT_EQ(d.lineN, 1);
  EXPECT_EQ(d.EntLine[0].x1, 518.0f);  // no paper unit in symbols
  EXPECT_EQ(d.EntLine[0].y1, -2.0f);
  EXPECT_EQ(d.EntLine[0].flg3, 6);
  ASSERT_EQ(d.arcN, 1);
  EXPECT_EQ(d.EntArc[0].h, 1.0f);
  EXPECT_EQ(d.EntArc[0].st, 0.0f);
  EXPECT_EQ(d.EntArc[0].et, 360.0f);
  EXPECT_EQ(d.EntArc[0].tt, 30.0f);
  ASSERT_EQ(d.tenN, 2);
  EXPECT_EQ(d.EntTen[0].x, 5.0f);
  EXPECT_EQ(d.EntTen[0].flg2, 10);
  EXPECT_EQ(d.EntTen[1].y, -1.0f);
  ASSERT_EQ(d.mojiN, 2);
  EXPECT_EQ(d.EntMoji[0].s, u"選択する");
  EXPECT_EQ(d.EntMoji[0].p, 0);
  EXPECT_EQ(d.EntMoji[0].no, 3);
  EXPECT_EQ(d.EntMoji[0].flg1, 2);
  EXPECT_EQ(d.EntMoji[0].y2, 4.0f);
  EXPECT_EQ(d.EntMoji[1].s, u"[.jws]");
  EXPECT_EQ(d.EntMoji[1].p, 9);
}

TEST(JwkData, ScaleOfZeroOrLessMeansOne) {
  struct Case {
    std::string last;
    float scale;
  } cases[] = {{"0", 1.0f}, {"-2", 1.0f}, {"1E-15", 1.0f}, {"0.5", 0.5f}, {"100", 100.0f}};
  for (const auto& c : cases) {
    for (const std::string& after : {std::string(), std::string(1, '\0')}) {
      JwkFixture f;
      f.block2Text = "0,0,0,0,0,0,1,0," + c.last + after;
      TJwkData d;
      ASSERT_TRUE(d.FileHeaderInBytes(f.Build())) << c.last;
      EXPECT_EQ(d.Enthd.scale, c.scale) << c.last;
    }
  }
}

TEST(JwkData, HeaderValuesLandInTheirFields) {
  JwkFixture f;
  f.block2Text = "1,2,3,4,5.5,-6.5,0.25,77,2";
  TJwkData d;
  ASSERT_TRUE(d.FileHeaderInBytes(f.Build()));
  const TEntJwkHeader& h = d.Enthd;
  EXPECT_EQ(h.lineCount, 1);
  EXPECT_EQ(h.arcCount, 2);
  EXPECT_EQ(h.tenCount, 3);
  EXPECT_EQ(h.mojiCount, 4);
  EXPECT_EQ(h.org_x, 5.5f);
  EXPECT_EQ(h.org_y, -6.5f);
  EXPECT_EQ(h.dispScale, 0.25f);
  EXPECT_EQ(h.strSpace, 77);
  EXPECT_EQ(h.scale, 2.0f);
  EXPECT_EQ(d.readInfo.stopPos, 400u);
  EXPECT_TRUE(d.EntLine.empty());
}

TEST(JwkData, TextPositionsStayInsideTheStringArea) {
  JwkFixture f;
  f.area = std::string("AB\0CD", 5);  // the last text without its zero byte
  f.texts = {DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, 0}, DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, 3},
             DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, 0}, DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, 5},
             DosText{"", 0, 0, 0, 0, 1, 0, 0, 0, 0xFFFF}};
  TJwkData d;
  ASSERT_TRUE(d.FileInBytes(f.Build()));
  std::vector<std::u16string> got;
  for (const auto& m : d.EntMoji) got.push_back(m.s);
  EXPECT_EQ(got, (std::vector<std::u16string>{u"AB", u"CD", u"AB", u"", u""}));
}

TEST(JwkData, StringAreaIsReadOnlyWhenTextsNeedIt) {
  // No string area declared: the texts are empty.
  JwkFixture none = FullJwkSymbol();
  none.area = "";
  TJwkData d;
  ASSERT_TRUE(d.FileInBytes(none.Build()));
  EXPECT_EQ(d.EntMoji[0].s, u"");

  // Symbols without texts declare an area they do not hold (as real files do).
  JwkFixture noTexts = FullJwkSymbol();
  noTexts.texts.clear();
  noTexts.autoStrSpace = false;
  noTexts.block2[7] = "100";
  const auto bytes = noTexts.Build();
  ASSERT_TRUE(d.FileInBytes(bytes));
  EXPECT_EQ(d.Enthd.strSpace, 100);
  EXPECT_EQ(d.readInfo.stopPos, bytes.size());
  EXPECT_NE(d.readInfo.status, TReadStatus::kStopped);

  // Texts whose area is missing fail the read.
  JwkFixture missing = FullJwkSymbol();
  const auto full = missing.Build();
  const std::size_t areaBytes = 9 + 7;
  EXPECT_FALSE(d.FileInBytes(Cut(full, full.size() - areaBytes)));
  EXPECT_EQ(d.mojiN, 2);
  EXPECT_EQ(d.EntMoji[1].s, u"");
  // A partial area is accepted: the texts it lacks are empty.
  ASSERT_TRUE(d.FileInBytes(Cut(full, full.size() - 7)));
  EXPECT_EQ(d.readInfo.status, TReadStatus::kStopped);
  EXPECT_EQ(d.EntMoji[0].s, u"選択する");
  EXPECT_EQ(d.EntMoji[1].s, u"");
}

TEST(JwkData, TextTypesAreTheDefaultOnes) {
  TJwkData d;
  ASSERT_EQ(d.EntMjtp.size(), 12u);
  EXPECT_EQ(d.EntMjtp[0], TEntJwcMojiType{});
  EXPECT_EQ(d.EntMjtp[1], (TEntJwcMojiType{1, 20, 20, 0}));
  EXPECT_EQ(d.EntMjtp[2], (TEntJwcMojiType{1, 25, 25, 5}));
  EXPECT_EQ(d.EntMjtp[3], (TEntJwcMojiType{2, 30, 30, 5}));
  EXPECT_EQ(d.EntMjtp[5], (TEntJwcMojiType{3, 50, 50, 10}));
  EXPECT_EQ(d.EntMjtp[10], (TEntJwcMojiType{5, 100, 100, 10}));
  EXPECT_EQ(d.EntMjtp[11], TEntJwcMojiType{});
  ASSERT_TRUE(d.FileInBytes(FullJwkSymbol().Build()));
  EXPECT_EQ(d.EntMjtp[3], (TEntJwcMojiType{2, 30, 30, 5}));
  d.DataFree();
  EXPECT_TRUE(d.EntMjtp.empty());
  EXPECT_TRUE(d.FileHeaderInBytes(FullJwkSymbol().Build()));
  EXPECT_EQ(d.EntMjtp.size(), 12u);  // every read starts with a full reset
}

TEST(JwkData, TruncationAnywhereKeepsTheDocumentConsistent) {
  const auto full = FullJwkSymbol().Build();
  const std::size_t areaStart = full.size() - 16;
  TJwkData d;
  for (std::size_t n = 0; n <= full.size(); ++n) {
    SCOPED_TRACE(n);
    const bool ok = d.FileInBytes(Cut(full, n));
    EXPECT_EQ(ok, n > areaStart);
    EXPECT_EQ(d.readInfo.stopPos, n);
    EXPECT_EQ(d.readInfo.status == TReadStatus::kStopped, n < full.size());
    EXPECT_LE(d.EntLine.size(), 1u);
    EXPECT_LE(d.EntArc.size(), 1u);
    EXPECT_LE(d.EntTen.size(), 2u);
    EXPECT_LE(d.EntMoji.size(), 2u);
    EXPECT_LE(static_cast<std::size_t>(d.lineN), d.EntLine.size());
    EXPECT_LE(static_cast<std::size_t>(d.arcN), d.EntArc.size());
    EXPECT_LE(static_cast<std::size_t>(d.tenN), d.EntTen.size());
    EXPECT_LE(static_cast<std::size_t>(d.mojiN), d.EntMoji.size());
    EXPECT_EQ(d.EntMjtp.size(), 12u);
    if (n < 201) {
      EXPECT_EQ(d.Enthd.lineCount, 0);
    }
  }
}

TEST(JwkData, HostileCountsAreBoundedByTheFile) {
  JwkFixture f = FullJwkSymbol();
  f.autoCounts = false;
  f.block2[0] = "2147483647";
  f.block2[1] = "2147483647";
  f.block2[2] = "-1";
  f.block2[3] = "2147483647";
  const auto bytes = f.Build();
  TJwkData d;
  EXPECT_FALSE(d.FileInBytes(bytes));
  EXPECT_EQ(d.EntLine.size(), (bytes.size() - 400 + 21) / 22);
  EXPECT_TRUE(d.EntArc.empty());  // its section starts past the end of the data
  EXPECT_TRUE(d.EntTen.empty());  // negative count: this array and the next stay unsized
  EXPECT_TRUE(d.EntMoji.empty());
  EXPECT_EQ(d.lineN, 0);  // sizing failed before any record was read

  f.block2[2] = "2";
  f.block2[3] = "2";
  f.block2[7] = "2147483647";  // an area far larger than the file
  f.block2[0] = "1";
  f.block2[1] = "1";
  f.autoStrSpace = false;
  ASSERT_TRUE(d.FileInBytes(f.Build()));
  EXPECT_EQ(d.readInfo.status, TReadStatus::kStopped);
  EXPECT_EQ(d.EntMoji[1].s, u"[.jws]");
}

TEST(JwkData, ChecksTellTheTwoGenerationsApart) {
  const auto jwk = FullJwkSymbol().Build();
  const auto jwc = JwcFixture{}.Build();
  EXPECT_TRUE(TJwkData::FileCheckBytes(jwk));
  EXPECT_FALSE(TJwkData::FileCheckBytes(jwc));
  EXPECT_FALSE(TJwcData::FileCheckBytes(jwk));
  EXPECT_FALSE(TJwkData::FileCheckBytes(Cut(jwk, 19)));

  testing::TempDir dir;
  const auto file = dir.Write("a.jwk", std::string(jwk.begin(), jwk.end()));
  const std::u16string path = Utf8ToStr(file.string());
  EXPECT_TRUE(TJwkData::FileCheck(path));
  EXPECT_FALSE(TJwkData::FileCheck(Utf8ToStr(dir.folder() + "missing.jwk")));
  TJwkData d;
  ASSERT_TRUE(d.FileHeaderIn(path));
  EXPECT_EQ(d.Enthd.mojiCount, 2);
  EXPECT_TRUE(d.EntMoji.empty());
  ASSERT_TRUE(d.FileIn(path));
  EXPECT_EQ(d.EntMoji[0].s, u"選択する");
}

// Real symbols: every one passes the check and reads completely.
TEST(JwkData, CorpusFilesReadCompletely) {
  const std::filesystem::path folder = std::filesystem::path(GLYPHGRAB_CORPUS_DIR) / "jwk";
  if (!std::filesystem::is_directory(folder))
    GTEST_SKIP() << "corpus folder " << folder << " not found; real JWK files not tested";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".jwk") continue;
    ++files;
    SCOPED_TRACE(entry.path().string());
    const std::u16string path = Utf8ToStr(entry.path().string());
    Bytes bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_TRUE(TJwkData::FileCheck(path));
    EXPECT_FALSE(TJwcData::FileCheck(path));
    TJwkData d;
    ASSERT_TRUE(d.FileHeaderIn(path));
    ASSERT_TRUE(d.FileIn(path));
    EXPECT_EQ(d.readInfo.stopPos, bytes.size());
    EXPECT_NE(d.readInfo.status, TReadStatus::kStopped);
    EXPECT_EQ(d.readInfo.undecodable, 0u);
    EXPECT_EQ(d.lineN, d.Enthd.lineCount);
    EXPECT_EQ(d.arcN, d.Enthd.arcCount);
    EXPECT_EQ(d.tenN, d.Enthd.tenCount);
    EXPECT_EQ(d.mojiN, d.Enthd.mojiCount);
    EXPECT_GT(d.lineN + d.arcN + d.tenN + d.mojiN, 0);
    for (const auto& m : d.EntMoji) EXPECT_FALSE(m.s.empty());
    if (entry.path().filename() == "004.jwk") {
      ASSERT_EQ(d.mojiN, 5);
      EXPECT_EQ(d.EntMoji[0].s, u"選択する");
      EXPECT_EQ(d.EntMoji[2].s, u"[.jws]");
      EXPECT_EQ(d.Enthd.comment1, std::u16string(32, u' '));
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace glyphgrab

#include <gtest/gtest.h>

#include "extract/extract_driver.h"
#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

using Lines = std::vector<std::u16string>;
using testing::JwArchiveWriter;
using testing::MojiOf;
using testing::Txt;

TEntJwwSunpo Dimension() {
  TEntJwwSunpo s;
  s.att = testing::AttrOf(1, 6);
  s.Sen = testing::LineOf(0, 0, 100, 0);
  s.Moji = MojiOf(50, 1);
  return s;
}

// A drawing with something in every section: memo of two lines, names, texts, a
// dimension and two block definitions (one marker in each letter case).
std::vector<std::uint8_t> FullDrawing(std::int32_t version = 600) {
  JwArchiveWriter w(version);
  testing::JwwHeaderFields spec;
  spec.version = version;
  spec.memo = "first\r\nsecond";
  spec.groupNames[0] = "GROUP";
  spec.layerNames[1] = "TNSN3   ";
  spec.layerNames[2] = Txt::Sjis(u"記号・ハッチ");
  spec.layerNames[3] = Txt::Sjis(u"記号・ﾊｯﾁ");
  spec.colorNames[0] = "RED";
  spec.colorNames[1] = "red";
  spec.lineTypeNames[0] = "dashed";
  testing::WriteJwwHeader(w, spec);
  w.Count(3).Moji(MojiOf(0, 0), "A").Moji(MojiOf(0, 0), Txt::Utf16(u" a b ")).Sunpo(Dimension(), "1,000");
  w.Count(2);
  w.BlockDef(1, "ABC@@SFIGORGFLAG@@123", 2).Moji(MojiOf(0, 0), "in block").Sunpo(Dimension(), "99");
  w.BlockDef(2, "door@@SfigorgFlag@@4", 0);
  return w.bytes();
}

OptFlags Opt(std::initializer_list<OptFlag> on) {
  OptFlags o{};
  for (OptFlag f : on) o[f] = true;
  return o;
}

class ExtractFilesTest : public ::testing::Test {
 protected:
  std::u16string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    dir_.Write(name, bytes);
    return NativeToPath(dir_.folder()) + NativeToPath(name);
  }
  Lines Extract(const std::vector<std::u16string>& paths, const OptFlags& opt) {
    ExtractionList list;
    ExtractFiles(paths, opt, docs_, list, nullptr, &reports_);
    return list.lines();
  }

  testing::TempDir dir_;
  TDocumentSet docs_;
  std::vector<ExtractFileReport> reports_;
};

TEST_F(ExtractFilesTest, JwwSectionsByOption) {
  const auto path = Put("plan.jww", FullDrawing());
  struct Case {
    const char* what;
    OptFlags opt;
    Lines lines;
  } cases[] = {
      {"texts only", Opt({}), {u"【plan.jww】", u"-----【文字内容】-----", u"A", u" a b "}},
      {"header information",
       Opt({kOptHeaderInfo}),
       {u"【plan.jww】", u"-----【図面メモ】-----", u"firstsecond", u"-----【レイヤ名】-----", u"GROUP",
        u"TNSN3   ", u"記号・ハッチ", u"記号・ﾊｯﾁ", u"-----【線色名】-----", u"RED",
        u"-----【線種名】-----", u"dashed", u"-----【文字内容】-----", u"A", u" a b "}},
      {"dimensions", Opt({kOptDimensions}),
       {u"【plan.jww】", u"-----【文字内容】-----", u"A", u" a b ", u"-----【寸法値内容】-----", u"1,000"}},
      {"blocks without dimensions", Opt({kOptBlocks}),
       {u"【plan.jww】", u"-----【文字内容】-----", u"A", u" a b ", u"-----【ブロック内】-----", u"ABC",
        u"in block", u"door"}},
      {"blocks with dimensions", Opt({kOptBlocks, kOptDimensions}),
       {u"【plan.jww】", u"-----【文字内容】-----", u"A", u" a b ", u"-----【寸法値内容】-----", u"1,000",
        u"-----【ブロック内】-----", u"ABC", u"in block", u"99", u"door"}},
      {"blanks removed", Opt({kOptRemoveBlanks}), {u"【plan.jww】", u"-----【文字内容】-----", u"A", u"ab"}},
      {"sorted: no header lines", Opt({kOptSort, kOptBlocks}),
       {u" a b ", u"A", u"ABC", u"door", u"in block"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Extract({path}, c.opt), c.lines) << c.what;
    EXPECT_EQ(reports_.at(0).outcome, ExtractFileReport::Outcome::kRead) << c.what;
  }
}

TEST_F(ExtractFilesTest, SecondFileAddsOnlyItsHeaderWhenItsTextsAreThere) {
  const auto a = Put("a.jww", testing::DrawingWithTexts({"A", "B"}));
  const auto b = Put("b.jww", testing::DrawingWithTexts({"a", "B"}));
  EXPECT_EQ(Extract({a, b}, Opt({})),
            (Lines{u"【a.jww】", u"-----【文字内容】-----", u"A", u"B", u"【b.jww】"}));
  // Sorted with a single line: nothing to sort, nothing else listed.
  const auto one = Put("one.jws", testing::SymbolWithTexts({"x"}));
  EXPECT_EQ(Extract({one}, Opt({kOptSort, kOptHeaderInfo})), (Lines{u"x"}));
}

TEST_F(ExtractFilesTest, SymbolHasNoHeaderSections) {
  const auto path = Put("sym.jws", testing::SymbolWithTexts({"S1"}));
  EXPECT_EQ(Extract({path}, Opt({kOptHeaderInfo})), (Lines{u"【sym.jws】", u"-----【文字内容】-----", u"S1"}));
}

TEST_F(ExtractFilesTest, DosDrawingsAndSymbols) {
  testing::JwcFixture jwc;
  jwc.comment1 = "ABC  ";
  jwc.comment2 = "DEF";
  jwc.groupNames[0] = "G0";
  jwc.layerNames[3] = "SAME";
  jwc.layerNames[20] = "same";
  jwc.texts = {{"text one"}, {"text two"}};
  const auto drawing = Put("d.jwc", jwc.Build());
  EXPECT_EQ(Extract({drawing}, Opt({kOptHeaderInfo})),
            (Lines{u"【d.jwc】", u"-----【図面メモ】-----", u"ABC  ", u"DEF", u"-----【レイヤ名】-----", u"G0",
                   u"SAME", u"-----【文字内容】-----", u"text one", u"text two"}));
  EXPECT_EQ(Extract({drawing}, Opt({})),
            (Lines{u"【d.jwc】", u"-----【文字内容】-----", u"text one", u"text two"}));

  testing::JwkFixture jwk;
  jwk.comment1 = "sym";
  jwk.texts = {{"K"}};
  const auto symbol = Put("s.jwk", jwk.Build());
  EXPECT_EQ(Extract({symbol}, Opt({kOptHeaderInfo})),
            (Lines{u"【s.jwk】", u"-----【図形メモ】-----", u"sym", u"-----【文字内容】-----", u"K"}));
}

TEST_F(ExtractFilesTest, BackupsOfEitherGeneration) {
  testing::JwcFixture jwc;
  jwc.texts = {{"dos"}};
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bytes;
    Lines lines;
  } cases[] = {
      {"old.bak", jwc.Build(), {u"【old.bak】", u"-----【文字内容】-----", u"dos"}},
      {"new.bak", testing::DrawingWithTexts({"win"}), {u"【new.bak】", u"-----【文字内容】-----", u"win"}},
      {"new.BK3", testing::DrawingWithTexts({"win"}), {u"【new.BK3】", u"-----【文字内容】-----", u"win"}},
      {"x.jw$", testing::DrawingWithTexts({"win"}), {u"【x.jw$】", u"-----【文字内容】-----", u"win"}},
      {"neither.bak", {'n', 'o', 'p', 'e'}, {u"【neither.bak】"}},
      {"other.dat", testing::DrawingWithTexts({"win"}), {u"【other.dat】"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Extract({Put(c.name, c.bytes)}, Opt({})), c.lines) << c.name;
}

TEST_F(ExtractFilesTest, MissingAndDamagedFiles) {
  const auto full = FullDrawing();
  const auto cut = Put("cut.jww", std::vector<std::uint8_t>(full.begin(), full.end() - 40));
  const auto missing = NativeToPath(dir_.folder()) + u"gone.jww";
  const auto fake = Put("fake.jws", {'J', 'w', 'w'});
  EXPECT_EQ(Extract({missing, fake, cut}, Opt({})),
            (Lines{u"【gone.jww】", u"【fake.jws】", u"【cut.jww】", u"-----【文字内容】-----", u"A", u" a b "}));
  ASSERT_EQ(reports_.size(), 3u);
  EXPECT_EQ(reports_[0].outcome, ExtractFileReport::Outcome::kCannotRead);
  EXPECT_EQ(reports_[1].outcome, ExtractFileReport::Outcome::kNotFormat);
  EXPECT_EQ(reports_[2].outcome, ExtractFileReport::Outcome::kStopped);
  EXPECT_GT(reports_[2].stopPos, 0u);
}

TEST_F(ExtractFilesTest, StopEndsTextFilesButNotDrawings) {
  const auto txt = Put("a.txt", std::vector<std::uint8_t>{'x', '\n', 'y', '\n'});
  const auto drawing = Put("d.jww", testing::DrawingWithTexts({"D"}));
  ExtractionList list;
  ExtractFiles({txt, drawing}, Opt({}), docs_, list, [] { return true; }, &reports_);
  EXPECT_EQ(list.lines(), (Lines{u"【a.txt】", u"【d.jww】", u"-----【文字内容】-----", u"D"}));
  EXPECT_EQ(reports_[0].outcome, ExtractFileReport::Outcome::kInterrupted);
}

TEST_F(ExtractFilesTest, ClickReadsTheSelectedNamesOfTheFolder) {
  ExtractionList list;
  list.ExtractAdd(u"kept");
  Put("a.jww", testing::DrawingWithTexts({"T"}));
  const std::u16string folder = RemoveTrailingDelim(NativeToPath(dir_.folder()));
  ListView1Click(folder, {u"a.jww"}, Opt({}), docs_, list, nullptr);
  EXPECT_EQ(list.lines(), (Lines{u"【a.jww】", u"-----【文字内容】-----", u"T"}));
  ListView1Click(folder, {}, Opt({}), docs_, list, nullptr);  // no selection
  EXPECT_TRUE(list.lines().empty());
}

}  // namespace
}  // namespace glyphgrab

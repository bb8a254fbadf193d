#include "render/render_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>

#include "documents/jww_data.h"
#include "fixtures/cli_run.h"
#include "fixtures/corpus_manifest.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "render/render_file.h"
#include "render/svg_writer.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;
using testing::JwArchiveWriter;

constexpr double kPi = std::numbers::pi;

// A drawing with a line, an arc, a text at 30 degrees and a block (one line) inserted
// twice: once as drawn, once doubled and turned a quarter.
RenderModel Sample() {
  JwArchiveWriter w(600);
  testing::WriteJwwHeader(w, {});
  w.Count(5);
  w.Line(testing::LineOf(0, 0, 100, 50));
  TEntJwwEnko arc;
  arc.att = testing::AttrOf(1, 5);
  arc.start_x = 20;
  arc.start_y = -10;
  arc.dHankei = 15;
  arc.radKaishiKaku = kPi / 2;
  arc.radEnkoKaku = kPi;
  arc.radKatamukiKaku = kPi / 6;
  arc.dHenpeiRitsu = 0.5;
  w.Enko(arc);
  TEntJwwMoji text = testing::MojiOf(-40, 30);
  text.degKakudo = 30;
  text.dSizeX = 4;
  text.dSizeY = 5;
  w.Moji(text, testing::Txt::Sjis(u"洋室\t1"));
  w.Block(testing::BlockOf(5, 10, 20));
  w.Block(testing::BlockOf(5, 100, 0, 2, 2, kPi / 2));
  w.Count(1);
  w.BlockDef(5, "door", 1);
  w.Line(testing::LineOf(0, 0, 10, 0));
  TJwwData doc;
  EXPECT_TRUE(doc.FileInBytes(w.bytes()));
  return RenderDrawing(doc);
}

TEST(RenderModel, PrimitivesInPaperMillimetres) {
  const RenderModel m = Sample();
  EXPECT_EQ(m.paperName, u"A1");  // the header writes sheet 1
  EXPECT_EQ(m.paperWidth, 841);
  ASSERT_EQ(m.items.size(), 5u);
  const struct {
    const char* what;
    RenderKind kind;
    RenderPoint a, b;
  } lines[] = {
      {"the drawing's line", RenderKind::kLine, {0, 0}, {100, 50}},
      {"the block as drawn", RenderKind::kLine, {10, 20}, {20, 20}},
      {"the block doubled and turned", RenderKind::kLine, {100, 0}, {100, 20}},
  };
  const RenderPrimitive* found[3] = {&m.items[0], &m.items[3], &m.items[4]};
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(lines[k].what);
    EXPECT_EQ(found[k]->kind, lines[k].kind);
    EXPECT_NEAR(found[k]->a.x, lines[k].a.x, 1e-9);
    EXPECT_NEAR(found[k]->a.y, lines[k].a.y, 1e-9);
    EXPECT_NEAR(found[k]->b.x, lines[k].b.x, 1e-9);
    EXPECT_NEAR(found[k]->b.y, lines[k].b.y, 1e-9);
  }
  const RenderPrimitive& arc = m.items[1];
  EXPECT_EQ(arc.kind, RenderKind::kArc);
  EXPECT_EQ(arc.pen, 5);
  EXPECT_EQ(arc.a, (RenderPoint{20, -10}));
  EXPECT_EQ(arc.radius, 15);
  EXPECT_EQ(arc.start, kPi / 2);
  EXPECT_EQ(arc.sweep, kPi);
  EXPECT_EQ(arc.flatness, 0.5);
  EXPECT_EQ(arc.tilt, kPi / 6);
  const RenderPrimitive& text = m.items[2];
  EXPECT_EQ(text.kind, RenderKind::kText);
  EXPECT_EQ(text.a, (RenderPoint{-40, 30}));
  EXPECT_EQ(text.angle, 30);
  EXPECT_EQ(text.sizeY, 5);
  EXPECT_EQ(text.text, u"洋室1");  // as the extraction list shows it
  EXPECT_EQ(text.font, u"MS Gothic");
}

TEST(RenderModel, MarksTextsAsTheListShowsThem) {
  const RenderModel m = Sample();
  const RenderPrimitive& text = m.items[2];
  for (const std::u16string mark : {u"洋室1", u"洋室\t1", u"洋室1"}) {
    EXPECT_TRUE(TextMatches(text, mark));
  }
  EXPECT_FALSE(TextMatches(text, u"洋室"));
  EXPECT_FALSE(TextMatches(m.items[0], u""));
  // The box of a text at 30 degrees holds its start and leans up to the right.
  RenderPoint min, max;
  TextBox(text, min, max);
  EXPECT_LE(min.x, text.a.x);
  EXPECT_LE(min.y, text.a.y);
  EXPECT_GT(max.y, text.a.y + 5);
  const std::string svg = RenderSvg(m, u"洋室1", 800);
  EXPECT_NE(svg.find("class=\"mark\""), std::string::npos);
  EXPECT_NE(svg.find(">洋室1</text>"), std::string::npos);
  EXPECT_NE(svg.find("width=\"800\" height=\"565\""), std::string::npos);
  EXPECT_EQ(CountMarked(m, u"洋室1"), 1u);
}

// Hostile coordinates are skipped, not drawn, and texts are escaped.
TEST(RenderModel, SkipsWhatCannotBeDrawnAndEscapes) {
  JwArchiveWriter w(600);
  testing::WriteJwwHeader(w, {});
  w.Count(4);
  w.Line(testing::LineOf(std::nan(""), 0, 1, 1));
  w.Line(testing::LineOf(0, 0, 1e300, 1));
  w.Line(testing::LineOf(0, 0, 1, 1));
  w.Moji(testing::MojiOf(1, 1), "<a & \"b\">");
  w.Count(0);
  TJwwData doc;
  ASSERT_TRUE(doc.FileInBytes(w.bytes()));
  RenderModel m = RenderDrawing(doc);
  ASSERT_EQ(m.items.size(), 2u);
  EXPECT_NE(RenderSvg(m).find("&lt;a &amp; &quot;b&quot;&gt;"), std::string::npos);
  // Characters XML does not allow at all are left out, so the document stays valid.
  for (RenderPrimitive& p : m.items) {
    if (!p.text.empty()) p.text = u"a\uFFFFb\uFFFE\u0001c";
  }
  const std::string svg = RenderSvg(m);
  EXPECT_NE(svg.find(">abc<"), std::string::npos) << svg;
  EXPECT_EQ(svg.find("\xEF\xBF\xBF"), std::string::npos);
}

// Every .svg file in the folder parses as XML (one Python run for them all).
bool XmlParses(const fs::path& folder) {
  const std::string command =
      "python3 -c \"import glob, sys, xml.etree.ElementTree as E; [E.parse(f) for f in glob.glob(sys.argv[1] + '/*.svg')]\" '" +
      folder.string() + "'";
  return std::system(command.c_str()) == 0;
}

// Every real drawing and symbol renders, its SVG parses as XML, and each text's box
// holds its start.
TEST(RenderModel, EveryCorpusFileRenders) {
  const fs::path corpus = GLYPHGRAB_CORPUS_DIR;
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "corpus folder not found: " << corpus;
  const bool python = std::system("python3 -c pass 2>/dev/null") == 0;
  const auto manifest = testing::CorpusManifestSizes(corpus);
  testing::TempDir dir;
  int files = 0;
  for (const char* sub : {"jww", "jws", "jwc", "jwk"}) {
    for (const auto& entry : fs::directory_iterator(corpus / sub)) {
      SCOPED_TRACE(entry.path().string());
      const RenderFileResult r = RenderFile(Utf8ToStr(entry.path().string()));
      const bool damaged = testing::IsDamagedCorpusCopy(manifest, entry.path());
      EXPECT_EQ(r.outcome, damaged ? RenderFileResult::Outcome::kStopped : RenderFileResult::Outcome::kRead);
      EXPECT_FALSE(r.model.truncated);
      for (const RenderPrimitive& p : r.model.items) {
        if (p.kind != RenderKind::kText) continue;
        RenderPoint min, max;
        TextBox(p, min, max);
        EXPECT_TRUE(min.x <= p.a.x && p.a.x <= max.x && min.y <= p.a.y && p.a.y <= max.y);
      }
      ++files;
      const fs::path svg = dir.path() / (std::to_string(files) + ".svg");
      EXPECT_EQ(testing::RunCli({"render", entry.path().string(), "-o", svg.string()}).status, 0);
    }
  }
  EXPECT_GE(files, 394);
  if (python) {
    EXPECT_TRUE(XmlParses(dir.path()));
  } else {
    std::printf("note: python3 not found: the SVGs were not parsed\n");
  }
}

RenderModel CorpusModel(const char* file) {
  const RenderFileResult r = RenderFile(Utf8ToStr((fs::path(GLYPHGRAB_CORPUS_DIR) / file).string()));
  EXPECT_EQ(r.outcome, RenderFileResult::Outcome::kRead) << file;
  return r.model;
}

// The box around what a model draws, texts by their boxes.
void ContentBox(const RenderModel& m, RenderPoint& lo, RenderPoint& hi) {
  lo = {1e300, 1e300};
  hi = {-1e300, -1e300};
  const auto take = [&](RenderPoint p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
  };
  for (const RenderPrimitive& p : m.items) {
    take(p.a);
    if (p.kind == RenderKind::kLine) take(p.b);
    if (p.kind == RenderKind::kText) {
      RenderPoint min, max;
      TextBox(p, min, max);
      take(min), take(max);
    }
  }
}

// The corpus holds one drawing saved by Jw_cad in both generations: the two previews
// must lie the same on the same sheet, text for text.
TEST(RenderModel, DosDrawingLiesOnItsSheetAsItsWindowsTwin) {
  if (!fs::is_directory(GLYPHGRAB_CORPUS_DIR)) GTEST_SKIP() << "corpus folder not found";
  const RenderModel jww = CorpusModel("jww/008.jww"), jwc = CorpusModel("jwc/002.jwc");
  EXPECT_EQ(jwc.paperName, jww.paperName);
  EXPECT_EQ(jwc.paperWidth, jww.paperWidth);
  RenderPoint lo1, hi1, lo2, hi2;
  ContentBox(jww, lo1, hi1);
  ContentBox(jwc, lo2, hi2);
  // The DOS generation stores single floats: a tenth of a millimetre is close enough.
  EXPECT_NEAR(lo1.x, lo2.x, 0.1);
  EXPECT_NEAR(lo1.y, lo2.y, 0.1);
  EXPECT_NEAR(hi1.x, hi2.x, 0.1);
  EXPECT_NEAR(hi1.y, hi2.y, 0.1);
  EXPECT_GE(lo2.x, -jwc.paperWidth / 2);
  EXPECT_LE(hi2.y, jwc.paperHeight / 2);
  for (const RenderPrimitive& t : jwc.items) {
    if (t.kind != RenderKind::kText) continue;
    SCOPED_TRACE(StrToUtf8(t.text));
    const auto twin = std::find_if(jww.items.begin(), jww.items.end(), [&](const RenderPrimitive& p) {
      return p.text == t.text && std::hypot(p.a.x - t.a.x, p.a.y - t.a.y) < 0.1;
    });
    EXPECT_NE(twin, jww.items.end());
  }
}

// A symbol has no sheet: it is framed by what it draws, and a JWK's texts (paper
// millimetres) keep their size against its geometry (real lengths at its scale).
TEST(RenderModel, SymbolIsFramedByItsContents) {
  if (!fs::is_directory(GLYPHGRAB_CORPUS_DIR)) GTEST_SKIP() << "corpus folder not found";
  for (const char* file : {"jwk/002.jwk", "jwk/004.jwk", "jws/001.jws", "jws/002.jws"}) {
    SCOPED_TRACE(file);
    const RenderModel m = CorpusModel(file);
    EXPECT_EQ(m.paperName, u"");
    RenderPoint lo, hi;
    ContentBox(m, lo, hi);
    const RenderPoint min = FrameMin(m), max = FrameMax(m);
    EXPECT_TRUE(min.x <= lo.x && min.y <= lo.y && hi.x <= max.x && hi.y <= max.y);
    // Tight: the contents reach at least 80 % across the frame one way or the other.
    EXPECT_GE(std::max((hi.x - lo.x) / m.paperWidth, (hi.y - lo.y) / m.paperHeight), 0.8);
  }
  // Five 3 mm lines of text, one under the other.
  const RenderModel lines = CorpusModel("jwk/004.jwk");
  std::vector<double> baselines;
  for (const RenderPrimitive& p : lines.items) {
    if (p.kind == RenderKind::kText) baselines.push_back(p.a.y);
  }
  ASSERT_EQ(baselines.size(), 5u);
  std::sort(baselines.begin(), baselines.end());
  for (std::size_t k = 1; k < baselines.size(); ++k) {
    EXPECT_GT(baselines[k] - baselines[k - 1], 3);
    EXPECT_LT(baselines[k] - baselines[k - 1], 6);
  }
}

TEST(RenderCli, ExitCodesAsTheOtherCommands) {
  testing::TempDir dir;
  const std::string txt = (dir.path() / "a.txt").string();
  dir.Write("a.txt", "x");
  const std::string fake = (dir.path() / "b.jww").string();
  dir.Write("b.jww", "not a drawing");
  const std::string out = (dir.path() / "o.svg").string();
  EXPECT_EQ(testing::RunCli({"render", (dir.path() / "gone.jww").string(), "-o", out}).status, 2);
  EXPECT_EQ(testing::RunCli({"render", txt, "-o", out}).status, 2);
  EXPECT_EQ(testing::RunCli({"render", fake, "-o", out}).status, 2);
  EXPECT_EQ(testing::RunCli({"render", fake}).status, 2);                           // no -o
  EXPECT_EQ(testing::RunCli({"render", "--width", "0", fake, "-o", out}).status, 2);  // bad width
  EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace glyphgrab

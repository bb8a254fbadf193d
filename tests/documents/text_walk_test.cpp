#include "documents/text_walk.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "documents/file_kind.h"
#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

using testing::JwArchiveWriter;
using testing::MojiOf;
using Labels = std::vector<std::string>;

const char* FieldName(TextField f) {
  switch (f) {
    case TextField::kMemo: return "memo";
    case TextField::kLayerGroupName: return "group";
    case TextField::kLayerName: return "layer";
    case TextField::kPenColourName: return "colour";
    case TextField::kLineTypeName: return "linetype";
    case TextField::kText: return "text";
    case TextField::kDimensionText: return "dim";
    case TextField::kBlockName: return "block";
    case TextField::kBlockText: return "blocktext";
    case TextField::kBlockDimensionText: return "blockdim";
  }
  return "?";
}

// Records "field:text" for every text that is not empty; `enter` and `stopAfter` decide
// which sections are taken and after how many texts (empty ones included) the walk ends.
struct Recorder final : TextVisitor {
  std::function<bool(TextSection)> enter = [](TextSection) { return true; };
  std::size_t stopAfter = SIZE_MAX;
  std::size_t visits = 0;
  Labels labels;

  bool Enter(TextSection s) override { return enter(s); }
  bool Visit(TextField f, std::u16string_view text) override {
    ++visits;
    if (!text.empty()) labels.push_back(std::string(FieldName(f)) + ":" + StrToUtf8(text));
    return visits < stopAfter;
  }
};

TEntJwwSunpo Dimension() {
  TEntJwwSunpo s;
  s.Sen = testing::LineOf(0, 0, 100, 0);
  s.Moji = MojiOf(50, 1);
  return s;
}

std::vector<std::uint8_t> Drawing() {
  JwArchiveWriter w(600);
  testing::JwwHeaderFields spec;
  spec.memo = "memo";
  spec.groupNames[1] = "G1";
  spec.layerNames[16] = "L1-0";
  spec.layerNames[31] = "L1-15";
  spec.colorNames[3] = "pink";
  spec.lineTypeNames[2] = "dashed";
  testing::WriteJwwHeader(w, spec);
  w.Count(2).Moji(MojiOf(0, 0), "T").Sunpo(Dimension(), "D");
  w.Count(1).BlockDef(1, "B@@sfigorgflag@@9", 2).Moji(MojiOf(0, 0), "BT").Sunpo(Dimension(), "BD");
  return w.bytes();
}

std::vector<std::uint8_t> Symbol() {
  JwArchiveWriter w(600);
  testing::WriteJwsHeader(w, {});
  w.Count(2).Moji(MojiOf(0, 0), "ST").Sunpo(Dimension(), "SD");
  w.Count(1).BlockDef(1, "SB", 1).Sunpo(Dimension(), "SBD");
  return w.bytes();
}

std::vector<std::uint8_t> DosDrawing() {
  testing::JwcFixture f;
  f.comment1 = "c1";
  f.comment2 = "c2";
  f.groupNames[2] = "g2";
  f.layerNames[32] = "l2-0";
  f.texts.push_back({.text = "jt"});
  return f.Build();
}

std::vector<std::uint8_t> DosSymbol() {
  testing::JwkFixture f;
  f.comment1 = "k1";
  f.texts.push_back({.text = "kt"});
  return f.Build();
}

struct KindCase {
  const char* name;
  FileKind kind;
  std::vector<std::uint8_t> bytes;
  Labels labels;
};

std::vector<KindCase> Kinds() {
  return {
      {"jww", FileKind::kJww, Drawing(),
       {"memo:memo", "group:G1", "layer:L1-0", "layer:L1-15", "colour:pink", "linetype:dashed", "text:T", "dim:D",
        "block:B", "blocktext:BT", "blockdim:BD"}},
      {"jws", FileKind::kJws, Symbol(), {"text:ST", "dim:SD", "block:SB", "blockdim:SBD"}},
      {"jwc", FileKind::kJwc, DosDrawing(), {"memo:c1", "memo:c2", "group:g2", "layer:l2-0", "text:jt"}},
      {"jwk", FileKind::kJwk, DosSymbol(), {"memo:k1", "text:kt"}},
  };
}

// Every field of every kind, in the order of the extraction list: a field dropped from
// the walk would vanish from extraction and search alike.
TEST(TextWalk, EveryFieldOfEachKindInOrder) {
  for (const KindCase& c : Kinds()) {
    TDocumentSet docs;
    const DocKind doc = ReadDocument(c.kind, c.bytes, docs);
    ASSERT_TRUE(ReadInfoOf(docs, doc).complete()) << c.name;
    Recorder r;
    EXPECT_TRUE(WalkTexts(docs, doc, r)) << c.name;
    EXPECT_EQ(r.labels, c.labels) << c.name;
  }
}

// Search ends the walk at its first match: no text is visited after a visitor said stop,
// wherever that falls.
TEST(TextWalk, AStopEndsTheWalkAtOnce) {
  for (const KindCase& c : Kinds()) {
    TDocumentSet docs;
    const DocKind doc = ReadDocument(c.kind, c.bytes, docs);
    Recorder all;
    WalkTexts(docs, doc, all);
    for (std::size_t n = 1; n <= all.visits; ++n) {
      Recorder r;
      r.stopAfter = n;
      EXPECT_FALSE(WalkTexts(docs, doc, r)) << c.name << " stop after " << n;
      EXPECT_EQ(r.visits, n) << c.name << " stop after " << n;
    }
  }
}

// A skipped section costs only itself: the sections after it are still walked, and the
// block section is offered only to a document that has definitions.
TEST(TextWalk, SkippedSectionsLeaveTheOthers) {
  TDocumentSet docs;
  ASSERT_EQ(ReadDocument(FileKind::kJww, Drawing(), docs), DocKind::kJww);
  Recorder r;
  r.enter = [](TextSection s) { return s == TextSection::kLineTypeNames || s == TextSection::kBlocks; };
  WalkTexts(docs.Of<TJwwData>(), r);
  EXPECT_EQ(r.labels, (Labels{"linetype:dashed", "block:B", "blocktext:BT", "blockdim:BD"}));

  ASSERT_EQ(ReadDocument(FileKind::kJww, testing::DrawingWithTexts({"x"}), docs), DocKind::kJww);
  std::vector<TextSection> entered;
  r.enter = [&](TextSection s) {
    entered.push_back(s);
    return false;
  };
  WalkTexts(docs.Of<TJwwData>(), r);
  EXPECT_EQ(entered, (std::vector<TextSection>{TextSection::kDrawingMemo, TextSection::kLayerNames,
                                               TextSection::kPenColourNames, TextSection::kLineTypeNames,
                                               TextSection::kTexts, TextSection::kDimensionTexts}));
}

}  // namespace
}  // namespace glyphgrab

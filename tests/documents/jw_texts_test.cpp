// The text reader against the whole reader: for every drawing and symbol the walk gives
// the same texts in the same order, and a read ends at the same byte with the same
// status and the same count of undecodable bytes, also for every cut of the data. One
// reader serves every case in turn, as a walk over many files uses it.
#include "documents/jw_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "documents/text_walk.h"
#include "fixtures/jww_builder.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

using testing::AttrOf;
using testing::JwArchiveWriter;
using testing::LineOf;
using testing::MojiOf;
using testing::Txt;

// Every section entered and every text visited, empty ones included: a definition left
// empty by a stop still counts.
struct Trace final : TextVisitor {
  std::vector<std::string> items;
  bool Enter(TextSection s) override {
    items.push_back("section " + std::to_string(static_cast<int>(s)));
    return true;
  }
  bool Visit(TextField f, std::u16string_view text) override {
    items.push_back(std::to_string(static_cast<int>(f)) + ":" + StrToUtf8(text));
    return true;
  }
};

template <typename Doc>
void ExpectSameAsWholeRead(TJwTexts& reader, DocKind kind, ByteSpan bytes, const std::string& what) {
  Doc doc;
  const bool whole = doc.FileInBytes(bytes);
  const bool texts = reader.Read(kind, bytes);
  EXPECT_EQ(texts, whole) << what;
  EXPECT_EQ(reader.readInfo().status, doc.readInfo.status) << what;
  EXPECT_EQ(reader.readInfo().stopPos, doc.readInfo.stopPos) << what;
  EXPECT_EQ(reader.readInfo().undecodable, doc.readInfo.undecodable) << what;
  Trace a, b;
  WalkTexts(doc, a);
  WalkTexts(reader, b);
  EXPECT_EQ(b.items, a.items) << what;
}

void ExpectSame(TJwTexts& reader, DocKind kind, ByteSpan bytes, const std::string& what) {
  if (kind == DocKind::kJww) {
    ExpectSameAsWholeRead<TJwwData>(reader, kind, bytes, what);
  } else {
    ExpectSameAsWholeRead<TJwsData>(reader, kind, bytes, what);
  }
}

TEntJwwTen PointOf(std::uint8_t style) {
  TEntJwwTen t;
  t.att = AttrOf(style, 1);
  t.nCode = 7;
  t.dBairitsu = 1;
  return t;
}

// Undecodable in code page 932: a lead byte whose row holds no character.
const std::string kBadSjis = "\x85\x40\x85\x41";

// Every entity kind, with the variants that change an entity's size: points of pen style
// 100, solids of pen colour 10, dimensions with such points, texts in all stored forms
// (control characters, undecodable bytes in the font name), definitions with the long
// time form and without entities.
void WriteBody(JwArchiveWriter& w) {
  TEntJwwSunpo dim;
  dim.att = AttrOf(1, 4);
  dim.Sen = LineOf(0, 0, 10, 0);
  dim.Moji = MojiOf(5, 1);
  dim.Te1 = PointOf(100);
  dim.Kt2 = PointOf(100);
  TEntJwwSolid plain, coloured;
  plain.att = AttrOf(1, 9);
  coloured.att = AttrOf(1, 10);
  coloured.Color = 0x123456;
  TEntJwwEnko arc;
  arc.att = AttrOf(1, 2);
  w.Count(12)
      .Line(LineOf(0, 0, 1, 1))
      .Enko(arc)
      .Ten(PointOf(5))
      .Ten(PointOf(100))
      .Moji(MojiOf(0, 0), "plain")
      .Moji(MojiOf(0, 1), Txt::Sjis(u"洋室\t（６帖）", true), Txt(kBadSjis))
      .Sunpo(dim, "1,800", Txt(kBadSjis))
      .Solid(plain)
      .Solid(coloured)
      .Moji(MojiOf(0, 2), Txt::Utf16(u"ﾊｯﾁ\r\nＡ", true), Txt::Utf16(u"ＭＳ ゴシック"))
      .Block(testing::BlockOf(1, 0, 0));
  // A tag that stands for no known kind is passed over without counting.
  w.w().U16(0x8000 + 999);
  w.Moji(MojiOf(0, 3), "last");
  w.Count(3);
  w.BlockDef(1, Txt::Utf16(u"部品@@SfigorgFlag@@4"), 4, true, 5)
      .Line(LineOf(0, 0, 1, 0))
      .Moji(MojiOf(0, 0), Txt::Sjis(u"部品名"))
      .Sunpo(dim, "W=600")
      .Ten(PointOf(100));
  w.BlockDef(2, "empty", 0);
  w.BlockDef(3, "B3", 2).Solid(coloured).Moji(MojiOf(0, 0), "in B3");
}

std::vector<std::uint8_t> Drawing(std::int32_t version) {
  JwArchiveWriter w(version);
  testing::JwwHeaderFields fields;
  fields.version = version;
  fields.memo = "memo\r\nline 2";
  fields.layerNames[17] = "L1-1";
  fields.groupNames[1] = Txt(kBadSjis);
  fields.colorNames[3] = "pink";
  fields.lineTypeNames[2] = "dashed";
  testing::WriteJwwHeader(w, fields);
  WriteBody(w);
  if (version >= 700) w.w().I32(0);  // no embedded images
  return w.bytes();
}

std::vector<std::uint8_t> Symbol(std::int32_t version) {
  JwArchiveWriter w(version);
  testing::WriteJwsHeader(w, {.version = version});
  WriteBody(w);
  return w.bytes();
}

struct Case {
  std::string name;
  DocKind kind;
  std::vector<std::uint8_t> bytes;
  std::size_t headerEnd;  // where the body starts
};

std::vector<Case> Cases() {
  std::vector<Case> cases;
  // 300: the short fixed parts of old files; 400: dimensions end after their text.
  for (const std::int32_t v : {300, 400, 600, 700}) {
    cases.push_back({"jww " + std::to_string(v), DocKind::kJww, Drawing(v), 0});
    cases.push_back({"jws " + std::to_string(v), DocKind::kJws, Symbol(v), 0});
  }
  for (Case& c : cases) {
    if (c.kind == DocKind::kJww) {
      TJwwData d;
      d.FileHeaderInBytes(c.bytes);
      c.headerEnd = d.readInfo.stopPos;
    } else {
      TJwsData d;
      d.FileHeaderInBytes(c.bytes);
      c.headerEnd = d.readInfo.stopPos;
    }
  }
  return cases;
}

TEST(JwTexts, WholeFilesGiveTheWholeReadersTexts) {
  TJwTexts reader;
  for (const Case& c : Cases()) {
    ExpectSame(reader, c.kind, c.bytes, c.name);
    EXPECT_TRUE(reader.readInfo().complete()) << c.name;
    EXPECT_GT(reader.readInfo().undecodable, 0u) << c.name;
    EXPECT_EQ(reader.definitions().size(), 3u) << c.name;
  }
}

// A cut anywhere in the body (and at a sample of places in the header) ends both reads
// at the same byte with the same texts: the texts before the cut, a text cut short, a
// dimension dropped with its text when its last point is missing, definitions left empty.
TEST(JwTexts, EveryCutStopsWhereTheWholeReaderStops) {
  TJwTexts reader;
  for (const Case& c : Cases()) {
    for (std::size_t n = 0; n < c.bytes.size(); n += n + 40 < c.headerEnd ? 37 : 1) {
      ExpectSame(reader, c.kind, ByteSpan(c.bytes).first(n), c.name + " cut at " + std::to_string(n));
      if (::testing::Test::HasFailure()) return;
    }
  }
}

// Damage that the reader must survive as the whole reader does: an unknown class name, a
// count far beyond the data, a definition count beyond it.
TEST(JwTexts, DamagedBodiesStopAsTheWholeReaderStops) {
  TJwTexts reader;
  for (const Case& c : Cases()) {
    std::vector<std::vector<std::uint8_t>> damaged;
    {
      auto b = c.bytes;
      b.resize(c.headerEnd);
      JwArchiveWriter w(600);
      w.Count(3).Moji(MojiOf(0, 0), "before");
      w.NewClassTag("CDataXyz");
      w.w().Zeros(40);
      b.insert(b.end(), w.bytes().begin(), w.bytes().end());
      damaged.push_back(b);
    }
    {
      auto b = c.bytes;
      b[c.headerEnd] = 0xFF;  // a long count follows
      b[c.headerEnd + 1] = 0xFF;
      b.insert(b.begin() + static_cast<std::ptrdiff_t>(c.headerEnd) + 2, {0xFF, 0xFF, 0xFF, 0x7F});
      damaged.push_back(b);
    }
    for (std::size_t k = 0; k < 200; ++k) {
      // Single bytes changed through the body, one at a time.
      auto b = c.bytes;
      const std::size_t at = c.headerEnd + (k * 7919) % (b.size() - c.headerEnd);
      b[at] = static_cast<std::uint8_t>(b[at] ^ (k % 2 ? 0xFF : 0x80));
      damaged.push_back(b);
    }
    for (std::size_t k = 0; k < damaged.size(); ++k) {
      ExpectSame(reader, c.kind, damaged[k], c.name + " damage " + std::to_string(k));
    }
  }
}

TEST(JwTexts, CorpusFilesGiveTheWholeReadersTexts) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  std::error_code ec;
  for (const char* folder : {"jww", "jws"}) {
    for (const auto& e : fs::directory_iterator(fs::path(GLYPHGRAB_CORPUS_DIR) / folder, ec)) files.push_back(e.path());
  }
  if (files.empty()) GTEST_SKIP() << "corpus folder " << GLYPHGRAB_CORPUS_DIR << " is absent: skipped";
  std::sort(files.begin(), files.end());
  TJwTexts reader;
  for (const fs::path& p : files) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const std::string raw = s.str();
    const Bytes bytes(raw.begin(), raw.end());
    ExpectSame(reader, p.extension() == ".jww" ? DocKind::kJww : DocKind::kJws, bytes, p.string());
  }
}

}  // namespace
}  // namespace glyphgrab

#include "documents/file_kind.h"

#include <gtest/gtest.h>

#include <string>

#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

std::string Name(std::u16string_view ext) { return ext.empty() ? "(none)" : StrToUtf8(ext); }

TEST(FileKind, ByExtension) {
  const struct {
    std::u16string_view ext;
    FileKind kind;
  } cases[] = {
      {u".jww", FileKind::kJww},     {u".jw$", FileKind::kJwwBackup}, {u".jws", FileKind::kJws},
      {u".jwc", FileKind::kJwc},     {u".jwk", FileKind::kJwk},       {u".bak", FileKind::kBackup},
      {u".bk1", FileKind::kBackup},  {u".bk10", FileKind::kBackup},   {u".bkx", FileKind::kBackup},
      {u".bk", FileKind::kBackup},   {u".txt", FileKind::kTxt},       {u".csv", FileKind::kCsv},
      {u".htm", FileKind::kHtml},    {u".html", FileKind::kHtml},     {u".jw", FileKind::kOther},
      {u".jwwx", FileKind::kOther},  {u".b", FileKind::kOther},       {u"", FileKind::kOther},
  };
  for (const auto& c : cases) EXPECT_EQ(FileKindOf(c.ext), c.kind) << Name(c.ext);
}

// Extraction and the preview take every ".bk…" as a drawing of either generation; the
// file list reads only ".bak" and ".bk1" to ".bk9" in code-unit order, and only as JWW.
TEST(FileKind, TheTwoBackupRules) {
  const DocReaders readers = ReadersOf(FileKindOf(u".bkx"));
  ASSERT_EQ(readers.count, 2u);
  EXPECT_EQ(readers.kinds[0], DocKind::kJwc);
  EXPECT_EQ(readers.kinds[1], DocKind::kJww);

  const struct {
    std::u16string_view ext;
    DocKind header;
  } cases[] = {
      {u".bak", DocKind::kJww}, {u".bk1", DocKind::kJww}, {u".bk5", DocKind::kJww},
      {u".bk9", DocKind::kJww}, {u".bk10", DocKind::kJww}, {u".bkx", DocKind::kNone},
      {u".bk", DocKind::kNone}, {u".bk0", DocKind::kNone}, {u".jw$", DocKind::kJww},
      {u".jww", DocKind::kJww}, {u".jws", DocKind::kJws}, {u".jwc", DocKind::kJwc},
      {u".jwk", DocKind::kJwk}, {u".txt", DocKind::kNone}, {u".html", DocKind::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(ListHeaderDocument(c.ext), c.header) << Name(c.ext);
}

TEST(FileKind, SearchReadsOneDocumentWithoutTheCheck) {
  EXPECT_EQ(DocumentOf(FileKind::kJww), DocKind::kJww);
  EXPECT_EQ(DocumentOf(FileKind::kJwwBackup), DocKind::kJww);
  EXPECT_EQ(DocumentOf(FileKind::kJwk), DocKind::kJwk);
  EXPECT_EQ(DocumentOf(FileKind::kBackup), DocKind::kNone);  // its generation needs the check
  EXPECT_EQ(DocumentOf(FileKind::kTxt), DocKind::kNone);
}

TEST(FileKind, ABackupIsReadByTheFirstGenerationWhoseCheckPasses) {
  testing::JwcFixture jwc;
  jwc.comment1 = "dos";
  const auto jww = testing::DrawingWithTexts({"win"});
  const auto symbol = testing::SymbolWithTexts({"sym"});
  TDocumentSet docs;

  EXPECT_EQ(ReadDocument(FileKind::kBackup, jwc.Build(), docs), DocKind::kJwc);
  EXPECT_TRUE(docs.Of<TJwcData>().readInfo.complete());
  EXPECT_EQ(docs.Of<TJwcData>().Enthd.comment1, u"dos");

  EXPECT_EQ(ReadDocument(FileKind::kBackup, jww, docs), DocKind::kJww);
  EXPECT_TRUE(docs.Of<TJwwData>().readInfo.complete());
  ASSERT_EQ(docs.Of<TJwwData>().EntMojiN, 1);
  EXPECT_EQ(docs.Of<TJwwData>().EntMoji[0].str, u"win");

  // A symbol is no backup of a drawing, and a drawing is no symbol.
  EXPECT_EQ(ReadDocument(FileKind::kBackup, symbol, docs), DocKind::kNone);
  EXPECT_EQ(ReadDocument(FileKind::kJws, jww, docs), DocKind::kNone);
  EXPECT_EQ(ReadDocument(FileKind::kTxt, jww, docs), DocKind::kNone);

  // A cut file passes its check and is read part way.
  EXPECT_EQ(ReadDocument(FileKind::kJwwBackup, testing::Cut(jww, jww.size() - 3), docs), DocKind::kJww);
  EXPECT_EQ(ReadInfoOf(docs, DocKind::kJww).status, TReadStatus::kStopped);

  FreeReaders(FileKind::kBackup, docs);
  EXPECT_TRUE(docs.Of<TJwcData>().Enthd.comment1.empty());
  EXPECT_EQ(docs.Of<TJwwData>().EntMojiN, 0);
}

}  // namespace
}  // namespace glyphgrab

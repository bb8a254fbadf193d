#include "documents/read_info.h"

#include <gtest/gtest.h>

#include "documents/file_kind.h"
#include "fixtures/dos_builder.h"
#include "fixtures/temp_dir.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

// Every reader says when it could not open its file, whether it was asked for the header
// or the whole file; a DOS reader used to leave its status unset.
TEST(ReadInfo, EveryReaderSaysItCannotOpenAMissingFile) {
  testing::TempDir dir;
  const std::u16string missing = Utf8ToStr(dir.folder() + "missing");
  const struct {
    const char* name;
    DocKind kind;
  } cases[] = {{"jww", DocKind::kJww}, {"jws", DocKind::kJws}, {"jwc", DocKind::kJwc}, {"jwk", DocKind::kJwk}};
  for (const auto& c : cases) {
    TDocumentSet docs;
    // Another read first, so that a status left over would show.
    testing::JwcFixture jwc;
    ReadWhole(c.kind, jwc.Build(), docs);
    EXPECT_FALSE(ReadHeader(c.kind, missing, docs).checked) << c.name;
    const bool header = WithDocument(docs, c.kind, true, [&](auto& doc) { return doc.FileHeaderIn(missing); });
    EXPECT_FALSE(header) << c.name;
    EXPECT_EQ(ReadInfoOf(docs, c.kind).status, TReadStatus::kCannotOpen) << c.name << " header";
    ReadWhole(c.kind, jwc.Build(), docs);
    const bool whole = WithDocument(docs, c.kind, true, [&](auto& doc) { return doc.FileIn(missing); });
    EXPECT_FALSE(whole) << c.name;
    EXPECT_EQ(ReadInfoOf(docs, c.kind).status, TReadStatus::kCannotOpen) << c.name << " whole";
  }
}

// A DOS reader takes a cut header block with its missing bytes as zero and answers true;
// its status says the data ended all the same, as a drawing's does.
TEST(ReadInfo, ADosReadThatRanOutOfDataIsAStop) {
  testing::JwcFixture jwc;
  jwc.comment1 = "c";
  const auto full = jwc.Build();
  TDocumentSet docs;
  ASSERT_EQ(ReadDocument(FileKind::kJwc, full, docs), DocKind::kJwc);
  EXPECT_TRUE(docs.Of<TJwcData>().readInfo.complete());
  EXPECT_EQ(docs.Of<TJwcData>().readInfo.stopPos, full.size());

  EXPECT_TRUE(docs.Of<TJwcData>().FileHeaderInBytes(testing::Cut(full, 700)));
  EXPECT_EQ(docs.Of<TJwcData>().readInfo.status, TReadStatus::kStopped);
  EXPECT_EQ(docs.Of<TJwcData>().readInfo.stopPos, 700u);
}

}  // namespace
}  // namespace glyphgrab

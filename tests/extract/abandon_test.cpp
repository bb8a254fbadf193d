// An abandoned job's reads end early: between files, inside a drawing's entity list,
// inside a file's bytes and inside a render. Outside a job nothing changes.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "extract/extract_driver.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "render/render_file.h"
#include "util/cancel.h"
#include "util/file_bytes.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

constexpr std::uint32_t kManyTexts = 10000;

std::vector<std::uint8_t> DrawingWithManyTexts() {
  testing::JwArchiveWriter w(600);
  testing::WriteJwwHeader(w, {});
  w.Count(kManyTexts);
  for (std::uint32_t i = 0; i < kManyTexts; ++i) w.Moji(testing::MojiOf(0, 0), "t" + std::to_string(i));
  w.Count(0);
  return w.bytes();
}

class AbandonTest : public ::testing::Test {
 protected:
  std::u16string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    dir_.Write(name, bytes);
    return NativeToPath(dir_.folder()) + NativeToPath(name);
  }
  testing::TempDir dir_;
  CancelToken token_;
};

TEST_F(AbandonTest, ExtractionEndsBetweenFiles) {
  const std::vector<std::u16string> paths = {Put("a.jww", testing::DrawingWithTexts({"A"})),
                                             Put("b.jww", testing::DrawingWithTexts({"B"})),
                                             Put("c.txt", std::vector<std::uint8_t>{'C'})};
  TDocumentSet docs;
  ExtractionList list;
  std::vector<ExtractFileReport> reports;
  const CancelScope scope(&token_);
  // The new selection comes while the first drawing is being read.
  ExtractFiles(paths, OptFlags{}, docs, list, nullptr, &reports,
               [this](const TDocumentSet&, DocKind) { token_.Abandon(); });
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(list.lines(), (std::vector<std::u16string>{u"【a.jww】", u"-----【文字内容】-----", u"A"}));
}

// A stop (Esc) is not an abandon: the run goes on to the end with what it may read.
TEST_F(AbandonTest, AStopReadsDrawingsWhole) {
  const auto path = Put("many.jww", DrawingWithManyTexts());
  TDocumentSet docs;
  ExtractionList list;
  std::vector<ExtractFileReport> reports;
  token_.Stop();
  const CancelScope scope(&token_);
  ExtractFiles({path}, OptFlags{}, docs, list, [this] { return token_.StopRequested(); }, &reports);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].outcome, ExtractFileReport::Outcome::kRead);
  EXPECT_EQ(list.size(), kManyTexts + 2);
}

TEST_F(AbandonTest, LongReadsAndRendersEndPartWay) {
  const auto path = Put("many.jww", DrawingWithManyTexts());
  Bytes bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  TDocumentSet whole;
  ASSERT_EQ(ReadDocument(FileKind::kJww, bytes, whole), DocKind::kJww);
  ASSERT_EQ(whole.Of<TJwwData>().EntMojiN, static_cast<std::int32_t>(kManyTexts));
  const RenderModel all = RenderDocument(whole, DocKind::kJww);
  ASSERT_GE(all.items.size(), kManyTexts);

  token_.Abandon();
  const CancelScope scope(&token_);
  TDocumentSet cut;
  ReadDocument(FileKind::kJww, bytes, cut);
  EXPECT_LT(cut.Of<TJwwData>().EntMojiN, 4096);
  EXPECT_FALSE(cut.Of<TJwwData>().readInfo.complete());

  const RenderModel part = RenderDocument(whole, DocKind::kJww);
  EXPECT_TRUE(part.truncated);
  EXPECT_LT(part.items.size(), 4096u);

  FileBuffer buffer;
  int error = 0;
  EXPECT_FALSE(buffer.Read(path, &error));
  EXPECT_EQ(error, ECANCELED);
  EXPECT_FALSE(ReadWholeFile(path, bytes));
}

}  // namespace
}  // namespace glyphgrab

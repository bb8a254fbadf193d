// Search and extraction read the same fields of a document: every text the extraction
// list shows for a real file (all options on) is found by a search for it, and a text the
// file does not hold is not. A field dropped on either side fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "documents/document_set.h"
#include "extract/extract_driver.h"
#include "extract/extraction_list.h"
#include "fixtures/corpus_manifest.h"
#include "search/file_find.h"
#include "util/codepage.h"
#include "util/full_width.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;

bool IsHeaderLine(const std::u16string& line) {
  return line.starts_with(u"【") || (line.find(u"-----【") != std::u16string::npos);
}

TEST(SearchAgreesWithExtraction, EveryListedTextOfEveryCorpusFileIsFound) {
  const fs::path corpus = GLYPHGRAB_CORPUS_DIR;
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "corpus folder not found: " << corpus;
  OptFlags opt{};
  opt[kOptHeaderInfo] = opt[kOptBlocks] = opt[kOptDimensions] = true;
  TDocumentSet docs;
  std::size_t files = 0, texts = 0;
  for (const char* sub : {"jww", "jws", "jwc", "jwk"}) {
    for (const auto& entry : fs::directory_iterator(corpus / sub)) {
      const std::u16string path = Utf8ToStr(entry.path().string());
      SCOPED_TRACE(entry.path().string());
      ExtractionList list;
      ExtractFiles({path}, opt, docs, list, {});
      ++files;
      for (const std::u16string& line : list.lines()) {
        if (IsHeaderLine(line)) continue;
        const std::u16string keyword = NormalizeForMatch(line);
        if (keyword.empty()) continue;
        ++texts;
        EXPECT_TRUE(FileContentsMatch(path, keyword)) << "not found: " << StrToUtf8(line);
      }
      EXPECT_FALSE(FileContentsMatch(path, NormalizeForMatch(u"どの図面にもない文字列ＱＸ９")));
    }
  }
  EXPECT_GE(files, 394u);
  EXPECT_GT(texts, 5000u);
}

}  // namespace
}  // namespace glyphgrab

#include <filesystem>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "fixtures/cli_run.h"
#include "fixtures/corpus_manifest.h"
#include "fixtures/temp_dir.h"

namespace glyphgrab::cli {
namespace {

using testing::CliRun;
using testing::RunCli;

TEST(CliExtract, TextFilesMissingFilesAndJson) {
  testing::TempDir dir;
  dir.Write("a b.csv", "x, y,,\"q, r\"\n");
  const std::string csv = dir.folder() + "a b.csv";
  const std::string missing = dir.folder() + "gone.txt";

  CliRun r = RunCli({"extract", csv, missing});
  EXPECT_EQ(r.status, kExitError);
  EXPECT_EQ(r.out, "【a b.csv】\nx\ny\nq, r\n【gone.txt】\n");
  EXPECT_EQ(r.err, missing + ": no such file\n");

  r = RunCli({"extract", "--no-blanks", "--sort", csv});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "q,r\nx\ny\n");

  r = RunCli({"extract", "--json", csv});
  EXPECT_EQ(r.out, "{\"lines\":[\n\"【a b.csv】\",\n\"x\",\n\"y\",\n\"q, r\"],\n\"files\":[\n{\"path\":\"" + csv +
                       "\",\"outcome\":\"read\",\"undecodable\":0}]}\n");

  EXPECT_EQ(RunCli({"extract"}).status, kExitError);
  EXPECT_EQ(RunCli({"extract", "--frob", csv}).status, kExitError);
}

// Every real file extracts with every option on, without a diagnostic; a copy damaged in
// transit is listed as far as it goes, and the diagnostic names its last byte.
TEST(CliExtract, EveryCorpusFileReadsCompletely) {
  const std::filesystem::path corpus = GLYPHGRAB_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "corpus folder not found: " << corpus;
  const auto manifest = testing::CorpusManifestSizes(corpus);
  int files = 0;
  for (const auto& sub : {"jww", "jws", "jwk", "jwc"}) {
    for (const auto& entry : std::filesystem::directory_iterator(corpus / sub)) {
      const CliRun r = RunCli({"extract", "--header", "--blocks", "--dims", entry.path().string()});
      EXPECT_EQ(r.status, kExitOk) << entry.path();
      const std::string expectedErr =
          testing::IsDamagedCorpusCopy(manifest, entry.path())
              ? entry.path().string() + ": reading stopped at byte " +
                    std::to_string(std::filesystem::file_size(entry.path())) + "\n"
              : "";
      EXPECT_EQ(r.err, expectedErr) << entry.path();
      EXPECT_TRUE(r.out.starts_with("【" + entry.path().filename().string() + "】\n")) << entry.path();
      ++files;
    }
  }
  EXPECT_GE(files, 394);  // the corpus may grow
}

}  // namespace
}  // namespace glyphgrab::cli

namespace glyphgrab::cli {
namespace {

TEST(CliSearch, ContractOfOutputAndExitStatus) {
  testing::TempDir dir;
  dir.Write("a/notes.txt", "\xEF\xBB\xBFneedle here\n");
  dir.Write("b.csv", "hay\n");
  const std::string root = dir.path().string();

  CliRun r = RunCli({"search", root, "NEEDLE"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, root + "/a/notes.txt\n");
  EXPECT_EQ(r.err, "検索終了：対象2ファイル中、1ファイル\n");

  r = RunCli({"search", "--names", root, "needle"});
  EXPECT_EQ(r.status, kExitNothingFound);
  EXPECT_EQ(r.out, "");

  r = RunCli({"search", "--types", "csv", "--json", root, "hay"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "{\"results\":[\n{\"path\":\"" + root + "/b.csv\",\"folder\":\"" + root +
                       "/\",\"name\":\"b.csv\",\"node\":0}],\n\"examined\":1,\"matched\":1,\"unreadable\":0}\n");

  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"search", root, " 　"}, {"search", root}, {"search", "--types", "pdf", root, "x"},
           {"search", root + "/missing", "x"}}) {
    EXPECT_EQ(RunCli(bad).status, kExitError);
  }
}

}  // namespace
}  // namespace glyphgrab::cli

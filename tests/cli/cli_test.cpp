#include "cli/cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "fixtures/cli_run.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"

namespace glyphgrab::cli {
namespace {

using testing::CliRun;
using testing::RunCli;

TEST(Cli, HelpAndVersionGoToStdout) {
  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  for (const char* command : {"extract", "info", "tree", "search", "keys"})
    EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
  EXPECT_TRUE(help.err.empty());

  const CliRun version = RunCli({"--version"});
  EXPECT_EQ(version.status, kExitOk);
  EXPECT_EQ(version.out, "glyphgrab-cli 1.10\n");
}

// Each command answers --help with its own usage instead of acting on it; after "--" it
// is an operand.
TEST(Cli, EveryCommandAnswersHelp) {
  const std::vector<std::vector<std::string>> asks = {
      {"extract", "--help"}, {"extract", "--sort", "--help", "missing.jww"}, {"info", "--help"},
      {"tree", "--help"}, {"search", "--help"}, {"search", "--names", "--help", "root", "kw"},
      {"render", "--help"}, {"keys", "--help"}};
  for (const auto& args : asks) {
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.status, kExitOk) << args[0];
    EXPECT_EQ(r.out.rfind("Usage: glyphgrab-cli " + args[0] + " ", 0), 0u) << r.out;
    EXPECT_EQ(r.err, "") << args[0];
  }
  EXPECT_EQ(RunCli({"keys", "--", "--help"}).out.find("Usage"), std::string::npos);
  EXPECT_EQ(RunCli({"tree", "--", "--help"}).status, kExitError);  // a folder named --help
}

TEST(Cli, UsageErrorsAreOneLineWithStatusTwo) {
  for (const auto& args : std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"--bogus"}}) {
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.status, kExitError);
    EXPECT_TRUE(r.out.empty());
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  }
}

}  // namespace
}  // namespace glyphgrab::cli

#include "fixtures/temp_dir.h"

namespace glyphgrab::cli {
namespace {

TEST(CliTree, PrintsNodePathsInIndexOrder) {
  testing::TempDir dir;
  for (const char* d : {"b", "a/c"}) dir.MakeDir(d);
  const std::string root = dir.path().string();
  const CliRun r = RunCli({"tree", root});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, root + "/\n" + root + "/a/\n" + root + "/a/c/\n" + root + "/b/\n");

  const CliRun missing = RunCli({"tree", root + "/nope"});
  EXPECT_EQ(missing.status, kExitError);
  EXPECT_EQ(missing.err, root + "/nope: no such folder\n");
  EXPECT_EQ(RunCli({"tree"}).status, kExitError);
}

// Plain output is one name per line whatever a name holds: its control characters are
// escaped as the JSON form writes them. "--" ends the options, so a folder may start
// with "-".
TEST(CliTree, NamesStayOnTheirLine) {
  testing::TempDir dir;
  dir.MakeDir("two\nlines");
  dir.MakeDir("tab\there\x1b[31m");
  dir.MakeDir("-root");
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const CliRun r = RunCli({"tree", "--", "-root"});
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.out, "-root/\n");
  std::filesystem::current_path(here);
  EXPECT_EQ(RunCli({"tree", "-root"}).status, kExitError);  // still an unknown option

  const std::string root = dir.path().string();
  const CliRun all = RunCli({"tree", root});
  EXPECT_EQ(all.out, root + "/\n" + root + "/-root/\n" + root + "/tab\\there\\u001b[31m/\n" + root +
                         "/two\\nlines/\n");
  dir.Write("two\nlines/a.txt", "needle\n");
  EXPECT_EQ(RunCli({"search", root, "needle"}).out, root + "/two\\nlines/a.txt\n");
}

// render never writes over the drawing it reads, by whatever name it is given.
TEST(CliRender, RefusesToWriteOverItsInput) {
  testing::TempDir dir;
  const std::vector<std::uint8_t> bytes = testing::DrawingWithTexts({"plan"});
  const std::string drawing(bytes.begin(), bytes.end());
  dir.Write("plan.jww", drawing);
  ASSERT_EQ(RunCli({"render", (dir.path() / "plan.jww").string(), "-o", (dir.path() / "out.svg").string()}).status,
            kExitOk);
  const std::string plan = (dir.path() / "plan.jww").string();
  std::vector<std::string> outs = {plan, dir.path().string() + "/./plan.jww"};
  // Symbolic links need a privilege on Windows (and are missing under Wine): that case
  // is tested where they can be made.
  std::error_code linkError;
  std::filesystem::create_symlink(dir.path() / "plan.jww", dir.path() / "alias.svg", linkError);
  if (!linkError) outs.push_back((dir.path() / "alias.svg").string());
  for (const std::string& out : outs) {
    const CliRun r = RunCli({"render", plan, "-o", out});
    EXPECT_EQ(r.status, kExitError) << out;
  }
  std::ifstream in(plan, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), drawing);
}

}  // namespace
}  // namespace glyphgrab::cli

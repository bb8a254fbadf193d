#include "cli/cli.h"

#include <gtest/gtest.h>

#include "fixtures/cli_run.h"

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

}  // namespace
}  // namespace glyphgrab::cli

#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "fixtures/cli_run.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"

namespace glyphgrab::cli {
namespace {

using testing::CliRun;
using testing::RunCli;

std::vector<std::uint8_t> Drawing(const testing::Txt& memo) {
  testing::JwArchiveWriter w(600);
  testing::JwwHeaderFields spec;
  spec.memo = memo;
  WriteJwwHeader(w, spec);
  w.Count(0).Count(0);
  return w.bytes();
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream s(line);
  for (std::string f; std::getline(s, f, '\t');) out.push_back(f);
  if (!line.empty() && line.back() == '\t') out.emplace_back();
  return out;
}

TEST(CliInfo, SixFieldsPerFileErrorsOnStderr) {
  testing::TempDir dir;
  const auto bytes = Drawing(testing::Txt::Sjis(u"平面図\r\n１／１００"));
  dir.Write("Plan.JWW", bytes);
  dir.Write("cut.jww", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 100));
  const std::string folder = dir.folder();
  const CliRun r = RunCli({"info", folder + "Plan.JWW", folder + "missing.jww", folder + "cut.jww", folder});
  EXPECT_EQ(r.status, kExitError);
  std::stringstream lines(r.out);
  std::string first, second, extra;
  ASSERT_TRUE(std::getline(lines, first));
  ASSERT_TRUE(std::getline(lines, second));
  EXPECT_FALSE(std::getline(lines, extra));
  const auto f = Fields(first);
  ASSERT_EQ(f.size(), 6u) << first;
  EXPECT_EQ(f[0], "Plan.JWW");
  EXPECT_EQ(f[1], ".jww");
  EXPECT_EQ(f[2], "平面図１／１００");
  EXPECT_EQ(f[3].size(), 19u);
  EXPECT_EQ(f[3][4], '/');
  EXPECT_EQ(f[4], std::to_string(bytes.size()));
  EXPECT_EQ(f[5], "600");
  const auto g = Fields(second);
  ASSERT_EQ(g.size(), 6u) << second;
  EXPECT_EQ(g[0], "cut.jww");
  EXPECT_EQ(g[5], "");
  EXPECT_NE(r.err.find(folder + "missing.jww: no such file\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(folder + "cut.jww: reading stopped at byte 100\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(folder + ": is a folder\n"), std::string::npos) << r.err;

  dir.Write("bad.jww", Drawing(testing::Txt(std::string("\x85\x40"))));
  const CliRun bad = RunCli({"info", folder + "bad.jww"});
  EXPECT_EQ(bad.status, kExitOk);
  EXPECT_NE(bad.err.find("bad.jww: 2 undecodable bytes\n"), std::string::npos) << bad.err;
}

TEST(CliInfo, JsonDocument) {
  testing::TempDir dir;
  dir.Write("a.jww", Drawing("say \"hi\"\r\n"));
  const CliRun r = RunCli({"info", "--json", dir.folder() + "a.jww"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(r.out.rfind("{\"files\":[\n{\"path\":", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\"name\":\"a.jww\",\"type\":\".jww\",\"memo\":\"say\\\"hi\\\"\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"version\":\"600\"}\n]}\n"), std::string::npos) << r.out;
}

TEST(CliInfo, UsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"info"}, {"info", "--bogus", "x"}}) {
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.status, kExitError);
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(r.err.empty());
  }
}

}  // namespace
}  // namespace glyphgrab::cli

namespace glyphgrab::cli {
namespace {

// The same fault is worded once, whichever command meets it, and is an error in each.
TEST(CliWording, ANotFormatFileIsTheSameFaultEverywhere) {
  testing::TempDir dir;
  dir.Write("fake.jww", "not a drawing at all");
  const std::string file = (dir.path() / "fake.jww").string();
  const std::string expected = file + ": not a .jww file of an accepted version\n";
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"extract", file}, {"extract", "--json", file}, {"info", file}, {"info", "--json", file},
           {"render", file, "-o", (dir.path() / "o.svg").string()}}) {
    const testing::CliRun r = testing::RunCli(args);
    EXPECT_EQ(r.err, expected) << args[0];
    EXPECT_EQ(r.status, kExitError) << args[0];
  }
}

}  // namespace
}  // namespace glyphgrab::cli

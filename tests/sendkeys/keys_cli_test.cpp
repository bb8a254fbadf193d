// glyphgrab-cli keys: the dry run's lines, as scripts read them.
#include <gtest/gtest.h>

#include "fixtures/cli_run.h"
#include "sendkeys/command_keys.h"

namespace glyphgrab::cli {
namespace {

testing::CliRun Keys(std::vector<std::string> args) {
  args.insert(args.begin(), "keys");
  return testing::RunCli(std::move(args));
}

TEST(CliKeys, PrintsTheEventsOnePerLine) {
  const struct {
    const char* command;
    const char* out;
  } cases[] = {
      {"@D", "wait 0.5\ndown 0x12\ndown 0x44\nup 0x44\nup 0x12\n"},
      {"{30}{TAB}", "wait 3\nwait 0.5\ndown 0x09\nup 0x09\n"},
      {"{Xあい}", "clipboard あい\nwait 0.5\ndown 0x11\ndown 0x56\nup 0x56\nup 0x11\n"},
      {"{X}", "clipboard \nwait 0.5\ndown 0x11\ndown 0x56\nup 0x56\nup 0x11\n"},
      {"{Xabc", "abandon\n"},
      {"~@{}A", "wait 0.5\ndown 0x10\ndown 0x12\nup 0x12\nup 0x10\nstop\n"},
      {"-", "wait 0.5\ndown 0x6d\nup 0x6d\n"},
      {"{2147483647}", "wait 3600\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    const testing::CliRun r = Keys({c.command});
    EXPECT_EQ(r.status, kExitOk) << c.command;
    EXPECT_EQ(r.out, c.out) << c.command;
    EXPECT_EQ(r.err, "") << c.command;
  }
  EXPECT_EQ(Keys({"--", "--help"}).out, Keys({"-"}).out + Keys({"-"}).out +
                                             "wait 0.5\ndown 0x48\nup 0x48\n"
                                             "wait 0.5\ndown 0x45\nup 0x45\n"
                                             "wait 0.5\ndown 0x4c\nup 0x4c\n"
                                             "wait 0.5\ndown 0x50\nup 0x50\n");
}

TEST(CliKeys, HelpStatesTheWaitCap) {
  const std::string cap = std::to_string(static_cast<int>(kMaxWaitSeconds));
  EXPECT_NE(testing::RunCli({"--help"}).out.find("at most " + cap + " seconds"), std::string::npos);
}

TEST(CliKeys, NeedsExactlyOneCommand) {
  for (const auto& args : std::vector<std::vector<std::string>>{{}, {"a", "b"}, {"--"}}) {
    const testing::CliRun r = Keys(args);
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "");
  }
}

}  // namespace
}  // namespace glyphgrab::cli

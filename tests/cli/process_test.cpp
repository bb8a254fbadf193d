// glyphgrab-cli as a process: output it could not write is an error, never a success.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"

namespace {

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(CliProcess, OutputToAFullDiskIsAnError) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  glyphgrab::testing::TempDir dir;
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += "line " + std::to_string(i) + "\n";
  dir.Write("tree/big.txt", lines);
  const std::string root = dir.path().string();
  const std::string err = root + "/err";
  for (const std::string& args : {"extract --json '" + root + "/tree/big.txt'", "extract '" + root + "/tree/big.txt'",
                                 "info '" + root + "/tree/big.txt'", "tree '" + root + "'",
                                 "search '" + root + "' line", std::string("keys '@DA^V'")}) {
    const std::string command = std::string(GLYPHGRAB_CLI) + " " + args + " > /dev/full 2> '" + err + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << args;
    EXPECT_EQ(WEXITSTATUS(raw), 2) << args;
    EXPECT_NE(Slurp(err).find("glyphgrab-cli: write error: No space left on device"), std::string::npos)
        << args << ": " << Slurp(err);
  }
}

}  // namespace

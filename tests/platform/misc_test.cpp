#include "platform/misc.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fixtures/temp_dir.h"
#include "platform/fake/fake_misc.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

TEST(Misc, FakeRecordsTheRequest) {
  FakeMisc misc;
  misc.Open(u"/data/図面.jww");
  ASSERT_EQ(misc.opened.size(), 1u);
  EXPECT_EQ(misc.opened[0], u"/data/図面.jww");
}

// The desktop's opener receives the path as one argument, untouched by any shell.
TEST(Misc, OpensWithXdgOpenAsOneArgument) {
  testing::TempDir dir;
  const auto record = dir.path() / "args.txt";
  const auto script = dir.Write("bin/xdg-open",
                                "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" > '" + record.string() + "'\n");
  ::chmod(script.c_str(), 0755);
  const char* oldPath = std::getenv("PATH");
  const std::string saved = oldPath ? oldPath : "";
  ::setenv("PATH", ((dir.path() / "bin").string() + ":" + saved).c_str(), 1);

  const std::string hostile = "/tmp/a b; touch $(echo pwned) 'q'.jww";
  MakePlatformMisc()->Open(NativeToPath(hostile));
  ::setenv("PATH", saved.c_str(), 1);

  std::string line;
  for (int k = 0; k < 200 && line.empty(); ++k) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(record);
    std::getline(in, line);
  }
  EXPECT_EQ(line, "1|" + hostile);
}

}  // namespace
}  // namespace glyphgrab

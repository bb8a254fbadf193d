// Errors are errors: every file or folder the command line names that is missing,
// unreadable or of the wrong kind gives "path: reason" on stderr and exit status 2, and
// the other files are still processed.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "fixtures/cli_run.h"
#include "fixtures/temp_dir.h"
#include "fixtures/unprivileged.h"

namespace glyphgrab::cli {
namespace {

using testing::CliRun;

// Runs the command line as an unprivileged user (root reads everything) and brings its
// output back through a pipe.
CliRun RunCliUnprivileged(const std::vector<std::string>& args) {
  int fds[2];
  if (::pipe(fds) != 0) return {-1, "", "pipe failed"};
  const int child = testing::RunUnprivileged([&] {
    ::close(fds[0]);
    const CliRun r = testing::RunCli(args);
    const std::string record = std::to_string(r.out.size()) + "\n" + r.out + r.err;
    const bool written = ::write(fds[1], record.data(), record.size()) == static_cast<ssize_t>(record.size());
    ::close(fds[1]);
    return written ? r.status : 99;
  });
  ::close(fds[1]);
  std::string record;
  char buf[4096];
  for (ssize_t got; (got = ::read(fds[0], buf, sizeof buf)) > 0;) record.append(buf, static_cast<std::size_t>(got));
  ::close(fds[0]);
  const std::size_t eol = record.find('\n');
  if (eol == std::string::npos) return {child, "", "no record"};
  const std::size_t outSize = std::stoul(record.substr(0, eol));
  return {child, record.substr(eol + 1, outSize), record.substr(eol + 1 + outSize)};
}

class CliErrors : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::permissions(dir_.path(), std::filesystem::perms(0755));
    root_ = dir_.path().string() + "/";
    dir_.Write("ok.txt", "fine\n");
    dir_.Write("plain.txt", "x\n");
    dir_.Write("secret.txt", "hidden\n");
    dir_.Write("secret.jww", "JwwData.");
    dir_.Write("tree/a/inside.txt", "needle\n");
    dir_.Write("tree/locked.txt", "needle\n");
    dir_.MakeDir("tree/shut");
    dir_.MakeDir("locked/sub");
    ::mkfifo((root_ + "fifo.txt").c_str(), 0644);
    std::filesystem::create_symlink("loop", dir_.path() / "loop");
    for (const char* p : {"secret.txt", "secret.jww", "locked", "tree/locked.txt", "tree/shut"})
      std::filesystem::permissions(dir_.path() / p, std::filesystem::perms::none);
  }
  void TearDown() override {
    for (const char* p : {"locked", "tree/shut"})
      std::filesystem::permissions(dir_.path() / p, std::filesystem::perms(0755));
  }

  testing::TempDir dir_;
  std::string root_;
};

TEST_F(CliErrors, EachNamedPathSaysWhyItCannotBeRead) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"extract", "missing.txt"}, 2, "missing.txt: no such file\n"},
      {{"extract", "nonexistent"}, 2, "nonexistent: no such file\n"},
      {{"extract", "nonexistent.xyz"}, 2, "nonexistent.xyz: no such file\n"},
      {{"extract", "tree"}, 2, "tree: is a folder\n"},
      {{"extract", "secret.jww"}, 2, "secret.jww: permission denied\n"},
      {{"extract", "secret.txt", "ok.txt"}, 2, "secret.txt: permission denied\n"},
      {{"extract", "fifo.txt"}, 2, "fifo.txt: is not a regular file\n"},
      {{"extract", "loop"}, 2, "loop: symbolic link loop\n"},
      {{"extract", "plain.txt/x.txt"}, 2, "plain.txt/x.txt: not a folder\n"},
      {{"extract", "ok.txt"}, 0, ""},
      {{"info", "missing.jww", "ok.txt"}, 2, "missing.jww: no such file\n"},
      {{"info", "secret.jww"}, 2, "secret.jww: permission denied\n"},
      {{"tree", "plain.txt"}, 2, "plain.txt: not a folder\n"},
      {{"tree", "missing"}, 2, "missing: no such folder\n"},
      {{"tree", "locked"}, 2, "locked: permission denied\n"},
      {{"tree", "loop"}, 2, "loop: symbolic link loop\n"},
      {{"search", "locked", "x"}, 2, "locked: permission denied\n"},
  };
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  for (const auto& c : cases) {
    const CliRun r = RunCliUnprivileged(c.args);
    const std::string what = c.args[0] + " " + c.args[1];
    EXPECT_EQ(r.status, c.status) << what;
    EXPECT_EQ(r.err, c.err) << what;
  }
  // The other files are still processed, and an unreadable drawing is no other format.
  CliRun r = RunCliUnprivileged({"extract", "secret.txt", "ok.txt"});
  EXPECT_EQ(r.out, "【secret.txt】\n【ok.txt】\nfine\n");
  r = RunCliUnprivileged({"extract", "--json", "secret.jww"});
  EXPECT_NE(r.out.find("\"outcome\":\"unreadable\""), std::string::npos) << r.out;
  r = RunCliUnprivileged({"info", "missing.jww", "ok.txt"});
  EXPECT_TRUE(r.out.starts_with("ok.txt\t.txt\tfine\t")) << r.out;
  std::filesystem::current_path(here);
}

TEST_F(CliErrors, SearchCountsTheFilesItCouldNotRead) {
  const CliRun r = RunCliUnprivileged({"search", "--contents", "--no-index", root_ + "tree", "needle"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, root_ + "tree/a/inside.txt\n");
  EXPECT_EQ(r.err, root_ + "tree/locked.txt: permission denied\n" + root_ +
                       "tree/shut/: permission denied\n"
                       "検索終了：対象2ファイル中、1ファイル（読み込めないファイル：2）\n");
  // Nothing found where a file could not be read is no "nothing found": the files that
  // may have held it are named and the status is an error.
  const CliRun none = RunCliUnprivileged({"search", "--contents", root_ + "tree", "elsewhere"});
  EXPECT_EQ(none.status, kExitError);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find(root_ + "tree/locked.txt: permission denied\n"), std::string::npos) << none.err;
}

// A folder below the root that cannot be read is listed without what is below it and
// named, an error; a link to a folder is left out and named, no error.
TEST_F(CliErrors, TreeNamesWhatItCouldNotWalk) {
  CliRun r = RunCliUnprivileged({"tree", root_ + "tree"});
  EXPECT_EQ(r.status, kExitError);
  EXPECT_EQ(r.out, root_ + "tree/\n" + root_ + "tree/a/\n" + root_ + "tree/shut/\n");
  EXPECT_EQ(r.err, root_ + "tree/shut/: permission denied\n");

  std::filesystem::create_directory_symlink(dir_.path() / "tree", dir_.path() / "tree/a/up");
  std::filesystem::create_symlink("inside.txt", dir_.path() / "tree/a/file-link");
  r = testing::RunCli({"tree", root_ + "tree/a"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, root_ + "tree/a/\n");
  EXPECT_EQ(r.err, root_ + "tree/a/up/: symbolic link to a folder, not followed\n");
}

TEST(CliJson, NamesThatAreNotUtf8AreEscaped) {
  testing::TempDir dir;
  const std::string name = "plan\xff\xfe.txt";
  dir.Write(name, "needle\n");
  const std::string root = dir.path().string();
  const std::string escaped = "plan\\udcff\\udcfe.txt";
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"extract", "--json", root + "/" + name},
           {"info", "--json", root + "/" + name},
           {"search", "--json", root, "needle"}}) {
    const CliRun r = testing::RunCli(args);
    EXPECT_EQ(r.status, kExitOk) << args[0];
    EXPECT_NE(r.out.find(escaped), std::string::npos) << args[0] << ": " << r.out;
    EXPECT_EQ(r.out.find('\xff'), std::string::npos) << args[0];
  }
  // Plain output keeps the name's bytes.
  EXPECT_EQ(testing::RunCli({"extract", root + "/" + name}).out, "【" + name + "】\nneedle\n");
}

}  // namespace
}  // namespace glyphgrab::cli

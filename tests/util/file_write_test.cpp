#include "util/file_write.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "fixtures/unprivileged.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::u16string P(const fs::path& p) { return NativeToPath(p.string()); }

constexpr uid_t kNobody = 65534;

TEST(WriteFileAtomic, CreatesAndReplacesLeavingNoTemporaryFile) {
  testing::TempDir dir;
  const fs::path target = dir.path() / "sub" / "settings.dat";
  ASSERT_TRUE(WriteFileAtomic(P(target), B("first")));  // the missing folder is made
  EXPECT_EQ(Slurp(target), "first");

  fs::permissions(target, fs::perms(0640));
  ASSERT_TRUE(WriteFileAtomic(P(target), B("second, longer")));
  EXPECT_EQ(Slurp(target), "second, longer");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0640));

  if (::geteuid() == 0) {  // root keeps a user's file the user's
    ASSERT_EQ(::chown(target.c_str(), kNobody, kNobody), 0);
    ASSERT_TRUE(WriteFileAtomic(P(target), B("by root")));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kNobody);
  }

  ASSERT_TRUE(WriteFileAtomic(P(target), B("")));
  EXPECT_EQ(Slurp(target), "");
  EXPECT_EQ(Names(target.parent_path()), std::vector<std::string>{"settings.dat"});
}

TEST(WriteFileAtomic, SymbolicLinkStaysALink) {
  testing::TempDir dir;
  const fs::path real = dir.Write("real.dat", std::string_view("old"));
  const fs::path link = dir.path() / "link.dat";
  fs::create_symlink(real, link);
  ASSERT_TRUE(WriteFileAtomic(P(link), B("new")));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Slurp(real), "new");
}

// A link is followed only into a regular file of the writing user, set by that user: a
// planted link must not make root's save rewrite another file.
TEST(WriteFileAtomic, LinksIntoOtherFilesPlacesAreRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files to another user";
  const struct {
    const char* what;
    uid_t targetOwner, linkOwner;
    bool fifo;
  } cases[] = {
      {"another user's file", kNobody, 0, false},
      {"a link set by another user", 0, kNobody, false},
      {"not a regular file", 0, 0, true},
  };
  for (const auto& c : cases) {
    testing::TempDir dir;
    const fs::path target = dir.path() / "target";
    if (c.fifo) {
      ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
    } else {
      dir.Write("target", std::string_view("root:x:0:0"));
      ASSERT_EQ(::chown(target.c_str(), c.targetOwner, c.targetOwner), 0);
    }
    const fs::path link = dir.path() / "glyphgrab.dat";
    fs::create_symlink(target, link);
    ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
    int error = 0;
    EXPECT_FALSE(WriteFileAtomic(P(link), B("settings"), &error)) << c.what;
    EXPECT_EQ(error, EPERM) << c.what;
    EXPECT_TRUE(fs::is_symlink(link)) << c.what;
    if (!c.fifo) {
      EXPECT_EQ(Slurp(target), "root:x:0:0") << c.what;
    }
  }
}

TEST(WriteFileAtomic, FolderInTheWayFailsAndLeavesNothing) {
  testing::TempDir dir;
  dir.MakeDir("busy/inner");
  EXPECT_FALSE(WriteFileAtomic(P(dir.path() / "busy"), B("x")));
  EXPECT_TRUE(fs::is_directory(dir.path() / "busy" / "inner"));
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"busy"});
  EXPECT_FALSE(WriteFileAtomic(u"", B("x")));
}

// Permission failures must keep the old file; checked as an unprivileged user.
TEST(WriteFileAtomic, NoPermissionKeepsTheOldFile) {
  testing::TempDir dir;
  const fs::path lockedFolder = dir.MakeDir("locked");
  const fs::path inLocked = dir.Write("locked/settings.dat", std::string_view("old settings"));
  const fs::path openFolder = dir.MakeDir("open");
  const fs::path readOnly = dir.Write("open/memo.txt", std::string_view("old memo"));
  fs::permissions(openFolder, fs::perms(0777));  // files may be created here
  fs::permissions(inLocked, fs::perms(0666));    // the file itself is writable
  fs::permissions(readOnly, fs::perms(0444));
  const testing::ReadOnlyFolder locked(dir.path(), lockedFolder);  // but not replaced

  const int failures = testing::RunUnprivileged([&] {
    int bad = 0;
    if (WriteFileAtomic(P(inLocked), B("new"))) bad |= 1;
    if (WriteFileAtomic(P(readOnly), B("new"))) bad |= 2;
    if (WriteFileAtomic(P(lockedFolder / "fresh.dat"), B("new"))) bad |= 4;
    return bad;
  });
  EXPECT_EQ(failures, 0) << "a write without permission was reported as done";
  EXPECT_EQ(Slurp(inLocked), "old settings");
  EXPECT_EQ(Slurp(readOnly), "old memo");
  EXPECT_EQ(Names(lockedFolder), std::vector<std::string>{"settings.dat"});
  EXPECT_EQ(Names(openFolder), std::vector<std::string>{"memo.txt"});
}

}  // namespace
}  // namespace glyphgrab

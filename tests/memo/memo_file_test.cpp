#include "memo/memo_file.h"

#include <cerrno>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "fixtures/unprivileged.h"
#include "memo/memo_text.h"
#include "util/codepage.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;

std::u16string P(const fs::path& p) { return NativeToPath(p.string()); }

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MemoFile, WrittenAsUtf8WithByteOrderMarkExactlyAsHeld) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "Memo.txt";
  const struct {
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {u"", "\xEF\xBB\xBF"},
      {u"あ\r\nb", "\xEF\xBB\xBF\xE3\x81\x82\r\nb"},
      {u"a\r\n\r\n", "\xEF\xBB\xBF" "a\r\n\r\n"},
      {u"𠮷", "\xEF\xBB\xBF\xF0\xA0\xAE\xB7"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(MemoSave(P(file), c.text));
    EXPECT_EQ(Slurp(file), c.bytes);
    EXPECT_EQ(MemoLoad(P(file)), c.text);
  }
}

TEST(MemoFile, ReadsWhatOtherEditorsWrite) {
  testing::TempDir dir;
  const struct {
    const char* what;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"code page 932 without a mark", "\x82\xa0\x82\xa2\r\n\x8c\x8a\x8d\x9e", u"あい\r\n穴込"},
      {"UTF-16LE with a mark", std::string("\xFF\xFE\x42\x30\n\0x\0", 8), u"あ\r\nx"},
      {"UTF-8 with LF line ends", "\xEF\xBB\xBF" "a\nb\n", u"a\r\nb\r\n"},
      {"empty file", "", u""},
  };
  for (const auto& c : cases) {
    const fs::path file = dir.Write("Memo.txt", c.bytes);
    EXPECT_EQ(MemoLoad(P(file)), c.text) << c.what;
  }
  EXPECT_EQ(MemoLoad(P(dir.path() / "absent.txt")), u"");
  EXPECT_EQ(MemoLoad(P(dir.path())), u"");  // a folder is no memo

  // A code page 932 memo is stored as UTF-8 at the next save.
  const fs::path file = dir.Write("Memo.txt", std::string_view("\x82\xa0\r\n"));
  TMemoText memo(MemoLoad(P(file)));
  ASSERT_TRUE(MemoSave(P(file), memo.Text()));
  EXPECT_EQ(Slurp(file), "\xEF\xBB\xBF\xE3\x81\x82\r\n");
}

TEST(MemoFile, SaveWithoutPermissionKeepsTheOldMemo) {
  testing::TempDir dir;
  const fs::path folder = dir.MakeDir("app");
  const fs::path file = folder / "Memo.txt";
  ASSERT_TRUE(MemoSave(P(file), u"kept line"));
  fs::permissions(file, fs::perms(0666));
  const testing::ReadOnlyFolder locked(dir.path(), folder);
  const int result = testing::RunUnprivileged([&] { return MemoSave(P(file), u"") ? 1 : 0; });
  EXPECT_EQ(result, 0) << "the save reported success";
  EXPECT_EQ(MemoLoad(P(file)), u"kept line");
}

// What a run leaves in the memo folder: the memo file's bytes after the closing save, and
// the kept backup. An untouched memo is never rewritten; one that did not read cleanly is
// kept as soon as it is read, before anything could be saved over it.
TEST(MemoStore, NeverWritesOverWithLessThanItHeld) {
  const std::string utf8NoMark = "\xE6\xB4\x8B\xE5\xAE\xA4\xE3\x81\xAE\xE3\x83\xA1\xE3\x83\xA2";  // 洋室のメモ
  const std::string badCp932 = "\x82\xa0\x85\x40\r\n";  // あ, then an undecodable pair
  const std::string separators = "\xEF\xBB\xBF" "a\xC2\xA0" "b\xE2\x80\xA8" "c";
  const struct {
    const char* what;
    std::string bytes;
    bool edited;
    std::u16string loaded;
    MemoFileState state;
    std::string after;   // the memo file's bytes after the save
    bool backup;         // the old bytes kept as Memo.txt.bak
  } cases[] = {
      {"utf-8 without a mark, untouched", utf8NoMark, false, u"洋室のメモ", MemoFileState::kClean, utf8NoMark, false},
      {"utf-8 without a mark, edited", utf8NoMark, true, u"洋室のメモ", MemoFileState::kClean,
       "\xEF\xBB\xBF" + utf8NoMark + "\r\nadded", false},
      {"invalid bytes, untouched", badCp932, false, u"あ\uFFFD\r\n", MemoFileState::kUndecodable, badCp932, true},
      {"invalid bytes, edited", badCp932, true, u"あ\uFFFD\r\n", MemoFileState::kUndecodable,
       "\xEF\xBB\xBF\xE3\x81\x82\xEF\xBF\xBD\r\nadded\r\n", true},
      // UTF-8 that lost a byte is not read as code page 932 (which would show it garbled
      // and save the garbling): it stays UTF-8, and the original is kept.
      {"utf-8 cut mid-character", utf8NoMark + "\xE3\x83", false, u"洋室のメモ\uFFFD", MemoFileState::kUndecodable,
       utf8NoMark + "\xE3\x83", true},
      {"utf-8 with a stray byte, edited", "\xE6\xB4\x8B\xFF\xE5\xAE\xA4", true, u"洋\uFFFD室",
       MemoFileState::kUndecodable, "\xEF\xBB\xBF\xE6\xB4\x8B\xEF\xBF\xBD\xE5\xAE\xA4\r\nadded", true},
      {"U+00A0 and U+2028 round-trip", separators, false, u"a\u00A0b\u2028c", MemoFileState::kClean, separators, false},
  };
  for (const auto& c : cases) {
    testing::TempDir dir;
    const fs::path file = dir.Write("Memo.txt", c.bytes);
    TMemoStore store(P(file));
    const MemoLoaded loaded = store.Load();
    EXPECT_EQ(loaded.text, c.loaded) << c.what;
    EXPECT_EQ(loaded.state, c.state) << c.what;
    // Kept and told at once, before any edit.
    EXPECT_EQ(!loaded.backup.empty(), c.backup) << c.what;
    EXPECT_EQ(fs::exists(dir.path() / "Memo.txt.bak"), c.backup) << c.what;
    if (c.backup) {
      EXPECT_EQ(Slurp(dir.path() / "Memo.txt.bak"), c.bytes) << c.what;
    }
    TMemoText memo(loaded.text);
    if (c.edited) memo.AddSelected({u"added"});
    const TMemoStore::SaveResult saved = store.Save(memo.Text());
    EXPECT_TRUE(saved.ok) << c.what;
    EXPECT_EQ(Slurp(file), c.after) << c.what;
    EXPECT_TRUE(saved.backup.empty()) << c.what;
    if (c.backup) {
      // The next saves write normally, and an earlier backup is never replaced.
      memo.AddSelected({u"more"});
      EXPECT_TRUE(store.Save(memo.Text()).backup.empty()) << c.what;
      EXPECT_EQ(Slurp(dir.path() / "Memo.txt.bak"), c.bytes) << c.what;
      EXPECT_FALSE(fs::exists(dir.path() / "Memo.txt.bak2")) << c.what;
    }
  }
}

// Another program (an editor) changed Memo.txt while the tool ran: the tool's next save
// keeps the lines it added, and keeps its whole version when it also took lines away.
TEST(MemoStore, AnotherProgramsChangeIsMergedNotOverwritten) {
  const std::string mark = "\xEF\xBB\xBF";
  const struct {
    const char* what;
    std::string before;      // the file as the tool read it ("" : none)
    std::string theirs;      // what the other program left
    std::u16string addOurs;  // the tool's added line ("" : untouched)
    std::string after;
    int merged;
    bool otherKept;
  } cases[] = {
      {"a line appended in an editor", mark + "a\r\nb\r\n", mark + "a\r\nb\r\nc\r\n", u"d",
       mark + "a\r\nb\r\nd\r\nc\r\n", 1, false},
      {"the same line added on both sides", mark + "a\r\n", "a\nd\n", u"d", mark + "a\r\nd\r\n", 0, false},
      {"a line removed and one added", mark + "a\r\nb\r\n", mark + "a\r\nc\r\n", u"d",
       mark + "a\r\nb\r\nd\r\nc\r\n", 1, true},
      {"created meanwhile", "", mark + "x\r\n", u"y", mark + "y\r\nx\r\n", 1, false},
      {"untouched by the tool", mark + "a\r\n", mark + "a\r\nc\r\n", u"", mark + "a\r\nc\r\n", 0, false},
  };
  for (const auto& c : cases) {
    testing::TempDir dir;
    const fs::path file = dir.path() / "Memo.txt";
    if (!c.before.empty()) dir.Write("Memo.txt", c.before);
    TMemoStore store(P(file));
    TMemoText memo(store.Load().text);
    dir.Write("Memo.txt", c.theirs);
    if (!c.addOurs.empty()) memo.AddSelected({c.addOurs});
    const TMemoStore::SaveResult saved = store.Save(memo.Text());
    EXPECT_TRUE(saved.ok) << c.what;
    EXPECT_EQ(Slurp(file), c.after) << c.what;
    EXPECT_EQ(saved.mergedLines, c.merged) << c.what;
    if (c.merged > 0) {
      EXPECT_EQ(MemoFileBytes(saved.merged), Bytes(c.after.begin(), c.after.end())) << c.what;
    }
    EXPECT_EQ(!saved.otherKept.empty(), c.otherKept) << c.what;
    if (c.otherKept) {
      EXPECT_EQ(Slurp(fs::path(PathToNative(saved.otherKept))), c.theirs) << c.what;
    }
    // Once merged, the next save is an ordinary one.
    memo.SetText(Utf8ToStr(c.after.substr(3)));
    memo.AddSelected({u"z"});
    EXPECT_EQ(store.Save(memo.Text()).mergedLines, 0) << c.what;
  }
}

TEST(MemoStore, AnUnreadableMemoIsKeptNotEmptied) {
  testing::TempDir dir;
  const fs::path folder = dir.MakeDir("app");
  fs::permissions(dir.path(), fs::perms(0755));
  fs::permissions(folder, fs::perms(0777));
  const fs::path file = dir.Write("app/Memo.txt", std::string("old line\r\n"));
  fs::permissions(file, fs::perms::none);
  const int result = testing::RunUnprivileged([&] {
    TMemoStore store(P(file));
    const MemoLoaded loaded = store.Load();
    if (loaded.state != MemoFileState::kUnreadable || loaded.error != EACCES) return 1;
    if (!store.Save(loaded.text).backup.empty()) return 2;  // untouched: nothing written
    TMemoText memo(loaded.text);
    memo.AddSelected({u"today"});
    const TMemoStore::SaveResult saved = store.Save(memo.Text());
    return saved.ok && !saved.backup.empty() ? 0 : 3;
  });
  EXPECT_EQ(result, 0);
  fs::permissions(folder / "Memo.txt.bak", fs::perms(0644));
  EXPECT_EQ(Slurp(folder / "Memo.txt.bak"), "old line\r\n");
  EXPECT_EQ(Slurp(file), "\xEF\xBB\xBF" "today\r\n");
}

// A file that went away before the save has nothing more to keep: the copy made when it
// was read stays the only backup.
TEST(MemoStore, AVanishedFileClaimsNoBackup) {
  testing::TempDir dir;
  const fs::path file = dir.Write("Memo.txt", std::string("\x82\xa0\x85\x40"));
  TMemoStore store(P(file));
  ASSERT_EQ(store.Load().state, MemoFileState::kUndecodable);
  fs::remove(file);
  const TMemoStore::SaveResult saved = store.Save(u"new");
  EXPECT_TRUE(saved.ok);
  EXPECT_EQ(saved.backup, u"");
  EXPECT_EQ(Slurp(dir.path() / "Memo.txt.bak"), "\x82\xa0\x85\x40");
  EXPECT_FALSE(fs::exists(dir.path() / "Memo.txt.bak2"));
  EXPECT_EQ(Slurp(file), "\xEF\xBB\xBFnew");
}

TEST(MemoStore, AFailedSaveSaysWhy) {
  testing::TempDir dir;
  const fs::path folder = dir.MakeDir("app");
  const fs::path file = folder / "Memo.txt";
  ASSERT_TRUE(MemoSave(P(file), u"kept line"));
  fs::permissions(file, fs::perms(0666));
  const testing::ReadOnlyFolder locked(dir.path(), folder);
  const int result = testing::RunUnprivileged([&] {
    TMemoStore store(P(file));
    store.Load();
    const TMemoStore::SaveResult saved = store.Save(u"kept line\r\nnew");
    return !saved.ok && saved.error == EACCES ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(MemoLoad(P(file)), u"kept line");
  EXPECT_NE(MemoSaveFailedMessage(u"/x/Memo.txt", EACCES).find(u"/x/Memo.txt"), std::u16string::npos);
}

TEST(MemoStore, StaleTemporariesOfKilledSavesGo) {
  testing::TempDir dir;
  const fs::path file = dir.Write("Memo.txt", std::string("x"));
  // pid 2^22 + 1 is above the kernel's limit, so no process has it; ours is alive.
  dir.Write(".Memo.txt.tmp-4194305-1-0", std::string(10, 'a'));
  const std::string mine = ".Memo.txt.tmp-" + std::to_string(::getpid()) + "-1-0";
  dir.Write(mine, std::string("b"));
  dir.Write(".Other.txt.tmp-4194305-1-0", std::string("c"));
  TMemoStore(P(file)).Load();
  EXPECT_FALSE(fs::exists(dir.path() / ".Memo.txt.tmp-4194305-1-0"));
  EXPECT_TRUE(fs::exists(dir.path() / mine));
  EXPECT_TRUE(fs::exists(dir.path() / ".Other.txt.tmp-4194305-1-0"));
}

}  // namespace
}  // namespace glyphgrab

// The index never makes a search wrong or stop: a damaged, foreign or older file is set
// aside and a new one made; a cache folder that cannot be used gives a search without
// the index and one note; two searches at once and a writer killed part way leave right
// answers.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "index/index_fixture.h"

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fixtures/unprivileged.h"
#endif

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;
using testing::IndexTree;
using testing::RunSearch;
using testing::SearchOutput;

fs::path IndexFile(const IndexTree& t) { return fs::path(PathToNative(IndexFilePath(t.cache()))); }

void Sql(const fs::path& file, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

// A search for `keyword` with the index at `cache`, then the same without it: equal,
// and the note of the index's trouble.
IndexNote SearchBoth(const IndexTree& t, std::u16string_view keyword) {
  const FolderTree tree = t.Tree();
  IndexStore store;
  IndexNote note;
  store.Open(t.cache(), note);
  IndexedWalk walk(store, tree.FolderTreePath(0), NormalizeForMatch(keyword));
  const SearchOutput with = RunSearch(tree, keyword, {}, &walk);
  EXPECT_EQ(with, RunSearch(tree, keyword, {}, nullptr));
  EXPECT_FALSE(with.lines.empty());
  return note.trouble != IndexTrouble::kNone ? note : walk.note();
}

TEST(IndexFaults, DamagedForeignAndOlderFilesAreSetAsideAndRebuilt) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> spoil;
  } cases[] = {
      {"not a database", [](const fs::path& f) { std::ofstream(f, std::ios::binary) << std::string(5000, 'x'); }},
      {"another program's", [](const fs::path& f) { Sql(f, "CREATE TABLE t(a); PRAGMA application_id = 7;"); }},
      {"an older version", [](const fs::path& f) { Sql(f, "PRAGMA user_version = 0;"); }},
      {"damaged pages",
       [](const fs::path& f) {
         // Keep SQLite's header, spoil every page after the first.
         std::fstream io(f, std::ios::in | std::ios::out | std::ios::binary);
         io.seekp(4096);
         const std::string junk(static_cast<std::size_t>(fs::file_size(f)) - 4096, '\xA5');
         io.write(junk.data(), static_cast<std::streamsize>(junk.size()));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IndexTree t;
    // A good index first, with rows to lose.
    EXPECT_EQ(SearchBoth(t, u"peace").trouble, IndexTrouble::kNone);
    c.spoil(IndexFile(t));
    const IndexNote note = SearchBoth(t, u"peace");
    EXPECT_EQ(note.trouble, IndexTrouble::kSetAside);
    EXPECT_TRUE(fs::exists(PathToNative(note.path)));
    // The new index serves the next search, which reads nothing.
    const FolderTree tree = t.Tree();
    IndexStore store;
    IndexNote quiet;
    ASSERT_TRUE(store.Open(t.cache(), quiet));
    EXPECT_EQ(quiet.trouble, IndexTrouble::kNone);
    IndexedWalk walk(store, tree.FolderTreePath(0), NormalizeForMatch(u"階段"));
    RunSearch(tree, u"階段", {}, &walk);
    EXPECT_EQ(walk.counts().read, 0) << walk.note().detail;
    EXPECT_EQ(walk.counts().answered, 8);
  }
}

TEST(IndexFaults, UnusableCacheFolderGivesASearchWithoutTheIndex) {
  IndexTree t;
  // The cache folder's place is taken by a plain file.
  t.cacheDir.Write("glyphgrab", std::string("not a folder"));
  const IndexNote note = SearchBoth(t, u"peace");
  EXPECT_EQ(note.trouble, IndexTrouble::kUnavailable);
  EXPECT_NE(note.error, 0);
}

#ifndef _WIN32
TEST(IndexFaults, ReadOnlyCacheFolder) {
  IndexTree t;
  t.cacheDir.MakeDir("glyphgrab");
  fs::permissions(t.dir.path(), fs::perms(0755));
  testing::ReadOnlyFolder readOnly(t.cacheDir.path(), t.cacheDir.path() / "glyphgrab");
  const int status = testing::RunUnprivileged([&] {
    const IndexNote note = SearchBoth(t, u"peace");
    return note.trouble == IndexTrouble::kUnavailable && !::testing::Test::HasFailure() ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

TEST(IndexFaults, FolderAndFileArePrivate) {
  IndexTree t;
  const mode_t old = ::umask(0);
  IndexStore store;
  IndexNote note;
  const bool open = store.Open(t.cache(), note);
  ::umask(old);
  ASSERT_TRUE(open);
  EXPECT_EQ(fs::status(PathToNative(t.cache())).permissions(), fs::perms(0700));
  EXPECT_EQ(fs::status(IndexFile(t)).permissions(), fs::perms(0600));
  // The log files SQLite makes beside it take the file's rights.
  const FolderTree tree = t.Tree();
  IndexedWalk walk(store, tree.FolderTreePath(0), NormalizeForMatch(u"A"));
  RunSearch(tree, u"A", {}, &walk);
  for (const char* log : {"-wal", "-shm"}) {
    const fs::path p = IndexFile(t).string() + log;
    if (fs::exists(p)) {
      EXPECT_EQ(fs::status(p).permissions(), fs::perms(0600)) << log;
    }
  }
}

TEST(IndexFaults, WriterKilledPartWay) {
  IndexTree t;
  // Enough files that the writer is caught in the middle of its batches.
  for (int k = 0; k < 3000; ++k) {
    t.Put("many/f" + std::to_string(k) + ".txt", "line " + std::to_string(k) + " 階段\n");
  }
  const FolderTree tree = t.Tree();
  for (const int delayMs : {5, 40, 120}) {
    SCOPED_TRACE(delayMs);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      IndexStore store;
      IndexNote note;
      if (!store.Open(t.cache(), note)) ::_exit(1);
      for (int round = 0;; ++round) {
        // Each round finds every file changed, so each rewrites the index.
        for (int k = 0; k < 3000; k += 7) {
          testing::Age(t.dir.path() / "many" / ("f" + std::to_string(k) + ".txt"), 2 + round % 2);
        }
        IndexedWalk walk(store, tree.FolderTreePath(0), NormalizeForMatch(u"階段"));
        RunSearch(tree, u"階段", {}, &walk);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    for (const char* keyword : {"階段", "line 12", "peace"}) {
      const std::u16string k = Utf8ToStr(keyword);
      EXPECT_EQ(SearchBoth(t, k).trouble, IndexTrouble::kNone);
    }
  }
}
#endif

TEST(IndexFaults, TwoSearchesAtOnceBothRight) {
  IndexTree t;
  for (int k = 0; k < 400; ++k) t.Put("many/f" + std::to_string(k) + ".txt", "洋室 " + std::to_string(k) + "\n");
  const FolderTree tree = t.Tree();
  const SearchOutput expected = RunSearch(tree, u"洋室", {}, nullptr);
  for (int round = 0; round < 3; ++round) {
    SearchOutput outputs[2];
    IndexNote notes[2];
    std::thread searches[2];
    for (int s = 0; s < 2; ++s) {
      searches[s] = std::thread([&, s] {
        IndexStore store;  // each its own connection, as two programs have
        store.Open(t.cache(), notes[s]);
        IndexedWalk walk(store, tree.FolderTreePath(0), NormalizeForMatch(u"洋室"));
        outputs[s] = RunSearch(tree, u"洋室", {}, &walk);
        if (notes[s].trouble == IndexTrouble::kNone) notes[s] = walk.note();
      });
    }
    for (std::thread& s : searches) s.join();
    for (int s = 0; s < 2; ++s) {
      EXPECT_EQ(outputs[s], expected) << round << s;
      EXPECT_EQ(notes[s].trouble, IndexTrouble::kNone) << round << s << " " << notes[s].detail << " " << notes[s].error;
    }
  }
}

}  // namespace
}  // namespace glyphgrab

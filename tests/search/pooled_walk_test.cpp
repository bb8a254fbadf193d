// The walk reads files on several threads but must report exactly as the one-file-at-a-
// time walk does: every callback, in the same order, with the same answers, and the same
// stop questions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "fixtures/unprivileged.h"
#include "search/file_find.h"
#include "util/codepage.h"
#include "util/full_width.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

using testing::JwArchiveWriter;
using testing::MojiOf;
using testing::Txt;

std::vector<std::uint8_t> Drawing(const std::string& text) {
  JwArchiveWriter w(600);
  testing::WriteJwwHeader(w, {});
  w.Count(1);
  w.Moji(MojiOf(0, 0), Txt(text.c_str()));
  w.Count(0);
  return w.bytes();
}

// Everything a walk reports, one line per callback or stop question.
struct Recorded {
  std::vector<std::string> events;
  SearchSummary summary;
};

Recorded Walk(const FolderTree& tree, std::u16string_view keyword, const SearchOptions& options,
              unsigned workers, int stopAfter) {
  Recorded r;
  int asked = 0;
  SearchCallbacks cb;
  cb.progress = [&](const std::u16string& p) { r.events.push_back("progress " + StrToUtf8(p)); };
  cb.found = [&](const SearchResult& f) { r.events.push_back("found " + StrToUtf8(f.Line())); };
  cb.unreadable = [&](const std::u16string& p, int error) {
    r.events.push_back("unreadable " + StrToUtf8(p) + " " + std::to_string(error));
  };
  cb.stop = [&] {
    r.events.push_back("stop?");
    return stopAfter >= 0 && asked++ >= stopAfter;
  };
  r.summary = FileFind(tree, NormalizeForMatch(keyword), options, cb, workers);
  return r;
}

// How a pooled walk differs from the one-thread walk: empty when it does not.
std::string Difference(const Recorded& one, const Recorded& pooled) {
  const auto& a = one.events;
  const auto& b = pooled.events;
  for (std::size_t k = 0; k < std::max(a.size(), b.size()); ++k) {
    const std::string x = k < a.size() ? a[k] : "(end)", y = k < b.size() ? b[k] : "(end)";
    if (x != y) return "event " + std::to_string(k) + ": " + x + " | " + y;
  }
  if (one.summary.StatusText() != pooled.summary.StatusText()) return "status differs";
  return "";
}

// A tree of many files of every kind, matching and not, with folders empty and full.
class PooledWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int f = 0; f < 6; ++f) {
      const std::string folder = f == 0 ? "" : "f" + std::to_string(f) + "/";
      if (f == 3) {
        dir_.MakeDir("f3");  // empty
        continue;
      }
      for (int k = 0; k < 40; ++k) {
        const std::string n = folder + "n" + std::to_string(k);
        switch (k % 8) {
          case 0: dir_.Write(n + ".jww", Drawing(k % 3 ? "needle" : "hay")); break;
          case 1: dir_.Write(n + ".jws", testing::SymbolWithTexts({k % 5 ? "hay" : "needle"})); break;
          case 2: {
            testing::JwcFixture jwc;
            jwc.texts = {{k % 3 ? "hay" : "needle"}};
            dir_.Write(n + ".jwc", jwc.Build());
            break;
          }
          case 3: dir_.Write(n + ".txt", k % 3 ? "hay\nneedle\n" : "hay\n"); break;
          case 4: dir_.Write(n + ".csv", "a,needle\n"); break;
          case 5: dir_.Write(n + ".html", "<p>hay</p>\n"); break;
          case 6: dir_.Write(n + ".dat", "needle"); break;  // a kind never searched
          case 7: dir_.Write(n + ".jww", "not a drawing, but needle"); break;
        }
      }
    }
    dir_.Write("f5/big.jww", std::string(3 << 20, 'x'));
  }
  void MakeTree() {
    ASSERT_EQ(FolderTreeMake(NativeToPath(dir_.folder()), tree_, nullptr), FolderTreeResult::Done);
  }

  testing::TempDir dir_;
  FolderTree tree_;
};

TEST_F(PooledWalk, SameReportsAsOneThreadAtEveryStop) {
  MakeTree();
  SearchOptions names, contents, drawings;
  names.contents = false;
  contents.names = false;
  drawings.kinds = {FileKind::kJww, FileKind::kJws, FileKind::kJwc, FileKind::kJwk};
  struct Case {
    const char* name;
    std::u16string keyword;
    SearchOptions options;
  } cases[] = {{"both", u"needle", {}}, {"names", u"n1", names}, {"contents", u"NEEDLE", contents},
               {"drawings", u"needle", drawings}, {"nothing", u"zzz", {}}};
  for (const Case& c : cases) {
    for (int stopAfter : {-1, 0, 1, 7, 100, 150}) {
      const Recorded one = Walk(tree_, c.keyword, c.options, 0, stopAfter);
      for (unsigned workers : {1u, 3u}) {
        EXPECT_EQ(Difference(one, Walk(tree_, c.keyword, c.options, workers, stopAfter)), "")
            << c.name << ", stop after " << stopAfter << ", " << workers << " workers";
      }
      if (stopAfter < 0) {
        EXPECT_EQ(one.summary.matched > 0, c.keyword != u"zzz") << c.name;
      }
    }
  }
}

// Folders and files that cannot be read are reported at their place in the walk.
TEST_F(PooledWalk, UnreadableFilesAndFoldersInTheirPlace) {
  dir_.Write("f2/locked.jww", Drawing("needle"));
  dir_.Write("f4/locked.txt", "needle\n");
  dir_.Write("f4/inner/a.jww", Drawing("needle"));
  std::filesystem::permissions(dir_.path() / "f2/locked.jww", std::filesystem::perms::none);
  std::filesystem::permissions(dir_.path() / "f4/locked.txt", std::filesystem::perms::none);
  MakeTree();
  std::filesystem::permissions(dir_.path() / "f4/inner", std::filesystem::perms::none);
  SearchOptions contents;
  contents.names = false;
  const int failed = testing::RunUnprivileged([&] {
    int bad = 0;
    for (int stopAfter : {-1, 50, 120}) {
      const Recorded one = Walk(tree_, u"needle", contents, 0, stopAfter);
      if (stopAfter < 0 && one.summary.unreadable != 3) ++bad;
      for (unsigned workers : {1u, 3u}) {
        if (!Difference(one, Walk(tree_, u"needle", contents, workers, stopAfter)).empty()) ++bad;
      }
    }
    return bad;
  });
  std::filesystem::permissions(dir_.path() / "f4/inner", std::filesystem::perms::owner_all);
  EXPECT_EQ(failed, 0);
}

// A file removed after its folder was listed is examined and matches neither by name nor
// by contents, and is not a read error, however many threads read ahead.
TEST_F(PooledWalk, FileRemovedAfterListing) {
  testing::TempDir dir;
  for (int k = 0; k < 100; ++k) dir.Write("a" + std::to_string(1000 + k) + ".txt", "needle\n");
  FolderTree tree;
  ASSERT_EQ(FolderTreeMake(NativeToPath(dir.folder()), tree, nullptr), FolderTreeResult::Done);
  const std::u16string last = NativeToPath(dir.folder()) + u"a1099.txt";
  for (unsigned workers : {0u, 1u, 3u}) {
    for (const char16_t* keyword : {u"a1", u"needle"}) {
      dir.Write("a1099.txt", "needle\n");
      std::vector<std::u16string> found, progress, unreadable;
      SearchCallbacks cb;
      cb.progress = [&](const std::u16string& p) {
        if (progress.empty()) std::filesystem::remove(dir.path() / "a1099.txt");
        progress.push_back(p);
      };
      cb.found = [&](const SearchResult& r) { found.push_back(r.name); };
      cb.unreadable = [&](const std::u16string& p, int) { unreadable.push_back(p); };
      const SearchSummary s = FileFind(tree, NormalizeForMatch(keyword), {}, cb, workers);
      const std::string name = std::to_string(workers) + " workers, " + StrToUtf8(keyword);
      EXPECT_EQ(s.examined, 100) << name;
      EXPECT_EQ(s.matched, 99) << name;
      EXPECT_EQ(s.unreadable, 0) << name;
      ASSERT_EQ(progress.size(), 100u) << name;
      EXPECT_EQ(progress.back(), last) << name;
      EXPECT_TRUE(unreadable.empty()) << name;
      EXPECT_EQ(std::count(found.begin(), found.end(), u"a1099.txt"), 0) << name;
    }
  }
}

}  // namespace
}  // namespace glyphgrab

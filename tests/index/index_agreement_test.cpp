// A search with the index finds exactly what one without it finds: on the first search
// (every file read and stored), on the next (every file answered from the index) and
// after files changed, vanished and appeared, for keywords of every length, Japanese and
// ASCII, every type tick and both modes.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixtures/corpus_manifest.h"
#include "index/index_fixture.h"
#include "util/codepage.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;
using testing::IndexTree;
using testing::RunSearch;
using testing::SearchOutput;

const std::u16string kKeywords[] = {
    u"洋", u"洋室", u"階段", u"室内", u"図面", u"A", u"ab", u"ａ b", u"LAYER", u"peace", u"kigou",
    u"jww", u"1", u"１２", u"ZZQX存在しない"};

std::vector<SearchOptions> OptionTable() {
  std::vector<SearchOptions> table;
  table.emplace_back();  // every type, both modes
  SearchOptions names, contents;
  names.contents = false;
  contents.names = false;
  table.push_back(names);
  table.push_back(contents);
  for (const FileKind kind : kSearchKinds) {
    SearchOptions one;
    one.kinds = {kind};
    table.push_back(one);
  }
  return table;
}

std::string Describe(const std::u16string& keyword, const SearchOptions& o) {
  std::string d = StrToUtf8(keyword) + " types ";
  for (const FileKind kind : kSearchKinds) d += o.kinds.Has(kind) ? '1' : '0';
  return d + (o.names ? " names" : "") + (o.contents ? " contents" : "");
}

// Every search of the table with a fresh walk over `index`, against the same search
// without it; the index's counts summed over the searches.
// `modesOnly` keeps to every type in the three modes (the real corpus under Wine, where
// each search costs many times more).
IndexCounts Agree(IndexStore& store, const FolderTree& tree, const std::vector<SearchOutput>* expected,
                  std::vector<SearchOutput>* record, bool modesOnly = false) {
  IndexCounts sum;
  std::size_t at = 0;
  std::vector<SearchOptions> table = OptionTable();
  if (modesOnly) table.resize(3);
  for (const std::u16string& keyword : kKeywords) {
    for (const SearchOptions& options : table) {
      SCOPED_TRACE(Describe(keyword, options));
      IndexedWalk walk(store, tree.FolderTreePath(0), NormalizeForMatch(keyword));
      const SearchOutput with = RunSearch(tree, keyword, options, &walk);
      EXPECT_EQ(walk.note().trouble, IndexTrouble::kNone);
      if (record) record->push_back(RunSearch(tree, keyword, options, nullptr));
      EXPECT_EQ(with, expected ? (*expected)[at] : record->back());
      ++at;
      const IndexCounts c = walk.counts();
      sum.read += c.read;
      sum.answered += c.answered;
      sum.dropped += c.dropped;
    }
  }
  return sum;
}

TEST(IndexAgreement, FixtureTreeBeforeAndAfterChanges) {
  IndexTree t;
  IndexStore store;
  IndexNote note;
  ASSERT_TRUE(store.Open(t.cache(), note));
  FolderTree tree = t.Tree();
  std::vector<SearchOutput> expected;
  const IndexCounts first = Agree(store, tree, nullptr, &expected);
  EXPECT_GT(first.read, 0);
  // The second round reads nothing: all 8 searched files are in the index.
  const IndexCounts second = Agree(store, tree, &expected, nullptr);
  EXPECT_EQ(second.read, 0);
  EXPECT_GT(second.answered, 0);

  // A drawing changed (same size is not needed: the time alone tells), a text file gone,
  // a new one.
  t.Put("plan.jww", testing::DrawingWithLayerAndTexts("LAYER", {"BA", "和室"}), 2);
  fs::remove(t.dir.path() / "sub" / "notes.txt");
  t.Put("sub/deep/new.txt", std::string("新しい階段\n"));
  tree = t.Tree();
  expected.clear();
  const IndexCounts changed = Agree(store, tree, nullptr, &expected);
  EXPECT_EQ(changed.dropped, 1);  // only the first search of the round drops it
  EXPECT_GT(changed.read, 0);
  EXPECT_EQ(Agree(store, tree, &expected, nullptr).read, 0);
}

TEST(IndexAgreement, SameSizeAndTimeIsTrustedButARecentFileIsNotKept) {
  IndexTree t;
  IndexStore store;
  IndexNote note;
  ASSERT_TRUE(store.Open(t.cache(), note));
  // Written just now: read every time until it is old enough.
  t.Put("fresh.txt", std::string("いま書いた\n"), 0);
  const FolderTree tree = t.Tree();
  for (int round = 0; round < 2; ++round) {
    IndexedWalk walk(store, tree.FolderTreePath(0), NormalizeForMatch(u"いま"));
    EXPECT_EQ(RunSearch(tree, u"いま", {}, &walk).lines.size(), 1u);
    EXPECT_EQ(walk.counts().read, round == 0 ? 9 : 1) << round;
  }
}

TEST(IndexAgreement, RealCorpus) {
  const fs::path corpus = GLYPHGRAB_CORPUS_DIR;
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "corpus folder not found: " << corpus;
  testing::TempDir cache;
  IndexStore store;
  IndexNote note;
  ASSERT_TRUE(store.Open(NativeToPath((cache.path() / "glyphgrab").string()), note));
  FolderTree tree;
  FolderTreeMake(NativeToPath(corpus.string()), tree, nullptr);
#ifdef _WIN32
  const bool modesOnly = true;
#else
  const bool modesOnly = false;
#endif
  std::vector<SearchOutput> expected;
  const IndexCounts first = Agree(store, tree, nullptr, &expected, modesOnly);
  EXPECT_GE(first.read, 394);
  const IndexCounts second = Agree(store, tree, &expected, nullptr, modesOnly);
  EXPECT_EQ(second.read, 0);
  EXPECT_GE(second.answered, 394);
  // Some of the keywords find something in the real drawings.
  std::size_t found = 0;
  for (const SearchOutput& o : expected) found += o.lines.size();
  EXPECT_GT(found, 100u);
}

}  // namespace
}  // namespace glyphgrab

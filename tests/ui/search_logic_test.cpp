// The search window's logic over a fake view: what a start checks, the walk's results,
// the keyword history and a result line's click.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "ui/search_logic.h"
#include "ui_fixture.h"
#include "util/full_width.h"

namespace glyphgrab {
namespace {

using testing::FakeSearchView;
using testing::U16;
using testing::UiFixture;

constexpr SearchOptions kAllChecks{kAllSearchKinds, true, true};

struct SearchFixture : UiFixture {
  FakeSearchView searchView;
  std::unique_ptr<ui::SearchLogic> search;

  SearchFixture() {
    SaveUsualSettings();
    Start();
    search = std::make_unique<ui::SearchLogic>(searchView, *logic);
    search->Init();
    searchView.checks = kAllChecks;
  }
  ~SearchFixture() { search.reset(); }

  void Run(std::u16string keyword) {
    searchView.keyword = std::move(keyword);
    search->Button1Click();
    searchView.RunUntil([&] { return !search->Searching(); });
  }
};

// A first start has every tick off: the window says where to tick before a search is
// tried; with ticks on it says nothing.
TEST(SearchLogic, AFirstStartPointsAtTheTicks) {
  for (const bool ticked : {false, true}) {
    UiFixture f;
    TSettings s;
    s.rootFolder = AddTrailingDelim(U16(f.root));
    if (ticked) s.optFlags[kOptSearchNames] = s.optFlags[kOptSearchJww] = true;
    SettingsSave(f.Files().settingsFile, s);
    f.Start();
    FakeSearchView view;
    ui::SearchLogic search(view, *f.logic);
    search.Init();
    EXPECT_EQ(view.status, ticked ? u"" : ui::kNoTicksHint) << ticked;
  }
}

TEST(SearchLogic, WhatAStartNeeds) {
  struct Case {
    const char* name;
    std::u16string keyword;
    SearchOptions checks;
    std::u16string_view status;
  };
  const Case cases[] = {
      {"empty keyword", u"", kAllChecks, ui::kNoKeywordText},
      {"blank keyword", u" \u3000 ", kAllChecks, ui::kNoKeywordText},
      {"neither names nor contents", u"line", {kAllSearchKinds, false, false}, ui::kNoSearchModeText},
      {"no file type", u"line", {FileKindSet{}, true, true}, ui::kNoFileTypeText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SearchFixture f;
    f.searchView.status = u"old";
    f.searchView.checks = c.checks;
    f.searchView.keyword = c.keyword;
    f.searchView.results = {u"earlier result"};
    const OptFlags before = f.logic->settings().optFlags;
    f.search->Button1Click();
    EXPECT_EQ(f.logic->settings().optFlags, before);  // the boxes are not taken
    EXPECT_FALSE(f.search->Searching());
    EXPECT_EQ(f.searchView.status, c.status);
    EXPECT_EQ(f.searchView.results, std::vector<std::u16string>{u"earlier result"});  // nothing cleared
    EXPECT_TRUE(f.search->history().empty());
    EXPECT_TRUE(f.searchView.enabled.empty());  // the buttons were never turned off
  }
}

TEST(SearchLogic, FindsAndOpensAResult) {
  SearchFixture f;
  f.searchView.keyword = u"second";
  f.search->Button1Click();
  EXPECT_TRUE(f.search->Searching());
  EXPECT_FALSE(f.searchView.enabled[ui::SearchControl::kStartButton]);
  EXPECT_FALSE(f.searchView.enabled[ui::SearchControl::kCloseButton]);
  f.searchView.RunUntil([&] { return !f.search->Searching(); });
  ASSERT_EQ(f.searchView.results.size(), 1u);
  EXPECT_EQ(f.searchView.results, f.search->results());
  EXPECT_TRUE(f.searchView.enabled[ui::SearchControl::kStartButton]);
  EXPECT_TRUE(f.searchView.enabled[ui::SearchControl::kCloseButton]);
  EXPECT_EQ(f.searchView.history, std::vector<std::u16string>{u"second"});
  EXPECT_EQ(f.searchView.keyword, u"second");

  f.SaveSettings(u"", u"");  // nothing from the disk: the click works on the tree in memory
  f.searchView.currentResult = 0;
  f.search->ListBox1Click();
  EXPECT_EQ(f.logic->preFolder(), U16(f.a));
  EXPECT_TRUE(f.view.RunUntil([&] { return !f.logic->ExtractionRunning(); }));
  EXPECT_EQ(f.view.lines.front(), u"【one.txt】");
}

// The boxes are the stored options kOptSearchJww to kOptSearchContents, in order, both
// ways; each type box takes its own kind of file into the search.
TEST(SearchLogic, EachBoxIsItsStoredOptionAndItsKind) {
  static_assert(kOptSearchContents - kOptSearchJww + 1 == ui::kSearchBoxes.size());
  for (std::size_t box = 0; box < ui::kSearchBoxes.size(); ++box) {
    SCOPED_TRACE(box);
    SearchFixture f;
    SearchOptions checks = ui::kNoSearchBoxes;
    ui::kSearchBoxes[box].Set(checks, true);
    f.searchView.checks = checks;
    f.search->StoreSettings();
    OptFlags expected = f.logic->settings().optFlags;
    for (std::size_t k = kOptSearchJww; k <= kOptSearchContents; ++k) expected[k] = k == kOptSearchJww + box;
    EXPECT_EQ(f.logic->settings().optFlags, expected);
    f.searchView.checks = {};
    f.search->Init();
    EXPECT_EQ(f.searchView.checks, checks);
    EXPECT_TRUE(ui::kSearchBoxes[box].On(f.searchView.checks));
  }
  struct Case {
    const char* name;
    FileKind kind;  // with the content search
    std::u16string keyword;
    std::size_t results;
  } cases[] = {{"TXT finds one.txt", FileKind::kTxt, u"second line", 1},
               {"TXT leaves two.csv", FileKind::kTxt, u"later", 0},
               {"CSV finds two.csv", FileKind::kCsv, u"later", 1},
               {"CSV leaves one.txt", FileKind::kCsv, u"second line", 0},
               {"HTML takes neither", FileKind::kHtml, u"line", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SearchFixture f;
    f.searchView.checks = {FileKindSet{c.kind}, false, true};
    f.Run(c.keyword);
    EXPECT_EQ(f.searchView.results.size(), c.results);
  }
}

TEST(SearchLogic, HistoryKeepsTheNewestFormOnTop) {
  SearchFixture f;
  f.Run(u"Alpha");
  f.Run(u"beta");
  f.Run(u"ALPHA");
  EXPECT_EQ(f.searchView.history, (std::vector<std::u16string>{u"ALPHA", u"beta"}));
  for (int i = 0; i < 35; ++i) f.Run(u"k" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
  f.search->StoreSettings();
  const TSettings& s = f.logic->settings();
  EXPECT_EQ(s.keywordHistory.size(), static_cast<std::size_t>(kKeywordHistoryLines));
  EXPECT_EQ(s.keywordHistory.front(), u"k" + std::u16string(1, static_cast<char16_t>(u'a' + 34)));
  EXPECT_EQ(s.searchWindow, f.searchView.geometry);
}

TEST(SearchLogic, WithoutACurrentFolderTheMainWindowSaysSo) {
  SearchFixture f;
  std::filesystem::remove_all(f.a);
  f.Run(u"line");
  EXPECT_EQ(f.view.status, ui::kFolderMissingText);
  EXPECT_EQ(f.searchView.status, u"");  // not left at "searching"
  EXPECT_TRUE(f.searchView.results.empty());
  EXPECT_EQ(f.searchView.history, std::vector<std::u16string>{u"line"});
  EXPECT_TRUE(f.searchView.enabled[ui::SearchControl::kStartButton]);
}

TEST(SearchLogic, EscKeepsWhatWasFoundAndSaysSo) {
  SearchFixture f;
  f.dir.Write("root/a/needle1.txt", "");
  f.dir.Write("root/b/needle2.txt", "");
  f.logic->EscPressed();  // nothing runs: harmless
  // File names only: the walk posts one progress, then the first find; Esc comes there.
  f.searchView.checks = {kAllSearchKinds, true, false};
  std::atomic<int> posts{0};
  f.searchView.onPost = [&] {
    if (++posts == 2) f.search->EscPressed();
  };
  f.Run(u"needle");
  ASSERT_FALSE(f.search->Searching());
  ASSERT_EQ(f.search->results().size(), 1u);
  EXPECT_NE(f.search->results()[0].find(u"needle1.txt"), std::u16string::npos);
  EXPECT_EQ(f.searchView.results, f.search->results());
  EXPECT_EQ(f.searchView.status, u"《ESC:中断しました》");
  EXPECT_TRUE(f.searchView.enabled[ui::SearchControl::kStartButton]);
}

TEST(SearchLogic, ResultsOfAGoneSearchAreDropped) {
  SearchFixture f;
  f.searchView.keyword = u"line";
  f.search->Button1Click();
  ASSERT_TRUE(f.searchView.WaitForPosts());
  f.search.reset();
  f.searchView.RunPosted();
  EXPECT_TRUE(f.searchView.results.empty());
  EXPECT_TRUE(f.searchView.history.empty());
}

// The search index's folder moved to a test's own while it lives.
class CacheHome {
 public:
  explicit CacheHome(const std::filesystem::path& folder) {
#ifdef _WIN32
    SetEnvironmentVariableW(L"LOCALAPPDATA", folder.wstring().c_str());
#else
    const char* old = std::getenv("XDG_CACHE_HOME");
    if (old) old_ = old;
    had_ = old != nullptr;
    ::setenv("XDG_CACHE_HOME", folder.string().c_str(), 1);
#endif
  }
  ~CacheHome() {
#ifndef _WIN32
    if (had_) {
      ::setenv("XDG_CACHE_HOME", old_.c_str(), 1);
    } else {
      ::unsetenv("XDG_CACHE_HOME");
    }
#endif
  }

 private:
  std::string old_;
  bool had_ = false;
};

void WriteAged(const testing::TempDir& dir, const std::string& relative, const std::string& text, int hours) {
  const auto p = dir.Write(relative, text);
  std::filesystem::last_write_time(p, std::filesystem::file_time_type::clock::now() - std::chrono::hours(hours));
}

TEST(SearchLogic, IndexLinesComeFirstAndTheWalkCorrectsThem) {
  testing::TempDir cache;
  CacheHome home(cache.path());
  SearchFixture f;
  WriteAged(f.dir, "root/a/stale.txt", "needle\n", 1);
  WriteAged(f.dir, "root/b/kept.txt", "needle\n", 1);
  f.Run(u"needle");  // fills the index
  const std::vector<std::u16string> before = f.search->results();
  ASSERT_EQ(before.size(), 2u);
  EXPECT_EQ(f.searchView.status, u"検索終了：対象4ファイル中、2ファイル");

  // One indexed file lost its keyword, a new one has it.
  WriteAged(f.dir, "root/a/stale.txt", "no longer\n", 2);
  WriteAged(f.dir, "root/b/new.txt", "needle\n", 1);
  f.searchView.statuses.clear();
  f.Run(u"needle");
  // The index's lines came first, in batches as they were read, merged into walk order;
  // the status line said where they came from.
  const auto shown = std::find_if(f.searchView.statuses.rbegin(), f.searchView.statuses.rend(),
                                  [](const auto& s) { return s.status.starts_with(ui::kIndexResultsHead); });
  ASSERT_NE(shown, f.searchView.statuses.rend());
  EXPECT_EQ(shown->status, u"索引から2ファイル（フォルダを確認中）");
  EXPECT_EQ(shown->results, before);
  // The walk took the stale line away and added the new one: the list is a search's
  // without the index.
  std::vector<std::u16string> walked;
  SearchCallbacks cb;
  cb.found = [&](const SearchResult& r) { walked.push_back(r.Line()); };
  FileFind(f.logic->folderTree(), NormalizeForMatch(u"needle"), {}, cb);
  EXPECT_EQ(f.search->results(), walked);
  EXPECT_EQ(f.searchView.results, walked);
  EXPECT_EQ(f.searchView.status, u"検索終了：対象5ファイル中、2ファイル（索引の結果を確認済み）");
}

}  // namespace
}  // namespace glyphgrab

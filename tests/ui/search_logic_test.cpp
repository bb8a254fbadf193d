// The search window's logic over a fake view: what a start checks, the walk's results,
// the keyword history and a result line's click.
#include <gtest/gtest.h>

#include "ui/search_logic.h"
#include "ui_fixture.h"

namespace glyphgrab {
namespace {

using testing::FakeSearchView;
using testing::U16;
using testing::UiFixture;

constexpr std::array<bool, ui::kSearchCheckCount> kAllChecks = {true, true, true, true, true, true, true, true, true};

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

TEST(SearchLogic, WhatAStartNeeds) {
  struct Case {
    const char* name;
    std::u16string keyword;
    std::array<bool, ui::kSearchCheckCount> checks;
    std::u16string_view status;
  };
  const Case cases[] = {
      {"blank keyword", u" \u3000 ", kAllChecks, u""},
      {"neither names nor contents", u"line", {true, true, true, true, true, true, true, false, false},
       ui::kNoSearchModeText},
      {"no file type", u"line", {false, false, false, false, false, false, false, true, true}, ui::kNoFileTypeText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SearchFixture f;
    f.searchView.status = u"old";
    f.searchView.checks = c.checks;
    f.searchView.keyword = c.keyword;
    const OptFlags before = f.logic->settings().optFlags;
    f.search->Button1Click();
    EXPECT_EQ(f.logic->settings().optFlags, before);  // the boxes are not taken
    EXPECT_FALSE(f.search->Searching());
    EXPECT_EQ(f.searchView.status, c.status);
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

}  // namespace
}  // namespace glyphgrab

#include "ui/window_rules.h"

#include <gtest/gtest.h>

#include "ui/main_logic.h"
#include "ui/pane_widths.h"
#include "ui_fixture.h"

namespace glyphgrab {
namespace {

TEST(WindowRules, CaptionsShowTheirAmpersands) {
  const struct {
    std::u16string_view in, out;
  } cases[] = {{u"A&B", u"A&&B"}, {u"&&", u"&&&&"}, {u"/home/x/", u"/home/x/"}, {u"", u""}};
  for (const auto& c : cases) EXPECT_EQ(ui::LiteralCaption(c.in), c.out);
}

// A root folder named with "&" is shown on the folder button as itself on both editions.
TEST(WindowRules, TheFolderButtonShowsARootWithAnAmpersand) {
  testing::UiFixture f;
  f.dir.MakeDir("A&B");
  f.SaveSettings(AddTrailingDelim(testing::U16(f.dir.path() / "A&B")), u"");
  f.Start();
  EXPECT_EQ(f.view.rootButton, ui::LiteralCaption(AddTrailingDelim(testing::U16(f.dir.path() / "A&B"))));
  EXPECT_NE(f.view.rootButton.find(u"A&&B"), std::u16string::npos);
}

// A narrow window keeps its size: the side panes give up width in proportion, never
// below their minimum, and the file list keeps its own.
TEST(WindowRules, ANarrowWindowSqueezesTheSidePanes) {
  const struct {
    const char* name;
    int tree, texts, total;
    ui::PaneWidths out;
  } cases[] = {
      {"room for all", 200, 300, 800, {200, 300, 300}},
      {"just room", 200, 300, 580, {200, 80, 300}},
      {"sides share the loss", 200, 300, 330, {100, 80, 150}},
      {"a side at its minimum", 200, 300, 100, {40, 12, 48}},
      {"unset widths", 0, 0, 500, {1, 498, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ui::PaneWidths w = ui::FitPaneWidths(c.tree, c.texts, c.total, ui::kMinFilePane, ui::kMinSidePane);
    EXPECT_EQ(w.tree, c.out.tree);
    EXPECT_EQ(w.files, c.out.files);
    EXPECT_EQ(w.texts, c.out.texts);
  }
}

TEST(WindowRules, OnlyADefaultDateColumnGrowsToADateAndTime) {
  const auto measure = [](std::u16string_view text) { return static_cast<int>(text.size()) * 7; };  // 133
  TSettings s;
  auto widths = ui::FileColumnWidths(s, measure);
  EXPECT_EQ(widths[ui::kDateColumn], 133 + 16);
  EXPECT_EQ(widths[0], s.columnWidths[0]);
  s.columnWidths[ui::kDateColumn] = 60;  // the user's own width stays, however narrow
  widths = ui::FileColumnWidths(s, measure);
  EXPECT_EQ(widths[ui::kDateColumn], 60);
  s = TSettings{};
  widths = ui::FileColumnWidths(s, [](std::u16string_view) { return 10; });  // a tiny font
  EXPECT_EQ(widths[ui::kDateColumn], s.columnWidths[ui::kDateColumn]);
}

}  // namespace
}  // namespace glyphgrab

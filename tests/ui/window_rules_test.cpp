#include "ui/window_rules.h"

#include <gtest/gtest.h>

#include "ui/main_logic.h"
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

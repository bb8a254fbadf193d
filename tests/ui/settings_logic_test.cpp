// The settings dialog's logic over a fake view: the working copy of the profiles, the
// wait time's check and what OK commits.
#include <gtest/gtest.h>

#include "fake_views.h"
#include "ui/settings_logic.h"

namespace glyphgrab {
namespace {

using testing::Box;
using testing::FakeSettingsView;

TSettings StoredSettings() {
  TSettings s;
  s.sendProfileNo = 2;
  for (int i = 0; i < kSendProfileCount; ++i) {
    const std::u16string title = u"title" + std::u16string(1, static_cast<char16_t>(u'0' + i));
    s.sendProfiles[static_cast<std::size_t>(i)] = TSend_jww{0.5, 0, title, u"@DA^V", false};
  }
  s.activeProfile = s.sendProfiles[2];
  s.optFlags[1] = true;
  return s;
}

TEST(SettingsLogic, ShowsTheStoredOptionsAndTheProfileOfTheSendNumber) {
  FakeSettingsView view;
  TSettings s = StoredSettings();
  ui::SettingsLogic logic(view, s);
  logic.FormShow();
  EXPECT_EQ(view.options, (std::array<bool, ui::kExtractOptionCount>{false, true, false, false, false}));
  EXPECT_EQ(view.profileNumber, 2);
  EXPECT_EQ(view.tab, 2);
  EXPECT_EQ(view.fields.title, u"title2");
  EXPECT_EQ(view.fields.wait, u"0.5");
}

TEST(SettingsLogic, OkCommitsEveryTabShownAndTheChosenProfile) {
  FakeSettingsView view;
  TSettings s = StoredSettings();
  ui::SettingsLogic logic(view, s);
  logic.FormShow();
  view.fields.title = u"edited2";
  logic.TabChanged(5);
  EXPECT_EQ(view.fields.title, u"title5");
  view.fields = {u"3", true, true, u"edited5", u"{TAB}"};
  view.profileNumber = 5;
  view.options = {true, false, true, false, true};
  logic.Button1Click();
  EXPECT_TRUE(view.accepted);
  EXPECT_TRUE(logic.OKflag());
  EXPECT_EQ(s.sendProfiles[2].Tcap, u"edited2");
  EXPECT_EQ(s.sendProfiles[5], (TSend_jww{3, 1, u"edited5", u"{TAB}", true}));
  EXPECT_EQ(s.sendProfileNo, 5);
  EXPECT_EQ(s.activeProfile, s.sendProfiles[5]);
  EXPECT_TRUE(s.optFlags[0] && !s.optFlags[1] && s.optFlags[2] && s.optFlags[4]);
}

// Cancel, Esc and the window's close all end here: nothing edited reaches the settings.
TEST(SettingsLogic, CancelCommitsNothing) {
  FakeSettingsView view;
  TSettings s = StoredSettings();
  const TSettings before = s;
  ui::SettingsLogic logic(view, s);
  logic.FormShow();
  view.fields.title = u"edited2";
  logic.TabChanged(5);
  view.profileNumber = 5;
  logic.Cancel();
  EXPECT_TRUE(view.rejected);
  EXPECT_FALSE(view.accepted);
  EXPECT_FALSE(logic.OKflag());
  EXPECT_EQ(s, before);
}

TEST(SettingsLogic, WaitTime) {
  struct Case {
    std::u16string wait;
    bool accepted;
    double stored;
  };
  const Case cases[] = {{u"0", true, 0},    {u"60", true, 60},     {u"0.1", true, 0.1}, {u"0,5", true, 0},
                        {u"abc", true, 0},  {u"60.5", false, 0},   {u"-1", false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.wait.begin(), c.wait.end()));
    FakeSettingsView view;
    TSettings s = StoredSettings();
    const TSettings before = s;
    ui::SettingsLogic logic(view, s);
    logic.FormShow();
    view.fields.wait = c.wait;
    // A tab change is refused while the wait is out of range: the old tab comes back.
    view.tab = 7;
    logic.TabChanged(7);
    EXPECT_EQ(view.tab, c.accepted ? 7 : 2);
    if (c.accepted) {
      logic.TabChanged(2);
      view.fields.wait = c.wait;
    }
    logic.Button1Click();
    EXPECT_EQ(logic.OKflag(), c.accepted);
    if (c.accepted) {
      EXPECT_TRUE(view.boxes.empty());
      EXPECT_EQ(s.sendProfiles[2].Wtim, c.stored);
    } else {
      const Box notice{Box::kMessage, std::u16string(ui::kInvalidWaitText)};
      EXPECT_EQ(view.boxes, (std::vector<Box>{notice, notice}));
      EXPECT_EQ(view.beeps, 2);
      EXPECT_TRUE(view.waitFocused);
      EXPECT_TRUE(s == before);  // nothing committed
    }
  }
}

}  // namespace
}  // namespace glyphgrab

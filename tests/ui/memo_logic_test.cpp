// The memo window's logic over a fake view: what copy and send take from each page,
// the page-dependent Alt keys, sorting and clearing.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "sendkeys/send.h"
#include "ui/memo_logic.h"
#include "ui_fixture.h"

namespace glyphgrab {
namespace {

using testing::Box;
using testing::FakeMemoView;
using testing::UiFixture;

struct MemoFixture : UiFixture {
  FakeMemoView memoView;
  std::unique_ptr<ui::MemoLogic> memo;

  explicit MemoFixture(std::u16string_view text = u"beta\r\n\r\nAlpha\r\ngamma\r\n") {
    MemoSave(Files().memoFile, text);
    Start();
    logic->settings().memoWindow = TWindowGeometry{30, 40, 50, 60};
    memo = std::make_unique<ui::MemoLogic>(memoView, logic->memo(), logic->settings(), logic->desktop());
    memo->Init();
  }
  ~MemoFixture() { memo.reset(); }

  void ToSelectionPage() {
    memoView.page = ui::kMemoSelectionPage;
    memo->PageControl1Change(ui::kMemoSelectionPage);
  }
};

TEST(MemoLogic, StartsFromTheMemoAndTheSettings) {
  MemoFixture f;
  EXPECT_EQ(f.memoView.edit, u"beta\r\n\r\nAlpha\r\ngamma\r\n");
  EXPECT_EQ(f.memoView.placed, (TWindowGeometry{30, 40, ui::kMemoMinWidth, ui::kMemoMinHeight}));
  f.memo->FormShow();
  EXPECT_EQ(f.memoView.page, ui::kMemoEditPage);
  EXPECT_TRUE(f.memoView.editFocused);
  EXPECT_EQ(f.memoView.status, MemoLineCountMessage(4));
}

// What both editions do when the window opens and closes.
TEST(MemoLogic, OpensOnTheEditPageAndClosingKeepsItsPlace) {
  MemoFixture f;
  f.ToSelectionPage();
  f.memoView.hidden = true;
  f.logic->memo().SetText(u"added\r\n");  // while the window was closed
  f.memo->Show();
  EXPECT_FALSE(f.memoView.hidden);
  EXPECT_EQ(f.memoView.presented, 1);
  EXPECT_EQ(f.memoView.edit, u"added\r\n");
  EXPECT_EQ(f.memoView.page, ui::kMemoEditPage);
  EXPECT_TRUE(f.memoView.editFocused);
  EXPECT_EQ(f.memoView.status, MemoLineCountMessage(1));

  f.memoView.placed = TWindowGeometry{70, 80, 400, 300};  // moved by the user
  f.memo->Close();
  EXPECT_TRUE(f.memoView.hidden);
  EXPECT_EQ(f.logic->settings().memoWindow, (TWindowGeometry{70, 80, 400, 300}));
}

TEST(MemoLogic, EditsReachTheMemoAndOutsideChangesReachTheEdit) {
  MemoFixture f;
  f.memoView.edit = u"typed\nline";
  f.memo->EditChanged();
  EXPECT_EQ(f.logic->memo().Text(), u"typed\r\nline");
  f.logic->memo().SetText(u"typed\r\nline\r\nadded\r\n");
  f.memo->MemoChanged();
  EXPECT_EQ(f.memoView.edit, u"typed\r\nline\r\nadded\r\n");
}

TEST(MemoLogic, NothingSelected) {
  struct Case {
    const char* name;
    int page;
    bool send;
    std::u16string_view status;
  };
  const Case cases[] = {
      {"copy from the edit page", ui::kMemoEditPage, false, ui::kNothingToCopy},
      {"send from the edit page", ui::kMemoEditPage, true, ui::kNothingToSend},
      {"copy from the list page", ui::kMemoSelectionPage, false, ui::kNoItemToCopy},
      {"send from the list page", ui::kMemoSelectionPage, true, ui::kNoItemToSend},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoFixture f;
    f.AddTarget();
    if (c.page == ui::kMemoSelectionPage) f.ToSelectionPage();
    c.send ? f.memo->Button4Click() : f.memo->Button3Click();
    EXPECT_EQ(f.memoView.status, c.status);
    EXPECT_TRUE(f.journal.empty());
    EXPECT_EQ(f.memoView.beeps, 0);
  }
}

TEST(MemoLogic, CopyTakesTheSelectionOfThePageShown) {
  MemoFixture f;
  f.logic->settings().activeProfile.Moj1 = false;
  f.memoView.editSelection = u"beta\r\n\r\nAl";
  f.memo->Button3Click();
  EXPECT_EQ(f.clipboard->text, u"beta\r\n\r\nAl");
  EXPECT_EQ(f.memoView.status, ui::kCopiedPlain);

  f.ToSelectionPage();
  EXPECT_EQ(f.memoView.lines, (std::vector<std::u16string>{u"beta", u"Alpha", u"gamma"}));
  f.memoView.selected = {0, 2};
  f.memo->Button3Click();
  EXPECT_EQ(f.clipboard->text, u"beta\r\ngamma\r\n");

  // One line: control characters out, at most 255 columns.
  f.logic->settings().activeProfile.Moj1 = true;
  f.memo->Button3Click();
  EXPECT_EQ(f.clipboard->text, u"betagamma");
  EXPECT_EQ(f.memoView.status, CopiedMessage(u"betagamma"));
}

TEST(MemoLogic, ListClickCopiesAndDoubleClickSendsOneLine) {
  MemoFixture f;
  f.ToSelectionPage();
  f.memoView.current = 1;
  f.memo->ListBox1Click();
  EXPECT_EQ(f.clipboard->text, u"Alpha");
  EXPECT_EQ(f.memoView.status, CopiedMessage(u"Alpha"));

  // No target yet: a beep and the notice, nothing copied.
  f.memoView.current = 2;
  f.memoView.selected = {2};
  f.memo->ListBox1DblClick();
  f.memo->Button4Click();
  EXPECT_EQ(f.memoView.beeps, 2);
  const Box notice{Box::kMessage, NotRunningMessage(u"jw_win")};
  EXPECT_EQ(f.memoView.boxes, (std::vector<Box>{notice, notice}));
  EXPECT_EQ(f.clipboard->text, u"Alpha");
  f.AddTarget();
  std::atomic<bool> release{false};
  f.wait = [&](double) {
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  f.memo->ListBox1DblClick();
  EXPECT_EQ(f.clipboard->text, u"gamma");
  // While the send runs neither a list click nor the copy button replaces its text.
  f.memoView.current = 1;
  f.memo->ListBox1Click();
  f.memo->Button3Click();
  EXPECT_EQ(f.clipboard->text, u"gamma");
  EXPECT_EQ(f.memoView.status, kCopyBusyText);
  release = true;
  ASSERT_TRUE(f.memoView.RunUntil([&] { return !f.logic->desktop().sender->Busy(); }));
  EXPECT_EQ(f.memoView.status, SentMessage(u"@DA^V"));
  f.memo->ListBox1Click();
  EXPECT_EQ(f.clipboard->text, u"Alpha");
}

TEST(MemoLogic, AltKeysActOnThePageShown) {
  MemoFixture f;
  // Edit page without a selection: Alt+C closes, Alt+S turns to the list page.
  EXPECT_TRUE(f.memo->AltKey(u'C'));
  EXPECT_TRUE(f.memoView.hidden);
  EXPECT_TRUE(f.memo->AltKey(u'S'));
  EXPECT_EQ(f.memoView.page, ui::kMemoSelectionPage);
  EXPECT_EQ(f.memoView.lines.size(), 3u);
  // List page: Alt+S sorts, Alt+C copies the selected lines.
  EXPECT_TRUE(f.memo->AltKey(u'S'));
  EXPECT_EQ(f.logic->memo().Text(), u"Alpha\r\nbeta\r\ngamma\r\n");
  EXPECT_EQ(f.memoView.lines, (std::vector<std::u16string>{u"Alpha", u"beta", u"gamma"}));
  f.memoView.hidden = false;
  f.memoView.selected = {1};
  EXPECT_TRUE(f.memo->AltKey(u'C'));
  EXPECT_FALSE(f.memoView.hidden);
  EXPECT_FALSE(f.memo->AltKey(u'X'));
}

TEST(MemoLogic, ClearAllAsksFirst) {
  MemoFixture f;
  f.memoView.yes = false;
  f.memo->Button5Click();
  EXPECT_EQ(f.logic->memo().LineCount(), 4);
  f.memoView.yes = true;
  f.memo->Button5Click();
  EXPECT_EQ(f.logic->memo().Text(), u"");
  EXPECT_EQ(f.memoView.edit, u"");
  EXPECT_EQ(f.memoView.status, kMemoClearedMessage);
  EXPECT_EQ(f.memoView.boxes.size(), 2u);
  EXPECT_EQ(f.memoView.boxes.front(), (Box{Box::kYesNo, kMemoClearQuestion}));
}

}  // namespace
}  // namespace glyphgrab

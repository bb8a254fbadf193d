// The main window's logic over a fake view: start-up and the scan, the current-folder
// check, extraction, copy and send, the memo's saving, and results that arrive late.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "fixtures/jww_builder.h"
#ifndef _WIN32
#include "fixtures/unprivileged.h"
#endif
#include "sendkeys/send.h"
#include "ui_fixture.h"
#include "util/file_bytes.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

using testing::Box;
using testing::U16;
using testing::UiFixture;
using ui::MainControl;
namespace fs = std::filesystem;

constexpr MainControl kScanControls[] = {MainControl::kRootButton, MainControl::kTree, MainControl::kFilter,
                                         MainControl::kSearchButton};

TEST(MainLogic, FirstStartWithoutSettings) {
  UiFixture f;
  ui::MainLogic& logic = f.Start();
  EXPECT_EQ(f.view.rootButton, ui::kChooseRootText);
  EXPECT_EQ(f.view.focus, u"root button");  // the folder button asks for a root
  EXPECT_EQ(f.view.label, ui::kFolderLabel);
  EXPECT_TRUE(f.view.rows.empty());
  EXPECT_EQ(f.view.status, ui::kNoRootText);
  EXPECT_TRUE(f.view.boxes.empty());
  EXPECT_EQ(f.view.memoTimer, ui::kMemoSaveInterval);
  EXPECT_TRUE(fs::is_directory(f.app / "TEMP"));
  logic.Closing();
  EXPECT_FALSE(fs::exists(f.app / "TEMP"));  // removed when empty
  EXPECT_TRUE(fs::exists(f.app / "glyphgrab.dat"));
}

TEST(MainLogic, ControlsStayOffUntilTheScanResultIsTaken) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Make(f.Files());
  logic.StartUp();
  EXPECT_EQ(f.view.status, ui::kTreeBusyText);
  ASSERT_TRUE(f.view.WaitForPosts());
  // The worker is done, but its result waits for the window thread: nothing changed yet.
  for (MainControl c : kScanControls) EXPECT_FALSE(f.view.Enabled(c)) << static_cast<int>(c);
  EXPECT_FALSE(f.view.treeVisible);
  EXPECT_TRUE(logic.TreeScanRunning());
  logic.TreeView1Click();
  logic.BrowseForFolderAccept(U16(f.a));
  EXPECT_EQ(logic.settings().rootFolder, AddTrailingDelim(U16(f.root)));  // ignored
  EXPECT_EQ(f.view.status, ui::kTreeBusyText);

  f.view.RunPosted();
  EXPECT_FALSE(logic.TreeScanRunning());
  for (MainControl c : kScanControls) EXPECT_TRUE(f.view.Enabled(c)) << static_cast<int>(c);
  EXPECT_TRUE(f.view.treeVisible);
  EXPECT_TRUE(f.view.treeExpanded);
  EXPECT_EQ(f.view.treeNodes, 4u);  // root, a, a/c, b
  EXPECT_EQ(f.view.selectedNode, logic.folderTree().FindFolder(U16(f.a)));
  EXPECT_EQ(f.view.label, std::u16string(ui::kFolderLabel) + U16(f.a));
  EXPECT_EQ(f.view.rows, (std::vector<std::u16string>{u"one.txt", u"two.csv"}));
  EXPECT_EQ(f.view.status, FileListDoneText(2));
}

TEST(MainLogic, AChosenRootIsScannedCollapsedAndTheListStays) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  f.view.chosenFolder = U16(f.a);
  logic.ButtonFClick();
  EXPECT_EQ(f.view.rootButton, AddTrailingDelim(U16(f.a)));
  f.view.RunUntil([&] { return !logic.TreeScanRunning(); });
  EXPECT_EQ(f.view.treeNodes, 2u);
  EXPECT_FALSE(f.view.treeExpanded);
  EXPECT_EQ(f.view.rows.size(), 2u);  // until a node is clicked
  EXPECT_EQ(logic.preFolder(), U16(f.a));
}

// A scan or an extraction whose logic went before its result reached the window
// thread: the result is dropped and the view is not touched.
TEST(MainLogic, AResultPostedForALogicThatIsGoneIsDropped) {
  for (const bool scan : {true, false}) {
    SCOPED_TRACE(scan ? "scan" : "extraction");
    UiFixture f;
    f.SaveUsualSettings();
    if (scan) {
      f.Make(f.Files()).StartUp();
    } else {
      f.Start();
      f.SelectFiles({u"one.txt"});
      f.logic->ListView1Click();
    }
    ASSERT_TRUE(f.view.WaitForPosts());
    const std::size_t nodes = f.view.treeNodes;
    f.logic.reset();
    f.view.status = u"untouched";
    f.view.RunPosted();
    EXPECT_EQ(f.view.Queued(), 0u);
    EXPECT_EQ(f.view.treeNodes, nodes);
    EXPECT_TRUE(f.view.lines.empty());
    EXPECT_EQ(f.view.status, u"untouched");
  }
}

// The current folder is checked in one place; each event words and shows it as it
// always has.
TEST(MainLogic, CurrentFolderCheck) {
  enum class Event { kExtract, kOpen, kSearch, kFileSel };
  struct Case {
    const char* name;
    bool folderGiven;  // else a blank one
    Event event;
    std::u16string_view status;
    std::vector<Box> boxes;
    int beeps;
  };
  const std::u16string_view noFolder = ui::kNoFolderText;
  const Case cases[] = {
      {"extract, no folder", false, Event::kExtract, noFolder, {}, 0},
      {"extract, folder gone", true, Event::kExtract, ui::kFolderMissingText, {}, 0},
      {"open, no folder", false, Event::kOpen, noFolder, {{Box::kError, std::u16string(noFolder)}}, 1},
      {"open, folder gone", true, Event::kOpen, ui::kCurrentFolderMissingText,
       {{Box::kError, std::u16string(ui::kCurrentFolderMissingText)}}, 0},
      {"search, no folder", false, Event::kSearch, noFolder, {{Box::kError, std::u16string(noFolder)}}, 1},
      {"search, folder gone", true, Event::kSearch, ui::kCurrentFolderMissingText,
       {{Box::kError, std::u16string(ui::kCurrentFolderMissingText)}}, 0},
      {"result line, no folder", false, Event::kFileSel, noFolder, {}, 0},
      {"result line, folder gone", true, Event::kFileSel, ui::kFolderMissingText, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UiFixture f;
    f.SaveSettings(AddTrailingDelim(U16(f.root)), c.folderGiven ? U16(f.a) : u"  ");
    ui::MainLogic& logic = f.Start();
    f.SelectFiles({u"one.txt"});
    if (c.folderGiven) fs::remove_all(f.a);
    bool searchShown = false;
    logic.showSearchWindow = [&] { searchShown = true; };
    f.view.lines = {u"kept"};
    f.view.boxes.clear();
    f.view.beeps = 0;
    switch (c.event) {
      case Event::kExtract: logic.ListView1Click(); break;
      case Event::kOpen: logic.ListView1DblClick(); break;
      case Event::kSearch: logic.ButtonTClick(); break;
      case Event::kFileSel: logic.FileSel(1, JoinPath(U16(f.a), u"one.txt")); break;
    }
    EXPECT_EQ(f.view.status, c.status);
    EXPECT_EQ(f.view.boxes, c.boxes);
    EXPECT_EQ(f.view.beeps, c.beeps);
    EXPECT_FALSE(logic.ExtractionRunning());
    EXPECT_FALSE(searchShown);
    EXPECT_TRUE(f.misc->opened.empty());
    f.view.RunPosted();
    EXPECT_EQ(f.view.lines, std::vector<std::u16string>{u"kept"});
  }
}

TEST(MainLogic, AClickWithoutFolderReplacesARunningExtraction) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  f.SelectFiles({u"one.txt"});
  logic.ListView1Click();
  EXPECT_TRUE(f.view.busyCursor);
  // Read, but not yet taken on the window thread (and no file held open any more).
  ASSERT_TRUE(f.view.WaitForPosts());
  fs::remove_all(f.a);
  logic.ListView1Click();
  EXPECT_FALSE(f.view.busyCursor);
  EXPECT_TRUE(f.view.RunUntil([&] { return !logic.ExtractionRunning(); }));
  EXPECT_TRUE(f.view.lines.empty());  // the first run's list came too late
  EXPECT_EQ(f.view.status, ui::kFolderMissingText);
}

// Another folder, root or filter takes the texts and the drawing of the old selection
// away at once, and a result still on its way for it is never shown.
TEST(MainLogic, TextsOfASelectionThatIsGoneAreClearedAndStayCleared) {
  enum class Change { kFolder, kRoot, kFilter };
  for (const bool late : {false, true}) {
    for (const Change change : {Change::kFolder, Change::kRoot, Change::kFilter}) {
      SCOPED_TRACE(::testing::Message() << "change " << static_cast<int>(change) << (late ? ", result late" : ""));
      UiFixture f;
      f.SaveUsualSettings();
      ui::MainLogic& logic = f.Start();
      if (late) {
        f.SelectFiles({u"one.txt"});
        logic.ListView1Click();
        ASSERT_TRUE(f.view.WaitForPosts());  // read, not yet taken
      } else {
        f.Extract({u"one.txt"});
        ASSERT_FALSE(f.view.lines.empty());
      }
      f.view.preview = std::make_shared<RenderModel>();
      switch (change) {
        case Change::kFolder:
          f.view.selectedNode = logic.folderTree().FindFolder(U16(f.root / "b"));
          logic.TreeView1Click();
          break;
        case Change::kRoot: logic.BrowseForFolderAccept(U16(f.root / "b")); break;
        case Change::kFilter:
          f.view.filter = 1;
          logic.ComboBox1Select();
          break;
      }
      EXPECT_TRUE(f.view.lines.empty());
      EXPECT_TRUE(logic.texts().lines.empty());
      EXPECT_EQ(f.view.preview, nullptr);
      EXPECT_FALSE(f.view.busyCursor);
      f.view.RunUntil([&] { return !logic.ExtractionRunning() && !logic.TreeScanRunning(); });
      EXPECT_TRUE(f.view.lines.empty());
      EXPECT_EQ(f.view.preview, nullptr);
    }
  }
}

// A file that cannot be read whole is said to be so in the list (right under its header
// line, the texts read before the trouble following), the status bar and the preview;
// the note is never copied, sent or marked as a text.
TEST(MainLogic, AFileNotReadWholeIsSaidToBeSo) {
  const std::vector<std::uint8_t> whole = testing::DrawingWithTexts({"first", "second", "third"});
  const std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 12);
  const std::u16string damaged = u"ファイルが壊れています（" + U16(std::to_string(cut.size())) + u"バイト目";
  const std::u16string notJw = u"※Jw_cadの既知のバージョンのファイルではありません。";
  const std::u16string gone = u"※見つかりません（移動または削除されました）。";
  UiFixture f;
  f.SaveUsualSettings();
  f.dir.Write("root/a/cut.jww", cut);
  f.dir.Write("root/a/fake.jww", std::string("not a drawing"));
  f.dir.Write("root/a/gone.jww", whole);
  ui::MainLogic& logic = f.Start();
  logic.PreviewToggled(true);

  f.Extract({u"cut.jww"});
  ASSERT_GE(f.view.lines.size(), 4u);
  EXPECT_EQ(f.view.lines[0], u"【cut.jww】");
  EXPECT_EQ(f.view.lines[1].substr(0, damaged.size() + 1), u"※" + damaged);
  EXPECT_EQ(f.view.lines[2], section::kTexts);
  EXPECT_EQ(f.view.lines[3], u"first");
  EXPECT_EQ(f.view.status, u"※cut.jww：" + f.view.lines[1].substr(1));
  EXPECT_EQ(f.view.previewNote, f.view.lines[1]);
  EXPECT_NE(f.view.preview, nullptr);  // what was read is drawn

  f.view.currentLine = 1;
  f.view.selectedLines = {1};
  f.clipboard->text = u"before";
  logic.ListBox1Click();
  logic.ListBox1Current(1);
  logic.ListBox1ContextPopup();
  EXPECT_EQ(f.clipboard->text, u"before");
  EXPECT_EQ(f.view.mark, u"");
  EXPECT_EQ(logic.memo().Text(), u"");

  f.SelectFiles({u"gone.jww", u"fake.jww"});
  fs::remove(f.a / "gone.jww");
  logic.ListView1Click();
  f.view.RunUntil([&] { return !logic.ExtractionRunning(); });
  EXPECT_EQ(f.view.lines, (std::vector<std::u16string>{u"【fake.jww】", notJw, u"【gone.jww】", gone}));
  EXPECT_EQ(f.view.status, u"※fake.jww：" + notJw.substr(1));
  EXPECT_EQ(f.view.preview, nullptr);
  EXPECT_EQ(f.view.previewNote, notJw);  // the first selected drawing

  // Sorted lists have no header lines: the notes name their files, first.
  logic.settings().optFlags[kOptSort] = true;
  f.Extract({u"cut.jww", u"one.txt"});
  ASSERT_GE(f.view.lines.size(), 2u);
  EXPECT_EQ(f.view.lines[0].rfind(u"※cut.jww：" + damaged, 0), 0u);
  EXPECT_EQ(f.view.lines[0], f.view.status);

  // A file read whole says nothing and takes the note away.
  logic.settings().optFlags[kOptSort] = false;
  f.Extract({u"one.txt"});
  EXPECT_EQ(f.view.lines, (std::vector<std::u16string>{u"【one.txt】", u"first line", u"second line"}));
  EXPECT_EQ(f.view.status, u"");
  EXPECT_EQ(f.view.previewNote, u"");
}

// Selecting 3,000 drawings and then one other: the first run ends, abandoned, before the
// other's begins (no reader of the first is left), and only the other's texts and
// drawing are shown.
TEST(MainLogic, ANewSelectionAbandonsTheOldExtraction) {
  UiFixture f;
  for (int i = 0; i < 3000; ++i) {
    f.dir.Write("root/a/many" + std::to_string(i) + ".jww", testing::DrawingWithTexts({"many"}));
  }
  f.dir.Write("root/a/other.jww", testing::DrawingWithTexts({"OTHER"}));
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  logic.PreviewToggled(true);
  struct Event {
    ui::WindowJob::Event event;
    unsigned generation;
    CancelToken::Ending ending;
    std::chrono::steady_clock::time_point at;
  };
  std::mutex mutex;
  std::vector<Event> events;
  logic.extractionJob().SetEventHook([&](ui::WindowJob::Event e, unsigned g, CancelToken::Ending ending) {
    std::lock_guard<std::mutex> lock(mutex);
    events.push_back({e, g, ending, std::chrono::steady_clock::now()});
  });
  const int shownBefore = f.view.linesShown;

  f.view.selectedRows.clear();
  for (std::size_t r = 0; r < f.view.rows.size(); ++r) {
    if (f.view.rows[r] != u"other.jww" && f.view.rows[r].ends_with(u".jww")) f.view.selectedRows.push_back(static_cast<int>(r));
  }
  ASSERT_EQ(f.view.selectedRows.size(), 3000u);
  logic.ListView1Click();
  const unsigned first = logic.extractionJob().generation();
  const auto clicked = std::chrono::steady_clock::now();
  f.Extract({u"other.jww"});
  const auto shown = std::chrono::steady_clock::now();

  EXPECT_EQ(f.view.lines, (std::vector<std::u16string>{u"【other.jww】", u"-----【文字内容】-----", u"OTHER"}));
  EXPECT_EQ(f.view.linesShown - shownBefore, 1);
  ASSERT_TRUE(f.view.preview);
  std::lock_guard<std::mutex> lock(mutex);
  const auto at = [&](ui::WindowJob::Event e, unsigned g) {
    return std::find_if(events.begin(), events.end(), [&](const Event& x) { return x.event == e && x.generation == g; });
  };
  const auto firstEnds = at(ui::WindowJob::Event::kEnds, first);
  const auto otherBegins = at(ui::WindowJob::Event::kBegins, first + 1);
  ASSERT_NE(firstEnds, events.end());
  ASSERT_NE(otherBegins, events.end());
  EXPECT_LT(firstEnds, otherBegins);
  EXPECT_EQ(firstEnds->ending, CancelToken::Ending::kAbandon);
  // Reported, not asserted: how soon the old run ended and the new texts showed.
  const auto ms = [&](std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double, std::milli>(t - clicked).count();
  };
  std::printf("first run ended %.1f ms after the new click; the other's texts shown after %.1f ms\n",
              ms(firstEnds->at), ms(shown));
}

// A selection moved by the keys opens once it stays (one read however many rows went by),
// Enter opens at once, and a click or a move to the other pane settles what waits.
TEST(MainLogic, AKeyboardSelectionOpensAfterAPause) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  const int b = logic.folderTree().FindFolder(U16(f.root / "b"));
  const int a = logic.folderTree().FindFolder(U16(f.a));

  f.view.selectedNode = b;
  logic.SelectedByKey(ui::SelectPane::kTree);
  EXPECT_EQ(f.view.keySelectTimer, ui::kKeySelectDelay);
  EXPECT_EQ(logic.preFolder(), U16(f.a));  // not yet
  f.view.selectedNode = a;
  logic.SelectedByKey(ui::SelectPane::kTree);
  EXPECT_EQ(logic.preFolder(), U16(f.a));
  logic.KeySelectTimer();
  EXPECT_EQ(f.view.keySelectTimer, 0);
  EXPECT_EQ(logic.preFolder(), U16(f.a));
  EXPECT_EQ(f.view.rows.size(), 2u);
  logic.KeySelectTimer();  // a late tick opens nothing again
  EXPECT_FALSE(logic.ExtractionRunning());

  // Enter does not wait.
  f.SelectFiles({u"one.txt"});
  logic.SelectedByKey(ui::SelectPane::kFiles);
  EXPECT_FALSE(logic.ExtractionRunning());
  logic.EnterPressed(ui::SelectPane::kFiles);
  EXPECT_EQ(f.view.keySelectTimer, 0);
  f.view.RunUntil([&] { return !logic.ExtractionRunning(); });
  EXPECT_EQ(f.view.lines, (std::vector<std::u16string>{u"【one.txt】", u"first line", u"second line"}));

  // The files pane waits while the tree moves on: the files are opened first.
  f.SelectFiles({u"two.csv"});
  logic.SelectedByKey(ui::SelectPane::kFiles);
  f.view.selectedNode = b;
  logic.SelectedByKey(ui::SelectPane::kTree);
  EXPECT_TRUE(logic.ExtractionRunning());
  EXPECT_EQ(logic.preFolder(), U16(f.a));
  logic.TreeView1Click();  // a click opens it now and nothing waits any more
  EXPECT_EQ(logic.preFolder(), U16(f.root / "b"));
  EXPECT_EQ(f.view.keySelectTimer, 0);
  f.view.RunUntil([&] { return !logic.ExtractionRunning(); });
  EXPECT_TRUE(f.view.lines.empty());  // the folder changed since
}

TEST(MainLogic, CopyAndSendFromTheExtractionList) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  f.Extract({u"one.txt"});
  ASSERT_EQ(f.view.lines, (std::vector<std::u16string>{u"【one.txt】", u"first line", u"second line"}));
  EXPECT_EQ(f.view.status, u"");

  f.view.currentLine = 2;
  logic.ListBox1Click();
  EXPECT_EQ(f.clipboard->text, u"second line");
  EXPECT_EQ(f.view.status, CopiedMessage(u"second line"));

  // No target: a beep and the notice, nothing on the clipboard.
  f.view.currentLine = 1;
  logic.ListBox1DblClick();
  EXPECT_EQ(f.view.beeps, 1);
  EXPECT_EQ(f.view.boxes, (std::vector<Box>{{Box::kMessage, NotRunningMessage(u"jw_win")}}));
  EXPECT_EQ(f.clipboard->text, u"second line");

  // A send runs alone: a second one while the first is typed only beeps.
  f.AddTarget();
  std::atomic<bool> release{false};
  f.wait = [&](double) {
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  logic.ListBox1DblClick();
  EXPECT_EQ(f.clipboard->text, u"first line");
  EXPECT_EQ(f.view.status, SendingMessage(u"@DA^V"));
  logic.ListBox1DblClick();
  EXPECT_EQ(f.view.beeps, 2);
  EXPECT_EQ(f.view.status, kSendBusyText);
  // A click's copy would change what the running send pastes: it waits for the send.
  f.view.currentLine = 2;
  logic.ListBox1Click();
  EXPECT_EQ(f.view.beeps, 3);
  EXPECT_EQ(f.view.status, kCopyBusyText);
  EXPECT_EQ(f.clipboard->text, u"first line");
  release = true;
  ASSERT_TRUE(f.view.RunUntil([&] { return !logic.desktop().sender->Busy(); }));
  EXPECT_EQ(f.view.status, SentMessage(u"@DA^V"));
  EXPECT_EQ(std::count(f.journal.begin(), f.journal.end(), "activate 0x7"), 1);
}

// The status at a send's end says what reached the target: sent only when every key
// did; when the target could not be kept in front, or Esc came, how far it got.
TEST(MainLogic, SendEndsWithTheTruthInTheStatus) {
  const struct {
    const char* what;
    bool targetKeptAway;  // after Alt+D the focus goes elsewhere for good
    bool esc;
    std::u16string status;
  } cases[] = {
      {"sent", false, false, SentMessage(u"@DA^V")},
      {"target left", true, false,
       u"送信先が前面にないため、送信を中止しました。コマンド「@DA^V」の「A^V」から先は送っていません。"},
      {"Esc", false, true, u"コマンド「@DA^V」の送信を中止しました。キーは送っていません。"},
  };
  for (const auto& c : cases) {
    UiFixture f;
    f.SaveUsualSettings();
    ui::MainLogic& logic = f.Start();
    f.Extract({u"one.txt"});
    f.AddTarget();
    if (c.esc) logic.desktop().esc = std::make_unique<FakeEscKeyState>(0);
    FakeKeySender& keys = static_cast<FakeKeySender&>(*logic.desktop().keys);
    keys.afterEvent = [&](const std::string& line) {
      if (c.targetKeptAway && line == "up 0x12") {
        f.windows->focus = 0;
        f.windows->focusRefused = true;
      }
    };
    f.view.currentLine = 1;
    logic.ListBox1DblClick();
    ASSERT_TRUE(f.view.RunUntil([&] { return !logic.desktop().sender->Busy(); })) << c.what;
    EXPECT_EQ(f.view.status, c.status) << c.what;
    EXPECT_EQ(f.clipboard->text, u"first line") << c.what;
    const auto typed = [&](const char* key) { return std::count(f.journal.begin(), f.journal.end(), key); };
    EXPECT_EQ(typed("down 0x12"), typed("up 0x12")) << c.what;  // no key left down
    EXPECT_EQ(typed("down 0x41"), c.targetKeptAway || c.esc ? 0 : 1) << c.what;
  }
}

TEST(MainLogic, SectionHeadersAreNeitherCopiedSentNorMarked) {
  UiFixture f;
  f.dir.Write("root/a/plan.jww", testing::DrawingWithTexts({"T"}));
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  f.Extract({u"plan.jww"});
  ASSERT_EQ(f.view.lines, (std::vector<std::u16string>{u"【plan.jww】", u"-----【文字内容】-----", u"T"}));
  f.AddTarget();
  f.view.currentLine = 1;
  logic.ListBox1Click();
  logic.ListBox1DblClick();
  EXPECT_TRUE(f.journal.empty());  // nothing copied, nothing typed
  logic.ListBox1Current(1);
  EXPECT_EQ(f.view.mark, u"");
  logic.ListBox1Current(2);
  EXPECT_EQ(f.view.mark, u"T");
  f.view.currentLine = 0;  // a file header line is copied like any text
  logic.ListBox1Click();
  EXPECT_EQ(f.clipboard->text, u"【plan.jww】");
}

TEST(MainLogic, RightClickAddsTheSelectedLinesToTheMemo) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  f.Extract({u"one.txt"});
  int told = 0;
  logic.memoChanged = [&] { ++told; };
  f.view.selectedLines = {1, 2};
  logic.ListBox1ContextPopup();
  logic.ListBox1ContextPopup();  // the same lines again add nothing
  EXPECT_EQ(logic.memo().Text(), u"first line\r\nsecond line\r\n");
  EXPECT_EQ(f.view.status, MemoAddedMessage(2, 0));
  EXPECT_EQ(told, 2);
}

TEST(MainLogic, FileSelFollowsThePathOfTheLine) {
  UiFixture f;
  f.SaveSettings(AddTrailingDelim(U16(f.root)), JoinPath(U16(f.root), u"b"));
  ui::MainLogic& logic = f.Start();
  const int a = logic.folderTree().FindFolder(U16(f.a));
  const int b = logic.folderTree().FindFolder(JoinPath(U16(f.root), u"b"));
  logic.FileSel(99, u"ONE.TXT");  // beyond the tree: nothing happens
  EXPECT_EQ(logic.preFolder(), JoinPath(U16(f.root), u"b"));
  // A stale index: the path decides, letter case ignored.
  logic.FileSel(b, JoinPath(U16(f.a), u"ONE.TXT"));
  EXPECT_EQ(f.view.selectedNode, a);
  EXPECT_EQ(logic.preFolder(), U16(f.a));
  EXPECT_EQ(f.view.label, std::u16string(ui::kFolderLabel) + U16(f.a));
  EXPECT_EQ(f.view.filter, 6);  // TXT
  EXPECT_EQ(f.view.selectedRows, std::vector<int>{0});
  EXPECT_TRUE(f.view.RunUntil([&] { return !logic.ExtractionRunning(); }));
  EXPECT_EQ(f.view.lines, (std::vector<std::u16string>{u"【one.txt】", u"first line", u"second line"}));
  // The filter it changed (and will save) is named, so an empty folder later is no puzzle.
  EXPECT_EQ(f.view.status, u"ファイルの種類を「" + std::u16string(kFileFilters[6].text) + u"」に切り替えました。");
  logic.FileSel(a, JoinPath(U16(f.a), u"one.txt"));  // the same filter: nothing to tell
  EXPECT_TRUE(f.view.RunUntil([&] { return !logic.ExtractionRunning(); }));
  EXPECT_EQ(f.view.status, u"");

  // The tree got another root since the search: the line's folder is in it no more.
  f.dir.MakeDir("root/b/c");
  logic.BrowseForFolderAccept(JoinPath(U16(f.root), u"b"));
  f.view.RunUntil([&] { return !logic.TreeScanRunning(); });
  logic.FileSel(1, JoinPath(U16(f.a), u"one.txt"));
  EXPECT_EQ(logic.preFolder(), U16(f.a));
  EXPECT_EQ(f.view.status, u"フォルダ「" + U16(f.a) + u"」は現在のフォルダツリーにありません。");
}

TEST(MainLogic, DoubleClickOpensTheFirstSelectedFile) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  logic.ListView1DblClick();
  EXPECT_EQ(f.view.boxes, (std::vector<Box>{{Box::kMessage, std::u16string(ui::kNoFileText)}}));
  EXPECT_EQ(f.view.status, ui::kNoFileText);
  f.SelectFiles({u"two.csv", u"one.txt"});
  logic.ListView1DblClick();
  const std::u16string path = JoinPath(U16(f.a), u"one.txt");
  EXPECT_EQ(f.misc->opened, std::vector<std::u16string>{path});
  EXPECT_EQ(f.view.status, u"ファイル「" + path + u"」");
}

// A file no application takes, or one that went, is said with the error icon; an
// opener that took it says nothing more.
TEST(MainLogic, AFailedOpenSaysWhy) {
  const struct {
    OpenOutcome outcome;
    std::u16string_view why;
  } cases[] = {
      {OpenOutcome::kNoApplication, u"この種類のファイルを開くプログラムが登録されていません。"},
      {OpenOutcome::kNotFound, u"ファイルが見つかりません（移動または削除されました）。"},
      {OpenOutcome::kFailed, u"開くプログラムがエラーを返しました。"},
      {OpenOutcome::kHandedOver, u""},
  };
  for (const auto& c : cases) {
    UiFixture f;
    f.SaveUsualSettings();
    ui::MainLogic& logic = f.Start();
    f.misc->outcome = c.outcome;
    f.SelectFiles({u"one.txt"});
    logic.ListView1DblClick();
    f.view.RunPosted();
    const std::u16string path = JoinPath(U16(f.a), u"one.txt");
    if (c.why.empty()) {
      EXPECT_TRUE(f.view.boxes.empty());
      EXPECT_EQ(f.view.status, u"ファイル「" + path + u"」");
      continue;
    }
    const std::u16string text = u"「" + path + u"」を開けません。" + std::u16string(c.why);
    EXPECT_EQ(f.view.boxes, (std::vector<Box>{{Box::kError, text}}));
    EXPECT_EQ(f.view.status, text);
  }
}

#ifndef _WIN32
// A folder whose entries cannot be read says so with the error icon and the reason.
TEST(MainLogic, AnUnreadableFolderSaysWhy) {
  const int status = testing::RunUnprivileged([] {
    UiFixture f;
    f.SaveUsualSettings();
    fs::permissions(f.a, fs::perms::none);
    ui::MainLogic& logic = f.Start();
    fs::permissions(f.a, fs::perms::owner_all);
    const std::u16string text = u"参照フォルダを読み込めません。読み込む権限がありません。（" + U16(f.a) + u"）";
    if (f.view.status != text) return 1;
    if (f.view.boxes != std::vector<Box>{{Box::kError, text}}) return 2;
    (void)logic;
    return 0;
  });
  EXPECT_EQ(status, 0);
}
#endif

// A background save that fails asks once per run of failures; closing always asks.
TEST(MainLogic, AFailingBackgroundMemoSaveAsksOncePerRun) {
  UiFixture f;
  ui::MainLogic& logic = f.Start();
  // A folder where the memo file should be: every save fails.
  const fs::path memoPath = f.app / "Memo.txt";
  fs::create_directories(memoPath / "x");
  auto retries = [&] {
    return std::count_if(f.view.boxes.begin(), f.view.boxes.end(), [](const Box& b) { return b.kind == Box::kRetry; });
  };

  f.view.retryAnswers = 1;  // "retry" once: the second attempt fails quietly
  logic.memo().SetText(u"one");
  logic.MemoSaveTimer();
  logic.memo().SetText(u"two");
  logic.MemoSaveTimer();
  logic.MemoSaveTimer();
  EXPECT_EQ(retries(), 1);

  fs::remove_all(memoPath);
  logic.MemoSaveTimer();
  EXPECT_EQ(MemoLoad(f.Files().memoFile), u"two");
  fs::remove(memoPath);
  fs::create_directories(memoPath / "x");
  logic.memo().SetText(u"three");
  logic.MemoSaveTimer();  // a new run of failures
  logic.MemoSaveTimer();
  EXPECT_EQ(retries(), 2);

  logic.Closing();  // asks although the run already asked
  EXPECT_EQ(retries(), 3);
  EXPECT_TRUE(std::all_of(f.view.boxes.begin(), f.view.boxes.end(), [](const Box& b) { return b.kind == Box::kRetry; }));
}

// A close nobody watches (a termination signal, a logout) must not wait for an answer.
TEST(MainLogic, AnUnattendedCloseWhoseMemoSaveFailsAsksNothing) {
  UiFixture f;
  ui::MainLogic& logic = f.Start();
  fs::create_directories(f.app / "Memo.txt" / "x");
  logic.memo().SetText(u"unsaved");
  logic.SetUnattended();
  logic.Closing();
  EXPECT_TRUE(f.view.boxes.empty());
  EXPECT_TRUE(fs::is_directory(f.app / "Memo.txt"));
}

// A settings file that cannot be written is said at closing, with the offer to retry;
// a "retry" after the cause went away saves.
TEST(MainLogic, AFailedSettingsSaveIsSaid) {
  UiFixture f;
  ui::MainLogic& logic = f.Start();
  const fs::path dat(PathToNative(f.Files().settingsFile));
  fs::remove(dat);
  fs::create_directories(dat / "x");  // a folder where the settings file should be
  f.view.retryAnswers = 1;
  f.view.onRetry = [&] { fs::remove_all(dat); };
  logic.Closing();
  const std::vector<Box> said{{Box::kRetry, SettingsSaveFailedMessage(f.Files().settingsFile, EISDIR)}};
  EXPECT_EQ(f.view.boxes, said);
  EXPECT_TRUE(fs::is_regular_file(dat));
}

TEST(MainLogic, ClosingSavesWhatTheWindowsHold) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  bool collected = false;
  logic.collectSettings = [&] {
    collected = true;
    logic.settings().keywordHistory = {u"kw"};
  };
  f.view.filter = 2;
  logic.memo().SetText(u"memo line");
  logic.Closing();
  EXPECT_TRUE(collected);
  const TSettings saved = SettingsLoad(f.Files().settingsFile);
  EXPECT_EQ(saved.mainWindow, f.view.storedWindow);
  EXPECT_EQ(saved.filterIndex, 2);
  EXPECT_EQ(saved.preFolder, U16(f.a));
  ASSERT_FALSE(saved.keywordHistory.empty());
  EXPECT_EQ(saved.keywordHistory.front(), u"kw");
  EXPECT_EQ(MemoLoad(f.Files().memoFile), u"memo line");
  EXPECT_EQ(f.view.memoTimer, 0);
}

TEST(MainLogic, NoticesOfAStartUpWaitForTheWindow) {
  UiFixture f;
  f.SaveSettings(AddTrailingDelim(U16(f.root / "gone")), u"");
  ui::MainLogic& logic = f.Make(f.Files());
  f.view.shown = false;
  logic.NoticesAfterShow();
  logic.StartUp();
  EXPECT_TRUE(f.view.boxes.empty());
  // The status line names the folder that is gone.
  EXPECT_EQ(f.view.status, u"検索フォルダ「" + AddTrailingDelim(U16(f.root / "gone")) + u"」がありません。" +
                               std::u16string(ui::kNoRootText));
  f.view.shown = true;
  logic.Shown();
  EXPECT_TRUE(f.view.boxes.empty());  // after the window has painted
  f.view.RunPosted();
  EXPECT_EQ(f.view.boxes, (std::vector<Box>{{Box::kError, std::u16string(ui::kRootMissingText)}}));
  EXPECT_EQ(f.view.beeps, 1);
}

// What a start says before the first edit, so nothing is lost unseen: the tool folder
// cannot be written (its memo is read there, saved elsewhere), the memo did not decode
// cleanly (kept as .bak), the memo cannot be read.
TEST(MainLogic, StartUpSaysWhatBecameOfTheMemo) {
  const std::string damaged = "\xE6\xB4\x8B\xE5\xAE\xA4\xE3";  // UTF-8 cut mid-character
  struct Case {
    const char* what;
    bool readOnlyTool;
    std::string memo;
    std::u16string shown;
  };
  for (const Case& c : {Case{"read-only tool folder", true, "\xEF\xBB\xBFkept\r\n", u"kept\r\n"},
                        Case{"damaged UTF-8", false, damaged, u"洋室\uFFFD"}}) {
    UiFixture f;
    TAppFiles files = f.Files();
    if (c.readOnlyTool) {
      f.dir.Write("tool/Memo.txt", c.memo);
      files.memoSource = JoinPath(U16(f.dir.path() / "tool"), u"Memo.txt");
      files.readOnlyFolder = AddTrailingDelim(U16(f.dir.path() / "tool"));
    } else {
      f.dir.Write("app/Memo.txt", c.memo);
    }
    ui::MainLogic& logic = f.Make(files);
    logic.StartUp();
    f.view.RunUntil([&] { return !logic.TreeScanRunning(); });
    EXPECT_EQ(logic.memo().Text(), c.shown) << c.what;
    ASSERT_EQ(f.view.boxes.size(), 1u) << c.what;
    const std::u16string expected =
        c.readOnlyTool ? ui::ReadOnlyFolderNotice(files.readOnlyFolder, files.folder)
                       : MemoBackupNotice(files.memoFile, files.memoFile + u".bak");
    EXPECT_EQ(f.view.boxes[0].text, expected) << c.what;
    logic.Closing();
    if (c.readOnlyTool) {
      // The memo moved to where saves go; the tool folder's file is left alone.
      EXPECT_EQ(MemoLoad(files.memoFile), c.shown) << c.what;
      EXPECT_EQ(MemoLoad(files.memoSource), c.shown) << c.what;
    }
  }
}

// A damaged settings file is kept as it was before the closing save repairs it, and said
// once: the next start finds the repaired file and says nothing.
TEST(MainLogic, ADamagedSettingsFileIsKeptAndSaidOnce) {
  UiFixture f;
  TSettings s;
  s.sendProfiles[3].Tcap = u"CAD";
  s.keywordHistory = {u"通り芯"};
  const Bytes whole = SettingsFormat(s);
  const std::string text(whole.begin(), whole.end());
  const std::string cut = text.substr(0, text.find("434144") + 2);  // within profile 3's title
  const fs::path dat(PathToNative(f.Files().settingsFile));
  const auto contents = [](const std::u16string& path) {
    Bytes bytes;
    ReadWholeFile(path, bytes);
    return std::string(bytes.begin(), bytes.end());
  };
  f.dir.Write("app/glyphgrab.dat", cut);
  ui::MainLogic& logic = f.Start();
  const std::u16string backup = f.Files().settingsFile + u".bak";
  EXPECT_EQ(f.view.boxes, (std::vector<Box>{{Box::kMessage, SettingsDamagedNotice(f.Files().settingsFile, backup)}}));
  EXPECT_EQ(contents(backup), cut);
  logic.Closing();
  EXPECT_EQ(contents(backup), cut);
  const TSettings repaired = SettingsLoad(f.Files().settingsFile);
  EXPECT_EQ(repaired.sendProfiles[3].Tcap, u"");  // cut off: the default
  EXPECT_EQ(repaired.activeProfile, DefaultActiveProfile());

  UiFixture again;
  fs::copy_file(dat, again.app / "glyphgrab.dat");
  again.Start().Closing();
  EXPECT_TRUE(again.view.boxes.empty());
  EXPECT_FALSE(fs::exists(again.app / "glyphgrab.dat.bak"));
}

// Settings another program saved while the tool ran are merged at closing, and said.
TEST(MainLogic, SettingsChangedElsewhereAreMergedAndSaid) {
  UiFixture f;
  f.SaveUsualSettings();
  ui::MainLogic& logic = f.Start();
  TSettings other = SettingsLoad(f.Files().settingsFile);
  other.sendProfiles[5].Tcap = u"other program";
  ASSERT_TRUE(SettingsSave(f.Files().settingsFile, other));
  const fs::path dat(PathToNative(f.Files().settingsFile));
  fs::last_write_time(dat, fs::last_write_time(dat) + std::chrono::seconds(5));
  logic.Closing();
  EXPECT_EQ(f.view.boxes, (std::vector<Box>{{Box::kMessage, SettingsMergedNotice(f.Files().settingsFile, u"")}}));
  EXPECT_EQ(SettingsLoad(f.Files().settingsFile).sendProfiles[5].Tcap, u"other program");
}

TEST(MainLogic, AHandedOverPathWaitsForTheScan) {
  UiFixture f;
  f.SaveSettings(AddTrailingDelim(U16(f.root)), u"");
  ui::MainLogic& logic = f.Make(f.Files());
  logic.StartUp();
  logic.OpenPath(JoinPath(U16(f.a), u"two.csv"));
  EXPECT_TRUE(f.view.RunUntil([&] { return !logic.TreeScanRunning() && !logic.ExtractionRunning() && !f.view.lines.empty(); }));
  EXPECT_EQ(logic.preFolder(), U16(f.a));
  EXPECT_EQ(f.view.lines.front(), u"【two.csv】");
}

}  // namespace
}  // namespace glyphgrab

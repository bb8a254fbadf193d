#include "sendkeys/send.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "platform/fake/fake_desktop.h"
#include "util/codepage.h"
#include "util/strings.h"

namespace glyphgrab {
namespace {

TopLevelWindow Win(WindowId id, std::u16string title, bool visible = true, bool owned = false) {
  return TopLevelWindow{id, std::move(title), owned, visible};
}

TEST(FindTargetWindow, LastVisibleUnownedMatchWins) {
  FakeJournal journal;
  FakeWindowSystem windows(journal);
  windows.windows = {
      Win(1, u"jw_win - first.jww"),
      Win(2, u"editor"),
      Win(3, u"jw_win - second.jww"),
      Win(4, u"jw_win - hidden", /*visible=*/false),
      Win(5, u"jw_win - dialog", true, /*owned=*/true),
  };
  EXPECT_EQ(FindTargetWindow(windows, u"jw_win"), 3u);
  EXPECT_EQ(FindTargetWindow(windows, u"first"), 1u);
  EXPECT_EQ(FindTargetWindow(windows, u"edit"), 2u);
  EXPECT_EQ(FindTargetWindow(windows, u"JW_WIN"), 0u);  // letter case counts
  EXPECT_EQ(FindTargetWindow(windows, u"hidden"), 0u);
  EXPECT_EQ(FindTargetWindow(windows, u"dialog"), 0u);
  EXPECT_EQ(FindTargetWindow(windows, u""), 0u);         // an empty text matches nothing
  windows.windows.push_back(Win(6, u""));
  EXPECT_EQ(FindTargetWindow(windows, u""), 0u);
  EXPECT_TRUE(journal.empty());  // finding touches nothing
}

TEST(FindTargetWindow, ComparesOnlyTheFirst254Units) {
  FakeJournal journal;
  FakeWindowSystem windows(journal);
  windows.windows = {Win(7, StrRepeat(u"x", 250) + u"jw_win")};
  EXPECT_EQ(FindTargetWindow(windows, u"jw_w"), 7u);    // ends at unit 254
  EXPECT_EQ(FindTargetWindow(windows, u"jw_wi"), 0u);   // would need unit 255
}

struct SendFixture : testing::Test {
  FakeJournal journal;
  FakeKeySender keys{journal};
  FakeWindowSystem windows{journal};
  FakeClipboard clipboard{journal};
  SendServices services{keys, windows, clipboard,
                        [this](double s) { journal.push_back("wait " + Seconds(s)); },
                        {}};

  static std::string Seconds(double s) {
    return KeyEventLine(KeyEvent::Wait(s)).substr(5);
  }

  SendFixture() { windows.windows = {Win(0x2a, u"jw_win test")}; }

  // A profile with the fields a send of a given command reads.
  static TSend_jww Profile(std::int32_t smax, double wait) {
    TSend_jww p = DefaultActiveProfile();
    p.Smax = smax;
    p.Wtim = wait;
    return p;
  }
};

TEST_F(SendFixture, ClipboardThenActivationThenProfileWaitThenKeys) {
  EXPECT_EQ(SendCommand(u"@DA{Xtext}", 0x2a, Profile(1, 0.25), services), SendResult::kTyped);
  const FakeJournal expected = {
      "clipboard text", "activate 0x2a maximize", "wait 0.25",
      "wait 0.5", "down 0x12", "down 0x44", "up 0x44", "up 0x12",
      "wait 0.5", "down 0x41", "up 0x41",
      "wait 0.5", "down 0x11", "down 0x56", "up 0x56", "up 0x11",
  };
  EXPECT_EQ(journal, expected);
  EXPECT_EQ(clipboard.text, u"text");
}

TEST_F(SendFixture, OnlySmaxOneMaximisesAndNoProfileWaitWhenZero) {
  for (const std::int32_t smax : {0, 2, -1}) {
    journal.clear();
    EXPECT_EQ(SendCommand(u"A", 0x2a, Profile(smax, 0), services), SendResult::kTyped);
    EXPECT_EQ(journal, (FakeJournal{"activate 0x2a", "wait 0.5", "down 0x41", "up 0x41"}))
        << smax;
  }
}

TEST_F(SendFixture, ProfileWaitIsBounded) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::pair<double, const char*> cases[] = {
      {1e9, "wait 60"}, {-3, nullptr}, {nan, nullptr},
      {std::numeric_limits<double>::infinity(), "wait 60"}};
  for (const auto& [wait, line] : cases) {
    journal.clear();
    SendCommand(u"A", 0x2a, Profile(0, wait), services);
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal[1], line ? line : "wait 0.5") << wait;
  }
}

TEST_F(SendFixture, NothingHappensWithoutSomethingToSendOrSomewhereToSendIt) {
  const TSend_jww profile = Profile(0, 0.1);
  EXPECT_EQ(SendCommand(u"", 0x2a, profile, services), SendResult::kEmptyCommand);
  // An unclosed clipboard group abandons everything: no clipboard, no activation.
  EXPECT_EQ(SendCommand(u"@DA{Xabc", 0x2a, profile, services), SendResult::kAbandoned);
  EXPECT_TRUE(journal.empty());

  // No window found, or it closed since: the clipboard text is set, nothing is typed.
  EXPECT_EQ(SendCommand(u"{Xa}", 0, Profile(0, 0), services), SendResult::kTargetGone);
  windows.windows.clear();
  EXPECT_EQ(SendCommand(u"{Xb}", 0x2a, profile, services), SendResult::kTargetGone);
  EXPECT_EQ(journal, (FakeJournal{"clipboard a", "clipboard b"}));
}

TEST_F(SendFixture, LockedClipboardSendsNoKeys) {
  clipboard.locked = true;
  EXPECT_EQ(SendCommand(u"{Xa}", 0x2a, Profile(0, 0), services),
            SendResult::kClipboardFailed);
  EXPECT_TRUE(journal.empty());
  // A command without a clipboard group never asks for it.
  EXPECT_EQ(SendCommand(u"A", 0x2a, Profile(0, 0), services), SendResult::kTyped);
}

TEST_F(SendFixture, StoppedSendLeavesNoModifierDown) {
  EXPECT_EQ(SendCommand(u"A^@{}B", 0x2a, Profile(0, 0), services), SendResult::kStopped);
  EXPECT_EQ(journal, (FakeJournal{"activate 0x2a", "wait 0.5", "down 0x41", "up 0x41",
                                  "wait 0.5", "down 0x11", "down 0x12", "up 0x11", "up 0x12"}));
}

TEST_F(SendFixture, SendTextCopiesThenSendsTheProfileCommand) {
  TSend_jww settings = DefaultActiveProfile();  // 0.1 s, not maximised, "@DA^V"
  settings.Comm = u"^V";
  EXPECT_EQ(SendText(u"壁 W=120", 0x2a, settings, services), SendResult::kTyped);
  EXPECT_EQ(journal, (FakeJournal{"clipboard 壁 W=120", "activate 0x2a", "wait 0.1", "wait 0.5",
                                  "down 0x11", "down 0x56", "up 0x56", "up 0x11"}));

  // A closed "{X" group replaces the text on the clipboard; an unclosed one leaves the
  // text there and sends nothing.
  journal.clear();
  settings.Comm = u"{Xfixed}";
  settings.Smax = 1;
  EXPECT_EQ(SendText(u"line", 0x2a, settings, services), SendResult::kTyped);
  EXPECT_EQ(clipboard.text, u"fixed");
  EXPECT_EQ(journal[2], "activate 0x2a maximize");
  journal.clear();
  settings.Comm = u"{Xfixed";
  EXPECT_EQ(SendText(u"line", 0x2a, settings, services), SendResult::kAbandoned);
  EXPECT_EQ(journal, FakeJournal{"clipboard line"});

  journal.clear();
  clipboard.locked = true;
  EXPECT_EQ(SendText(u"line", 0x2a, settings, services), SendResult::kClipboardFailed);
  EXPECT_TRUE(journal.empty());
}

// Esc during a send: nothing more is typed, and no key the send pressed stays down,
// whether it comes during a wait or between two events.
TEST_F(SendFixture, CancelledSendReleasesWhatItHolds) {
  const struct {
    const char* command;
    int allowedQueries;  // stop is asked this many times before it says yes
    FakeJournal tail;    // the journal's last entries
  } cases[] = {
      {"{30}A", 2, {"activate 0x2a", "wait 3"}},
      {"^@~X", 4, {"down 0x11", "down 0x12", "up 0x11", "up 0x12"}},
  };
  for (const auto& c : cases) {
    journal.clear();
    int queries = 0;
    services.stopRequested = [&] { return queries++ >= c.allowedQueries; };
    EXPECT_EQ(SendCommand(Utf8ToStr(c.command), 0x2a, Profile(0, 0), services), SendResult::kCancelled)
        << c.command;
    ASSERT_GE(journal.size(), c.tail.size()) << c.command;
    EXPECT_EQ(FakeJournal(journal.end() - static_cast<std::ptrdiff_t>(c.tail.size()), journal.end()), c.tail)
        << c.command;
  }
}

// The focus leaves the target after the first key group, as a window manager that
// follows the pointer hands it over once the target's menu closes: the target is brought
// back, and keys go only where the focus belongs to it.
TEST_F(SendFixture, KeysGoOnlyToTheTargetApplication) {
  constexpr WindowId kOwn = 0x10, kTextBox = 0x2b, kOther = 0x30;
  windows.processOf = {{0x2a, 7}, {kTextBox, 7}, {kOther, 8}, {kOwn, windows.ownProcess}};
  const FakeJournal firstGroup = {"activate 0x2a", "wait 0.5", "down 0x12", "down 0x44", "up 0x44", "up 0x12"};
  const FakeJournal rest = {"wait 0.5", "down 0x41", "up 0x41"};
  const struct {
    const char* what;
    WindowId focusAfterFirstGroup;
    bool refused;  // nothing brings the target back
    SendResult result;
    FakeJournal afterFirstGroup;
    const char16_t* untyped;
  } cases[] = {
      {"stays", 0x2a, false, SendResult::kTyped, rest, u""},
      {"its own text box", kTextBox, false, SendResult::kTyped, rest, u""},
      {"the tool's window", kOwn, false, SendResult::kTyped,
       {"wait 0.5", "activate 0x2a", "wait 0.1", "down 0x41", "up 0x41"}, u""},
      {"another program", kOther, false, SendResult::kTyped,
       {"wait 0.5", "activate 0x2a", "wait 0.1", "down 0x41", "up 0x41"}, u""},
      {"kept away", kOwn, true, SendResult::kTargetLeft,
       {"wait 0.5", "activate 0x2a", "wait 0.1", "activate 0x2a", "wait 0.1", "activate 0x2a", "wait 0.1"}, u"A"},
  };
  for (const auto& c : cases) {
    journal.clear();
    windows.focusRefused = false;
    keys.afterEvent = [&](const std::string& line) {
      if (line != "up 0x12") return;
      windows.focus = c.focusAfterFirstGroup;
      windows.focusRefused = c.refused;
    };
    std::u16string untyped = u"unset";
    EXPECT_EQ(ActivateTarget(u"@DA", 0x2a, Profile(0, 0), services, &untyped), c.result) << c.what;
    FakeJournal expected = firstGroup;
    expected.insert(expected.end(), c.afterFirstGroup.begin(), c.afterFirstGroup.end());
    EXPECT_EQ(journal, expected) << c.what;
    EXPECT_EQ(untyped, c.untyped) << c.what;
  }
}

TEST_F(SendFixture, NothingIsTypedIntoTheToolsOwnWindowsOrWhereTheTargetNeverComes) {
  // A title text that finds one of the tool's own windows.
  windows.processOf = {{0x2a, windows.ownProcess}};
  std::u16string untyped;
  EXPECT_EQ(ActivateTarget(u"@DA", 0x2a, Profile(0, 0), services, &untyped), SendResult::kTargetLeft);
  EXPECT_EQ(untyped, u"@DA");
  EXPECT_EQ(std::count_if(journal.begin(), journal.end(), [](const std::string& l) { return l.starts_with("down"); }),
            0);

  // The target closes while it is being brought back.
  journal.clear();
  windows.processOf.clear();
  keys.afterEvent = [&](const std::string& line) {
    if (line == "up 0x12") windows.windows.clear();
  };
  EXPECT_EQ(ActivateTarget(u"@D{TAB}", 0x2a, Profile(0, 0), services, &untyped), SendResult::kTargetLeft);
  EXPECT_EQ(untyped, u"{TAB}");
}

// Where Esc ends a send, the untyped part starts at the token that was not typed whole.
TEST_F(SendFixture, EscSaysWhereTheSendStopped) {
  const struct {
    const char* command;
    int allowedQueries;
    const char16_t* untyped;
  } cases[] = {
      {"{30}A", 2, u"A"},          // during the wait before A
      {"@DA{30}", 100, u""},       // nothing but the wait was left (never stopped)
      {"@DA^V", 3, u"@DA^V"},      // inside Alt+D: it was not typed whole
      {"@DA^V", 6, u"A^V"},        // between Alt+D and A
      {"@DA^V", 13, u"^V"},        // inside Ctrl+V
  };
  for (const auto& c : cases) {
    int queries = 0;
    services.stopRequested = [&] { return queries++ >= c.allowedQueries; };
    std::u16string untyped;
    ActivateTarget(Utf8ToStr(c.command), 0x2a, Profile(0, 0), services, &untyped);
    EXPECT_EQ(untyped, c.untyped) << c.command << " " << c.allowedQueries;
  }
}

TEST(SendMessages, QuoteTheirSubject) {
  EXPECT_EQ(CopiedMessage(u"壁"), u"文字「壁」をコピーしました。");
  EXPECT_EQ(SentMessage(u"@DA^V"), u"コマンド「@DA^V」を送信しました。");
  EXPECT_EQ(NotRunningMessage(u"jw_win"), u"指定ソフト「jw_win」が起動されていません。");
  EXPECT_EQ(TargetLeftMessage(u"@DA^V", u"^V"),
            u"送信先が前面にないため、送信を中止しました。コマンド「@DA^V」の「^V」から先は送っていません。");
  EXPECT_EQ(TargetLeftMessage(u"@DA^V", u"@DA^V"),
            u"送信先が前面にないため、送信を中止しました。コマンド「@DA^V」のキーは送っていません。");
  EXPECT_EQ(CancelledMessage(u"@DA^V", u"A^V"), u"コマンド「@DA^V」の送信を中止しました。「A^V」から先は送っていません。");
}

TEST(PlayKeyEvents, StopsAtStop) {
  FakeJournal journal;
  FakeKeySender keys(journal);
  PlayKeyEvents({KeyEvent::Down(1), KeyEvent::Up(1), KeyEvent::Stop(), KeyEvent::Down(2)},
                keys, [&](double) { journal.push_back("wait"); });
  EXPECT_EQ(journal, (FakeJournal{"down 0x01", "up 0x01"}));
}

TEST(FakeEscKeyState, GoesDownFromTheGivenQuery) {
  FakeEscKeyState never;
  FakeEscKeyState third(2);
  EXPECT_FALSE(never.IsEscDown());
  EXPECT_FALSE(third.IsEscDown());
  EXPECT_FALSE(third.IsEscDown());
  EXPECT_TRUE(third.IsEscDown());
  EXPECT_TRUE(third.IsEscDown());
  EXPECT_FALSE(NeverEscKeyState().IsEscDown());
}

}  // namespace
}  // namespace glyphgrab

// The desktop tool on a private X display: a copy of the executable started alone in a
// folder, clicked through to a text file; a click copies a line, a double click sends
// it to the receiver window "jw_win test"; the mnemonics open the settings dialog and
// close the tool, which then leaves its settings beside the copy. Screenshots of the
// windows go to the build tree. A second run searches a tree of 305 files while the main
// window is clicked, opens the result and adds its line to the memo; a second start hands
// its file over, and a termination signal closes the tool with everything saved. A third
// opens a file with the keys alone and widens the window.
// GoogleTest first: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "browse/settings.h"
#include "fixtures/temp_dir.h"
#include "util/paths.h"
#include "x_session.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;
using testing::Receiver;
using testing::XSession;
using Lines = std::vector<std::string>;

using testing::Shell;

std::string WindowByName(const std::string& name) {
  const std::string ids = Shell("xdotool search --onlyvisible --name '" + name + "'");
  return ids.substr(0, ids.find('\n'));
}

// Retries `step` until `done` holds, for UI that needs a moment to follow.
template <typename Step, typename Done>
bool Eventually(Step step, Done done, int attempts = 30) {
  for (int i = 0; i < attempts; ++i) {
    step();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    if (done()) return true;
  }
  return false;
}

std::string Screenshot(const std::string& window, const std::string& name) {
  fs::create_directories(GLYPHGRAB_SCREENSHOT_DIR);
  const std::string path = std::string(GLYPHGRAB_SCREENSHOT_DIR) + "/" + name + ".png";
  return Shell(std::string(GLYPHGRAB_SCREENSHOT) + " " + path + " " + window + " && echo ok") == "ok"
             ? path
             : "(no screenshot)";
}

std::string Ended(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, WNOHANG) != pid) return "";
  return WIFSIGNALED(status) ? " (the tool ended by signal " + std::to_string(WTERMSIG(status)) + ")"
                             : " (the tool ended with status " + std::to_string(WEXITSTATUS(status)) + ")";
}

// Starts the display (under jwm when asked) and copies the executable alone into
// scratch/app, where its settings, memo and TEMP then live. Skips the calling test when a
// tool or Xvfb is missing and fails it when the display does not start.
void StartWithTheTool(XSession& session, const fs::path& scratch, bool underJwm, fs::path& app) {
  for (const char* tool : {"xdotool", "xclip"}) {
    if (testing::FindProgram(tool).empty()) GTEST_SKIP() << tool << " is not installed: skipped";
  }
  const std::string problem = session.Start(underJwm, scratch);
  if (problem == "Xvfb is not installed") GTEST_SKIP() << problem << ": end-to-end test skipped";
  ASSERT_EQ(problem, "");
  app = scratch / "app";
  fs::create_directories(app);
  fs::copy_file(GLYPHGRAB_EXE, app / "glyphgrab");
}

// Starts the copied tool and waits for its main window. In the sanitizer tree Qt's
// allocations kept until exit would fail the tool's exit status through the leak
// checker; the engine's leaks are checked by its own tests.
void SpawnTheTool(XSession& session, const fs::path& app, pid_t& tool, std::string& window) {
  const char* asan = std::getenv("ASAN_OPTIONS");
  ::setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
  tool = session.Spawn({(app / "glyphgrab").string()});
  ASSERT_GT(tool, 0);
  ASSERT_TRUE(Eventually([] {}, [&] { return !(window = WindowByName("Glyphgrab Ver.1.10")).empty(); }));
}

// Once on a bare display and once under a window manager, which decides on focus itself.
class GuiE2eSend : public ::testing::TestWithParam<bool> {};

TEST_P(GuiE2eSend, ClickThroughCopySendAndClose) {
  testing::TempDir scratch;
  XSession session;
  fs::path app;
  StartWithTheTool(session, scratch.path(), GetParam(), app);
  if (IsSkipped() || HasFatalFailure()) return;
  const fs::path docs = scratch.path() / "root" / "docs";
  // Lines a real target pastes through the clipboard: Japanese, half-width katakana, a
  // symbol and a 64-byte line.
  const Lines pasted = {"洋室のメモ", "ｸﾛｰｾﾞｯﾄ", "①②③ ㎡", std::string(60, 'x') + "1234"};
  std::string hello = "first line\r\nsecond line\r\n";
  for (const std::string& line : pasted) hello += line + "\r\n";
  scratch.Write("root/docs/hello.txt", "\xEF\xBB\xBF" + hello);
  scratch.MakeDir("root/other");
  TSettings settings;
  settings.rootFolder = NativeToPath((scratch.path() / "root").string()) + u"/";
  settings.preFolder = NativeToPath(docs.string());
  settings.mainWindow = {0, 0, 780, 420};  // the display is 800 by 600
  settings.treePaneWidth = 100;  // the button row takes the rest
  settings.listWidth = 70;
  settings.columnWidths = {110, 50, 120, 130, 60, 40};
  ASSERT_TRUE(SettingsSave(NativeToPath((app / "glyphgrab.dat").string()), settings));

  // It reads the clipboard as a Windows program under Wine does, the moment the tool
  // takes it, and gives up after half a second.
  const Receiver receiver(session, "jw_win test", scratch.path() / "receiver.log", {"--clipboard"});
  ASSERT_NE(receiver.window(), 0u);
  pid_t tool = -1;
  std::string window;
  SpawnTheTool(session, app, tool, window);
  if (HasFatalFailure()) return;
  EXPECT_TRUE(fs::is_directory(app / "TEMP"));

  // Window-relative places: the file list's first row, the extraction list's lines.
  const auto click = [&](int x, int y, int repeat = 1) {
    Shell("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
        " click --repeat " + std::to_string(repeat) + " --delay 60 1");
  };
  const int fileRowX = 140, fileRowY = 105;
  const int width = std::stoi(Shell("xdotool getwindowgeometry --shell " + window + " | sed -n 's/^WIDTH=//p'"));
  const int linesX = width - 40, lineY0 = 85, lineH = 14;  // line centres, below the button row
  Shell("printf before | xclip -selection clipboard >/dev/null");  // xclip stays to serve it
  ASSERT_TRUE(Eventually(
      [&] {
        click(fileRowX, fileRowY);
        click(linesX, lineY0 + lineH);
      },
      [] { return Shell("xclip -o -selection clipboard") == "first line"; }))
      << "the click on the file or on its first line did not copy it; see " << Screenshot("0", "failure")
      << Ended(tool);

  EXPECT_NE(Screenshot(window, "main_window"), "(no screenshot)");

  // A double click sends the line: on the clipboard, then Alt+D, A, Ctrl+V typed.
  click(linesX, lineY0 + 2 * lineH, 2);
  const Lines expected = {"down Alt_L", "down d +alt", "up d +alt", "up Alt_L +alt",
                          "down a", "up a",
                          "down Control_L", "down v +ctrl", "up v +ctrl", "up Control_L +ctrl"};
  EXPECT_EQ(receiver.Keys(expected.size(), std::chrono::seconds(5)), expected);
  EXPECT_EQ(Shell("xclip -o -selection clipboard"), "second line");
  EXPECT_EQ(receiver.Pastes(1, std::chrono::seconds(5)), Lines{"second line"});

  // Each double click pastes its own line: the tool answers the clipboard request while
  // it types. One send at a time, so each waits for the paste before it.
  Lines expectedPastes = {"second line"};
  for (std::size_t k = 0; k < pasted.size(); ++k) {
    click(linesX, lineY0 + static_cast<int>(3 + k) * lineH, 2);
    expectedPastes.push_back(pasted[k]);
    EXPECT_EQ(receiver.Pastes(expectedPastes.size(), std::chrono::seconds(6)), expectedPastes)
        << "see " << Screenshot("0", "paste_failure");
  }

  // A target that behaves as Jw_cad does under a window manager whose focus follows the
  // pointer: once Alt+D is over, the focus goes to the tool's window under the pointer.
  // The tool brings the target back; the rest of the keys and the paste land there.
  session.End(receiver.pid());
  const Receiver following(session, "jw_win test", scratch.path() / "following.log",
                           {"--clipboard", "--hand-focus-to", window});
  ASSERT_NE(following.window(), 0u);
  click(linesX, lineY0 + lineH, 2);
  EXPECT_EQ(following.Keys(expected.size(), std::chrono::seconds(6)), expected)
      << "see " << Screenshot("0", "following_failure");
  EXPECT_EQ(following.Pastes(1, std::chrono::seconds(3)), Lines{"first line"});

  // Alt+S opens the settings dialog; Escape cancels it; Alt+X ends the tool.
  Shell("xdotool windowfocus --sync " + window);
  std::string dialog;
  ASSERT_TRUE(Eventually([&] { if (dialog.empty()) Shell("xdotool key --window " + window + " alt+s"); },
                         [&] { return !(dialog = WindowByName("変換設定")).empty(); }, 10));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_NE(Screenshot(dialog, "settings_dialog"), "(no screenshot)");
  Shell("xdotool windowfocus --sync " + dialog + " key Escape");
  ASSERT_TRUE(Eventually([] {}, [] { return WindowByName("変換設定").empty(); }, 10));
  Shell("xdotool windowfocus --sync " + window + " key alt+x");
  int status = -1;
  ASSERT_TRUE(Eventually([] {}, [&] { return ::waitpid(tool, &status, WNOHANG) == tool; }, 25));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(fs::exists(app / "TEMP"));
  EXPECT_TRUE(fs::is_regular_file(app / "Memo.txt"));
  const TSettings saved = SettingsLoad(NativeToPath((app / "glyphgrab.dat").string()));
  EXPECT_EQ(saved.preFolder, settings.preFolder);
  EXPECT_EQ(saved.columnWidths, settings.columnWidths);
}

INSTANTIATE_TEST_SUITE_P(, GuiE2eSend, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "UnderJwm" : "Bare"; });

// The search window over a tree of 300 files while the main window is clicked; a result
// opens its file, whose line goes to the memo; screenshots of both windows.
TEST(GuiE2e, SearchOpensAResultAndTheMemoCollectsIt) {
  testing::TempDir scratch;
  XSession session;
  fs::path app;
  StartWithTheTool(session, scratch.path(), false, app);
  if (IsSkipped() || HasFatalFailure()) return;
  scratch.Write("root/a00/hello.txt", "first line\r\nsecond line\r\n");
  for (int d = 1; d < 20; ++d) {
    for (int f = 0; f < 16; ++f) {
      const std::string folder = "root/a" + std::string(d < 10 ? "0" : "") + std::to_string(d);
      scratch.Write(folder + "/file" + std::to_string(100 + f) + ".txt",
                    d == 7 && f == 3 ? "the needle line\r\n" : "hay\r\n");
    }
  }
  TSettings settings;
  settings.rootFolder = NativeToPath((scratch.path() / "root").string()) + u"/";
  settings.preFolder = NativeToPath((scratch.path() / "root" / "a00").string());
  settings.mainWindow = {0, 0, 780, 420};
  settings.treePaneWidth = 100;
  settings.listWidth = 70;
  settings.columnWidths = {110, 50, 120, 130, 60, 40};
  settings.searchWindow = {300, 180, 480, 300};
  settings.memoWindow = {40, 200, 520, 300};
  for (std::size_t i = 5; i <= 13; ++i) settings.optFlags[i] = true;
  ASSERT_TRUE(SettingsSave(NativeToPath((app / "glyphgrab.dat").string()), settings));

  pid_t tool = -1;
  std::string window;
  SpawnTheTool(session, app, tool, window);
  if (HasFatalFailure()) return;
  const auto clickIn = [&](const std::string& w, int x, int y, int button = 1) {
    Shell("xdotool mousemove --window " + w + " " + std::to_string(x) + " " + std::to_string(y) +
          " click " + std::to_string(button));
  };
  const int width = std::stoi(Shell("xdotool getwindowgeometry --shell " + window + " | sed -n 's/^WIDTH=//p'"));
  const int linesX = width - 40, lineY0 = 85, lineH = 14;

  std::string search;
  ASSERT_TRUE(Eventually([&] { if (search.empty()) Shell("xdotool windowfocus --sync " + window + " key alt+t"); },
                         [&] { return !(search = WindowByName("^検索$")).empty(); }, 15))
      << Screenshot("0", "failure") << Ended(tool);
  // The keyword box has the focus; Alt+S starts, and the main window is clicked meanwhile.
  Shell("xdotool windowfocus --sync " + search + " type needle");
  Shell("xdotool key --window " + search + " alt+s");
  Shell("printf before | xclip -selection clipboard >/dev/null");
  ASSERT_TRUE(Eventually(
      [&] {
        clickIn(window, 140, 105);
        clickIn(window, linesX, lineY0 + lineH);
      },
      [] { return Shell("xclip -o -selection clipboard") == "first line"; }))
      << Screenshot("0", "failure") << Ended(tool);

  // The one result line opens its file; its line is copied and added to the memo.
  ASSERT_TRUE(Eventually(
      [&] {
        clickIn(search, 60, 150);
        clickIn(window, linesX, lineY0 + lineH);
      },
      [] { return Shell("xclip -o -selection clipboard") == "the needle line"; }))
      << Screenshot("0", "failure") << Ended(tool);
  EXPECT_NE(Screenshot(search, "search_window"), "(no screenshot)");
  clickIn(window, linesX, lineY0 + lineH, 3);

  std::string memo;
  ASSERT_TRUE(Eventually([&] { if (memo.empty()) Shell("xdotool windowfocus --sync " + window + " key alt+m"); },
                         [&] { return !(memo = WindowByName("^メモ$")).empty(); }, 15))
      << Screenshot("0", "failure") << Ended(tool);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_NE(Screenshot(memo, "memo_window"), "(no screenshot)");

  // A second start, as a file manager makes it, hands its file to this one and ends.
  const pid_t second = session.Spawn({(app / "glyphgrab").string(), (scratch.path() / "root" / "a00" / "hello.txt").string()});
  int secondStatus = -1;
  ASSERT_TRUE(Eventually([] {}, [&] { return ::waitpid(second, &secondStatus, WNOHANG) == second; }, 25));
  EXPECT_TRUE(WIFEXITED(secondStatus) && WEXITSTATUS(secondStatus) == 0);
  EXPECT_EQ(WindowByName("Glyphgrab Ver.1.10"), window);

  // A termination request (a shutdown, a kill) closes the tool as its close box does.
  ::kill(tool, SIGTERM);
  int status = -1;
  ASSERT_TRUE(Eventually([] {}, [&] { return ::waitpid(tool, &status, WNOHANG) == tool; }, 25));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const TSettings saved = SettingsLoad(NativeToPath((app / "glyphgrab.dat").string()));
  ASSERT_FALSE(saved.keywordHistory.empty());
  EXPECT_EQ(saved.keywordHistory[0], u"needle");
  std::ifstream memoFile(app / "Memo.txt", std::ios::binary);
  const std::string memoBytes((std::istreambuf_iterator<char>(memoFile)), std::istreambuf_iterator<char>());
  EXPECT_EQ(memoBytes, "\xEF\xBB\xBFthe needle line\r\n");
}

// The keyboard alone opens a folder and a file, and a window made wider widens the text
// list too (the settings keep what the window showed).
TEST(GuiE2e, KeysOpenAFileAndAWiderWindowWidensTheTexts) {
  testing::TempDir scratch;
  XSession session;
  fs::path app;
  StartWithTheTool(session, scratch.path(), false, app);
  if (IsSkipped() || HasFatalFailure()) return;
  scratch.Write("root/a/empty.txt", "");
  scratch.Write("root/b/keys.txt", "opened by keys\r\n");
  TSettings settings;
  settings.rootFolder = NativeToPath((scratch.path() / "root").string()) + u"/";
  settings.preFolder = NativeToPath((scratch.path() / "root" / "a").string());
  settings.mainWindow = {0, 0, 780, 420};
  settings.treePaneWidth = 150;
  settings.listWidth = 100;
  ASSERT_TRUE(SettingsSave(NativeToPath((app / "glyphgrab.dat").string()), settings));

  pid_t tool = -1;
  std::string window;
  SpawnTheTool(session, app, tool, window);
  if (HasFatalFailure()) return;
  const auto clickIn = [&](int x, int y) {
    Shell("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) + " click 1");
  };
  const int width = std::stoi(Shell("xdotool getwindowgeometry --shell " + window + " | sed -n 's/^WIDTH=//p'"));

  // The tree has the focus on its node "a": Down selects "b" and opens it after a pause;
  // Tab goes to the file list, where Space selects its one file and Enter opens it.
  clickIn(60, 121);  // the root node's line: a click on it lists the root
  Shell("xdotool windowfocus --sync " + window + " key Down Down");
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  Shell("xdotool key --window " + window + " Tab space Return");
  const int linesX = width - 40, lineY0 = 85, lineH = 14;
  Shell("printf before | xclip -selection clipboard >/dev/null");
  ASSERT_TRUE(Eventually([&] { clickIn(linesX, lineY0 + lineH); },
                         [] { return Shell("xclip -o -selection clipboard") == "opened by keys"; }))
      << Screenshot("0", "failure") << Ended(tool);

  Shell("xdotool windowsize --sync " + window + " 1180 420");
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  ::kill(tool, SIGTERM);
  int status = -1;
  ASSERT_TRUE(Eventually([] {}, [&] { return ::waitpid(tool, &status, WNOHANG) == tool; }, 25));
  const TSettings saved = SettingsLoad(NativeToPath((app / "glyphgrab.dat").string()));
  EXPECT_EQ(saved.treePaneWidth, 150);
  // 400 pixels more, shared with the file list.
  EXPECT_GE(saved.listWidth, 100 + 150);
  EXPECT_LE(saved.listWidth, 100 + 250);
}

}  // namespace
}  // namespace glyphgrab

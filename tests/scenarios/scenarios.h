// What a user does in the tool's windows and what they must then show, written once and
// run against every edition's windows: the widget-free logic with recording views and
// the Qt windows (offscreen). A driver turns the user's
// keys and clicks into its windows' events and reads back what they show.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fixtures/temp_dir.h"
#include "ui/pane_widths.h"
#include "ui/window_rules.h"
#include "util/paths.h"

namespace glyphgrab::scenarios {

namespace fs = std::filesystem;

// How the tool was left at its last close.
struct StartState {
  fs::path root, folder;
  int mainWidth = 0;  // the main window's width; 0 leaves the default
  int treeWidth = 0, listWidth = 0;  // the side panes'; 0 leaves the defaults
};

// The main window's width and its panes', in 96-DPI pixels.
struct MainShape {
  int window = 0, minimum = 0;  // its width and the narrowest it allows
  int tree = 0, files = 0, texts = 0;
};

class Driver {
 public:
  virtual ~Driver() = default;
  // Starts the tool as `state` left it and waits for the folder scan and the file list.
  virtual void Start(const StartState& state) = 0;
  // The folder button's caption as the user reads it (a mnemonic's "&" not shown).
  virtual std::u16string RootCaption() = 0;
  // Home in the file list, then the down arrow until `name` is the current row.
  virtual void KeysToFile(std::u16string_view name) = 0;
  // The text list once the running extraction has ended.
  virtual std::vector<std::u16string> Lines() = 0;
  // The date column's width and a date and time's in the list's font; none without
  // widgets.
  virtual std::optional<std::pair<int, int>> DateColumn() = 0;
  virtual std::optional<MainShape> Shape() = 0;
  // A later start of the tool with `path`: handed to this window.
  virtual void HandOver(const fs::path& path) = 0;
  // Opens the search window, ticks every file type and both modes, types `keyword` and
  // clicks 検索開始.
  virtual void Search(std::u16string_view keyword) = 0;
  // Esc in the search window.
  virtual void EscInSearch() = 0;
  // The search window's status once its search has ended.
  virtual std::u16string SearchStatus() = 0;
  // Whether the opened search window shows both its buttons whole; none without widgets.
  virtual std::optional<bool> SearchButtonsShown() = 0;
};

// Reads a caption as a control with mnemonics shows it.
inline std::u16string ShownCaption(std::u16string_view caption) {
  std::u16string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

inline std::u16string Name(const fs::path& p) { return NativeToPath(p.filename().string()); }

// root/a holds two text files, root/b a third.
struct Files {
  testing::TempDir dir;
  fs::path root = dir.MakeDir("root");
  fs::path a = dir.MakeDir("root/a");
  fs::path b = dir.MakeDir("root/b");

  Files() {
    dir.Write("root/a/one.txt", "first line\r\n");
    dir.Write("root/a/two.txt", "second file\r\n");
    dir.Write("root/b/three.txt", "third file\r\n");
  }
};

// The arrow keys open a file as a click does.
inline void ArrowKeysExtract(Driver& d) {
  Files f;
  d.Start({f.root, f.a});
  d.KeysToFile(u"two.txt");
  const std::vector<std::u16string> lines = d.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), u"【two.txt】");
  EXPECT_NE(std::find(lines.begin(), lines.end(), u"second file"), lines.end());
}

// A root folder named with "&" shows as itself on the folder button.
inline void AmpersandRootCaption(Driver& d) {
  Files f;
  const fs::path root = f.dir.MakeDir("A&B");
  f.dir.Write("A&B/x.txt", "x\r\n");
  d.Start({root, root});
  const std::u16string shown = ShownCaption(d.RootCaption());
  EXPECT_NE(shown.find(u"A&B"), std::u16string::npos) << std::string(shown.begin(), shown.end());
}

// A first start's date column shows a date and time whole.
inline void DateColumnWidth(Driver& d) {
  Files f;
  d.Start({f.root, f.a});
  const auto date = d.DateColumn();
  if (!date) GTEST_SKIP() << "no widgets";
  EXPECT_GE(date->first, date->second);
}

// A window saved narrower than its side panes keeps its size; the side panes give up
// width and all three stay in the window.
inline void NarrowWindow(Driver& d) {
  Files f;
  d.Start({f.root, f.a, 300, 300, 400});
  const auto shape = d.Shape();
  if (!shape) GTEST_SKIP() << "no widgets";
  EXPECT_EQ(shape->window, std::max(300, shape->minimum));
  EXPECT_LE(shape->tree + shape->files + shape->texts, shape->window);
  EXPECT_LT(shape->tree, 300);
  EXPECT_LT(shape->texts, 400);
  EXPECT_GE(shape->tree, ui::kMinSidePane - 2);
  EXPECT_GE(shape->texts, ui::kMinSidePane - 2);
}

// Esc in the search window stops a running search and says so.
inline void EscStopsSearch(Driver& d) {
  Files f;
  for (int i = 0; i < 200; ++i) f.dir.Write("root/b/many" + std::to_string(i) + ".txt", "nothing here\r\n");
  d.Start({f.root, f.a});
  d.Search(u"needle");
  d.EscInSearch();
  EXPECT_EQ(d.SearchStatus(), u"《ESC:中断しました》");
}

// A file handed over by a later start opens in the running window.
inline void SecondStartHandsOver(Driver& d) {
  Files f;
  d.Start({f.root, f.a});
  d.HandOver(f.b / "three.txt");
  const std::vector<std::u16string> lines = d.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), u"【three.txt】");
}

// The search window opens wide enough for its buttons.
inline void SearchWindowShowsItsButtons(Driver& d) {
  Files f;
  d.Start({f.root, f.a});
  const auto shown = d.SearchButtonsShown();
  if (!shown) GTEST_SKIP() << "no widgets";
  EXPECT_TRUE(*shown);
}

}  // namespace glyphgrab::scenarios

// Every scenario as a test of `Suite`; `MAKE` makes a fresh driver.
#define GLYPHGRAB_SCENARIO_TESTS(Suite, MAKE)                                                  \
  TEST(Suite, ArrowKeysExtract) { glyphgrab::scenarios::ArrowKeysExtract(*MAKE()); }             \
  TEST(Suite, AmpersandRootCaption) { glyphgrab::scenarios::AmpersandRootCaption(*MAKE()); }     \
  TEST(Suite, DateColumnWidth) { glyphgrab::scenarios::DateColumnWidth(*MAKE()); }               \
  TEST(Suite, NarrowWindow) { glyphgrab::scenarios::NarrowWindow(*MAKE()); }                     \
  TEST(Suite, EscStopsSearch) { glyphgrab::scenarios::EscStopsSearch(*MAKE()); }                 \
  TEST(Suite, SecondStartHandsOver) { glyphgrab::scenarios::SecondStartHandsOver(*MAKE()); }     \
  TEST(Suite, SearchWindowShowsItsButtons) { glyphgrab::scenarios::SearchWindowShowsItsButtons(*MAKE()); }

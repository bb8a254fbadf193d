// A main window's logic over a temporary application folder and a small folder tree,
// with recording stand-ins for the desktop and the view.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "browse/app_files.h"
#include "browse/settings.h"
#include "fake_views.h"
#include "fixtures/temp_dir.h"
#include "memo/memo_file.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_misc.h"
#include "ui/main_logic.h"
#include "util/paths.h"

namespace glyphgrab::testing {

// The path as the engine spells it (the platform's delimiters throughout).
inline std::u16string U16(std::filesystem::path p) { return NativeToPath(p.make_preferred().string()); }

// root/ with the folders b, a and a/c; the files live in a.
struct UiFixture {
  TempDir dir;
  std::filesystem::path app = dir.MakeDir("app");
  std::filesystem::path root = dir.MakeDir("root");
  std::filesystem::path a = dir.MakeDir("root/a");
  FakeJournal journal;
  FakeClipboard* clipboard = nullptr;
  FakeWindowSystem* windows = nullptr;
  FakeMisc* misc = nullptr;
  std::function<void(double)> wait = [](double) {};
  FakeMainView view;
  std::unique_ptr<ui::MainLogic> logic;

  UiFixture() {
    dir.MakeDir("root/b");
    dir.MakeDir("root/a/c");
    dir.Write("root/a/one.txt", "first line\r\nsecond line\r\n");
    dir.Write("root/a/two.csv", "\r\nlater,text\r\n");
  }
  ~UiFixture() { logic.reset(); }

  TAppFiles Files() const {
    TAppFiles f;
    f.folder = AddTrailingDelim(U16(app));
    f.settingsFile = JoinPath(U16(app), u"glyphgrab.dat");
    f.settingsSource = f.settingsFile;
    f.memoFile = JoinPath(U16(app), u"Memo.txt");
    f.tempFolder = AddTrailingDelim(JoinPath(U16(app), u"TEMP"));
    f.portable = true;
    return f;
  }

  void SaveSettings(const std::u16string& rootFolder, const std::u16string& preFolder) {
    TSettings s;
    s.rootFolder = rootFolder;
    s.preFolder = preFolder;
    SettingsSave(Files().settingsFile, s);
  }
  // The usual start: root/ as the root, root/a as the current folder.
  void SaveUsualSettings() { SaveSettings(AddTrailingDelim(U16(root)), U16(a)); }

  ui::Desktop MakeDesktop() {
    ui::Desktop d;
    auto c = std::make_unique<FakeClipboard>(journal);
    clipboard = c.get();
    d.clipboard = std::move(c);
    d.keys = std::make_unique<FakeKeySender>(journal);
    auto w = std::make_unique<FakeWindowSystem>(journal);
    windows = w.get();
    d.windows = std::move(w);
    d.esc = std::make_unique<FakeEscKeyState>();
    auto m = std::make_unique<FakeMisc>();
    misc = m.get();
    d.misc = std::move(m);
    d.wait = [this](double seconds) { wait(seconds); };
    return d;
  }

  ui::MainLogic& Make(TAppFiles files) {
    logic = std::make_unique<ui::MainLogic>(view, std::move(files), MakeDesktop());
    return *logic;
  }
  // Starts up and takes the scan's result.
  ui::MainLogic& Start() {
    Make(Files());
    logic->StartUp();
    view.RunUntil([&] { return !logic->TreeScanRunning(); });
    return *logic;
  }
  void SelectFiles(std::initializer_list<std::u16string_view> names) {
    view.selectedRows.clear();
    for (std::size_t r = 0; r < view.rows.size(); ++r) {
      for (std::u16string_view name : names) {
        if (view.rows[r] == name) view.selectedRows.push_back(static_cast<int>(r));
      }
    }
  }
  void Extract(std::initializer_list<std::u16string_view> names) {
    SelectFiles(names);
    logic->ListView1Click();
    view.RunUntil([&] { return !logic->ExtractionRunning(); });
  }
  void AddTarget() { windows->windows.push_back(TopLevelWindow{7, u"jw_win - drawing", false, true}); }
};

}  // namespace glyphgrab::testing

// A main window over a temporary application folder, with recording stand-ins for the
// desktop: key sender, window list, Esc key, file opener, beeps and message boxes. The
// clipboard is the toolkit's own, so tests read back what the window put there.
#pragma once

#include <QStringList>

#include <filesystem>
#include <memory>
#include <string>

#include "browse/app_files.h"
#include "fixtures/temp_dir.h"
#include "gui/qt/desktop.h"
#include "gui/qt/main_window.h"
#include "gui/qt/qt_view.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_misc.h"
#include "util/paths.h"

namespace glyphgrab::testing {

struct GuiProbe {
  FakeJournal journal;
  FakeWindowSystem* windows = nullptr;
  FakeMisc* misc = nullptr;
  FakeEscKeyState* esc = nullptr;
  int beeps = 0;
  QStringList messages;
};

inline TAppFiles TestAppFiles(const std::filesystem::path& folder) {
  TAppFiles f;
  f.folder = NativeToPath(folder.string()) + u"/";
  f.settingsFile = f.folder + u"glyphgrab.dat";
  f.settingsSource = f.settingsFile;
  f.memoFile = f.folder + u"Memo.txt";
  f.tempFolder = f.folder + u"TEMP/";
  f.portable = true;
  return f;
}

inline ui::Desktop TestDesktop(GuiProbe& probe, int escDownFromQuery = -1) {
  ui::Desktop d;
  d.clipboard = std::make_unique<gui::QtClipboard>();
  d.keys = std::make_unique<FakeKeySender>(probe.journal);
  auto windows = std::make_unique<FakeWindowSystem>(probe.journal);
  probe.windows = windows.get();
  d.windows = std::move(windows);
  auto esc = std::make_unique<FakeEscKeyState>(escDownFromQuery);
  probe.esc = esc.get();
  d.esc = std::move(esc);
  auto misc = std::make_unique<FakeMisc>();
  probe.misc = misc.get();
  d.misc = std::move(misc);
  d.wait = [](double) {};
  return d;
}

// Beeps and boxes are counted and recorded; nothing is asked.
inline gui::QtBoxes TestBoxes(GuiProbe& probe) {
  gui::QtBoxes b;
  b.beep = [&probe] { ++probe.beeps; };
  b.message = [&probe](QWidget*, const QString& text) { probe.messages.push_back(text); };
  return b;
}

inline std::u16string U16(const std::filesystem::path& p) { return NativeToPath(p.string()); }

}  // namespace glyphgrab::testing

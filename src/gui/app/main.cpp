// The desktop tool: the main window over the project's engine.
#include <QApplication>
#include <QMessageBox>

#include "browse/app_files.h"
#include "gui/desktop.h"
#include "gui/main_window.h"
#include "gui/memo_window.h"
#include "gui/search_window.h"

namespace glyphgrab::gui {
namespace {

class NoKeySender final : public KeySender {
 public:
  void KeyDown(std::uint8_t) override {}
  void KeyUp(std::uint8_t) override {}
};

class NoWindowSystem final : public WindowSystem {
 public:
  std::vector<TopLevelWindow> ListTopLevelWindows() override { return {}; }
  bool ActivateWindow(WindowId, bool) override { return false; }
};

}  // namespace

// The desktop of the platform this program runs on. Services the display cannot give
// (no X server, no input extension) are replaced by ones that do nothing.
Desktop MakePlatformDesktop() {
  Desktop d;
  d.clipboard = std::make_unique<QtClipboard>();
  d.keys = MakePlatformKeySender();
  if (!d.keys) d.keys = std::make_unique<NoKeySender>();
  d.windows = MakePlatformWindowSystem();
  if (!d.windows) d.windows = std::make_unique<NoWindowSystem>();
  d.esc = MakePlatformEscKeyState();
  if (!d.esc) d.esc = std::make_unique<NeverEscKeyState>();
  d.misc = MakePlatformMisc();
  d.beep = [] { QApplication::beep(); };
  d.message = [](QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Glyphgrab"), text);
  };
  return d;
}

}  // namespace glyphgrab::gui

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("glyphgrab"));
  glyphgrab::gui::MainWindow window(glyphgrab::LocateAppFiles(),
                                    glyphgrab::gui::MakePlatformDesktop());
  window.StartUp();  // the other windows take their state from the loaded settings
  // Owned by the main window: they stay above it, and closing it ends the tool even when
  // they are open.
  glyphgrab::gui::MemoWindow memo(window.memo(), window.settings(), window.desktop(), &window);
  window.showMemoWindow = [&memo] { memo.ShowMemo(); };
  window.memoChanged = [&memo] { memo.MemoChanged(); };
  glyphgrab::gui::SearchWindow search(window, &window);
  window.showSearchWindow = [&search] { search.ShowSearch(); };
  window.collectSettings = [&memo, &search] {
    memo.StoreGeometry();
    search.StoreSettings();
  };
  window.show();
  const int status = QApplication::exec();
  window.Closing();  // saves while the other windows still exist; does nothing when closed
  return status;
}

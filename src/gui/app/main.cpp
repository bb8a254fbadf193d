// The desktop tool: the main window over the project's engine.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstring>

#include "browse/app_files.h"
#include "gui/desktop.h"
#include "gui/main_window.h"
#include "gui/memo_window.h"
#include "gui/search_window.h"
#include "util/paths.h"

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

namespace {

constexpr char kUsage[] =
    "Usage: glyphgrab [FILE | FOLDER]\n"
    "       glyphgrab --help | --version\n"
    "Browses folders of Jw_cad drawings and lists, copies and sends their texts.\n"
    "FILE opens its folder and extracts it; FOLDER opens that folder. Either becomes\n"
    "the root of the folder tree when it lies outside the tree.\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so they work without a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("glyphgrab " GLYPHGRAB_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);  // takes Qt's own options out of argv
  QApplication::setApplicationName(QStringLiteral("glyphgrab"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/glyphgrab.png")));

  std::u16string startPath;
  int paths = 0;
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-' && argv[i][1] != '\0') {
      std::fprintf(stderr, "glyphgrab: unknown option '%s' (try --help)\n", argv[i]);
      return 2;
    }
    if (++paths > 1) {
      std::fputs("glyphgrab: only one FILE or FOLDER can be opened (try --help)\n", stderr);
      return 2;
    }
    startPath = glyphgrab::NativeToPath(argv[i]);
    if (!glyphgrab::IsFile(startPath) && !glyphgrab::IsFolder(startPath)) {
      std::fprintf(stderr, "glyphgrab: %s: no such file or folder\n", argv[i]);
      startPath.clear();  // the tool still starts, at its last folder
    }
  }

  glyphgrab::gui::MainWindow window(glyphgrab::LocateAppFiles(),
                                    glyphgrab::gui::MakePlatformDesktop());
  window.OpenAtStartUp(std::move(startPath));
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

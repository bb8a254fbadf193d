// The desktop tool: the main window over the project's engine.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

#include "browse/app_files.h"
#include "gui/qt/desktop.h"
#include "gui/qt/main_window.h"
#include "gui/qt/memo_window.h"
#include "gui/qt/search_window.h"
#include "gui/qt/qt_translations.h"
#include "gui/qt/qt_view.h"
#include "gui/qt/single_instance.h"
#include "platform/throttled_esc_key_state.h"
#include "ui/single_writer.h"
#include "util/codepage.h"
#include "util/instance_lock.h"
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
  bool FocusBelongsTo(WindowId) override { return false; }
};

}  // namespace

// The desktop of the platform this program runs on. Services the display cannot give
// (no X server, no input extension) are replaced by ones that do nothing.
ui::Desktop MakePlatformDesktop() {
  ui::Desktop d;
  d.clipboard = std::make_unique<QtClipboard>();
  d.keys = MakePlatformKeySender();
  if (!d.keys) d.keys = std::make_unique<NoKeySender>();
  d.windows = MakePlatformWindowSystem();
  if (!d.windows) d.windows = std::make_unique<NoWindowSystem>();
  d.esc = std::make_unique<ThrottledEscKeyState>(MakePlatformEscKeyState());
  d.misc = MakePlatformMisc();
  return d;
}

namespace {

int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const char byte = 1;
  (void)!::write(signalPipe[1], &byte, 1);
}

// SIGTERM (a kill, a shutdown), SIGINT (Ctrl+C in the terminal) and SIGHUP (the terminal
// or session went away) close the main window as a click on its close box would, so the
// settings and the memo are saved and the temporary folder and the socket go.
void CloseOnTerminationSignals(MainWindow& window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char byte = 0;
    (void)!::read(signalPipe[0], &byte, 1);
    window.CloseUnattended();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace

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
  glyphgrab::gui::InstallQtJapanese(app);

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

  const glyphgrab::TAppFiles files = glyphgrab::LocateAppFiles();
  const QString socketName = glyphgrab::gui::InstanceSocketName(glyphgrab::gui::ToQ(files.folder));
  std::u16string absolute = startPath;
  if (!absolute.empty() && absolute[0] != u'/') absolute = glyphgrab::CurrentFolder() + u"/" + absolute;
  // Held until the process ends: the folder's settings and memo have this one writer.
  glyphgrab::TInstanceLock folderLock;
  switch (glyphgrab::ui::ClaimAppFolder(folderLock, files.folder, [&] {
    return glyphgrab::gui::HandOverToRunningInstance(socketName, glyphgrab::gui::ToQ(absolute));
  })) {
    case glyphgrab::ui::StartClaim::kHandedOver:
      return 0;
    case glyphgrab::ui::StartClaim::kNotAnswering: {
      const std::u16string text = glyphgrab::ui::NotAnsweringText(files.folder);
      std::fprintf(stderr, "glyphgrab: %s\n", glyphgrab::StrToUtf8(text).c_str());
      QMessageBox::warning(nullptr, QStringLiteral("Glyphgrab"), glyphgrab::gui::ToQ(text));
      return 1;
    }
    case glyphgrab::ui::StartClaim::kRun:
      break;
  }
  // Without a lock (a folder where none can be made) the socket alone keeps one copy.
  if (!folderLock.Held() &&
      glyphgrab::gui::HandOverToRunningInstance(socketName, glyphgrab::gui::ToQ(absolute))) {
    return 0;
  }
  // Listening before the window is built narrows the moment in which a second start finds
  // nobody; what arrives meanwhile waits for the event loop.
  glyphgrab::gui::MainWindow* target = nullptr;
  glyphgrab::gui::InstanceListener listener([&target](const QString& path) {
    // A frozen copy woken by a signal may find the hand-over and the closing request at
    // once; the window that closed stays closed.
    if (target == nullptr || target->HasClosed()) return;
    if (!path.isEmpty()) target->OpenPath(glyphgrab::gui::FromQ(path));
    target->showNormal();
    target->raise();
    target->activateWindow();
  });
  using ListenResult = glyphgrab::gui::InstanceListener::ListenResult;
  if (listener.Listen(socketName) == ListenResult::kOtherRunning &&
      glyphgrab::gui::HandOverToRunningInstance(socketName, glyphgrab::gui::ToQ(absolute))) {
    return 0;
  }

  glyphgrab::gui::MainWindow window(files, glyphgrab::gui::MakePlatformDesktop(), glyphgrab::gui::MakeQtBoxes());
  window.OpenAtStartUp(std::move(startPath));
  window.NoticesAfterShow();
  window.StartUp();  // the other windows take their state from the loaded settings
  // Owned by the main window: they stay above it, and closing it ends the tool even when
  // they are open.
  glyphgrab::gui::MemoWindow memo(window, &window);
  glyphgrab::ui::MainLogic& logic = window.logic();
  logic.showMemoWindow = [&memo] { memo.ShowMemo(); };
  logic.memoChanged = [&memo] { memo.MemoChanged(); };
  glyphgrab::gui::SearchWindow search(window, &window);
  logic.showSearchWindow = [&search] { search.ShowSearch(); };
  logic.collectSettings = [&memo, &search] {
    memo.StoreGeometry();
    search.StoreSettings();
  };
  target = &window;
  glyphgrab::gui::CloseOnTerminationSignals(window);
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) { window.SaveState(); });
  window.show();
  const int status = QApplication::exec();
  window.Closing();  // saves while the other windows still exist; does nothing when closed
  return status;
}

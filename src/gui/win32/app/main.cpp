// The Windows desktop tool: the main window over the project's engine, with the memo
// and search windows and the settings dialog beside it.
#include <windows.h>
#include <objbase.h>

#include <memory>
#include <string>

#include "browse/app_files.h"
#include "gui/win32/hand_over.h"
#include "gui/win32/main_window.h"
#include "gui/win32/memo_window.h"
#include "gui/win32/search_window.h"
#include "gui/win32/settings_dialog.h"
#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/misc.h"
#include "platform/throttled_esc_key_state.h"
#include "platform/win32/clipboard_win32.h"
#include "platform/window_system.h"
#include "ui/desktop.h"
#include "ui/single_writer.h"
#include "util/instance_lock.h"
#include "util/paths.h"

namespace {

glyphgrab::ui::Desktop MakeDesktop() {
  glyphgrab::ui::Desktop d;
  d.clipboard = std::make_unique<glyphgrab::Win32Clipboard>();
  d.keys = glyphgrab::MakePlatformKeySender();
  d.windows = glyphgrab::MakePlatformWindowSystem();
  d.esc = std::make_unique<glyphgrab::ThrottledEscKeyState>(glyphgrab::MakePlatformEscKeyState());
  d.misc = glyphgrab::MakePlatformMisc();
  return d;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  using namespace glyphgrab::wingui;
  // The folder dialog is a shell one: it wants a single-threaded apartment.
  OleInitialize(nullptr);
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::u16string startPath;
  if (argv && argc > 1) startPath = U(argv[1]);
  if (argv) LocalFree(argv);

  const glyphgrab::TAppFiles files = glyphgrab::LocateAppFiles();
  // Held until the process ends: the folder's settings and memo have this one writer.
  glyphgrab::TInstanceLock folderLock;
  const std::u16string lockFile = glyphgrab::AddTrailingDelim(files.folder) + glyphgrab::kInstanceLockName;
  std::u16string absolute = startPath;
  if (!absolute.empty()) {
    wchar_t full[32768];
    const DWORD n = GetFullPathNameW(W(startPath).c_str(), 32768, full, nullptr);
    if (n > 0 && n < 32768) absolute = U(std::wstring_view(full, n));
  }
  switch (glyphgrab::ui::ClaimAppFolder(folderLock, files.folder,
                                        [&] { return HandOverToRunningWindow(lockFile, absolute); })) {
    case glyphgrab::ui::StartClaim::kHandedOver:
      OleUninitialize();
      return 0;
    case glyphgrab::ui::StartClaim::kNotAnswering:
      MessageBoxW(nullptr, W(glyphgrab::ui::NotAnsweringText(files.folder)).c_str(), L"Glyphgrab",
                  MB_OK | MB_ICONWARNING);
      OleUninitialize();
      return 1;
    case glyphgrab::ui::StartClaim::kRun:
      break;
  }

  int status = 1;
  {
    MainWindow window(files, MakeDesktop());
    if (window.Open()) {
      folderLock.Publish(HandOverNote(window.hwnd()));
      glyphgrab::ui::MainLogic& logic = window.logic();
      logic.OpenAtStartUp(std::move(startPath));
      logic.NoticesAfterShow();
      logic.StartUp();  // the other windows take their state from the loaded settings
      // Owned by the main window: they stay above it, and closing it ends the tool even
      // when they are open.
      MemoWindow memo;
      SearchWindow search;
      SettingsDialog settings(logic.settings());
      memo.Open(window.hwnd(), logic);
      search.Open(window.hwnd(), logic);
      settings.Open(window.hwnd());
      logic.showMemoWindow = [&memo] { memo.ShowMemo(); };
      logic.memoChanged = [&memo] { memo.logic().MemoChanged(); };
      logic.showSearchWindow = [&search] { search.ShowSearch(); };
      logic.collectSettings = [&memo, &search] {
        memo.logic().StoreGeometry();
        search.logic().StoreSettings();
      };
      window.showSettingsDialog = [&settings] { settings.RunModal(); };
      window.Show(showCommand);
      status = TopWindow::RunMessageLoop();
      logic.Closing();  // saves while the other windows still exist; nothing when closed
      window.showSettingsDialog = nullptr;
    }
  }
  OleUninitialize();
  return status;
}

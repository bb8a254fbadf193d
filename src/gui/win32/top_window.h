// What every top-level window of the Windows tool shares: its class and procedure, the
// system's UI font at the window's DPI (made again when the window moves to a monitor of
// another scale), the dialog keys (Tab, mnemonics, Enter, Esc) through IsDialogMessage,
// an optional status bar, placement kept on a screen, and the queue that brings work
// from other threads onto the window thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "gui/win32/post_queue.h"

namespace glyphgrab::wingui {

// The message font of the system (Yu Gothic UI, Meiryo UI... on a Japanese Windows) for
// a DPI; owns the font handle.
class UiFont {
 public:
  UiFont() = default;
  UiFont(const UiFont&) = delete;
  UiFont& operator=(const UiFont&) = delete;
  ~UiFont();
  void Make(UINT dpi);
  HFONT handle() const { return font_; }
  int height() const { return height_; }  // pixels of a line of text

 private:
  HFONT font_ = nullptr;
  int height_ = 16;
};

// Gives `font` to `parent` and every child window.
void ApplyFont(HWND parent, HFONT font);

class TopWindow {
 public:
  TopWindow();
  TopWindow(const TopWindow&) = delete;
  TopWindow& operator=(const TopWindow&) = delete;
  virtual ~TopWindow();

  HWND hwnd() const { return hwnd_; }
  // Any thread: `task` runs on the window thread, in order, unless the window is gone.
  void Post(std::function<void()> task) { queue_.Post(std::move(task)); }

  // The text of the status bar's only part.
  void SetStatus(std::u16string_view text);
  std::u16string StatusText() const { return status_; }

  // Moves and sizes the window as the settings say, kept on the nearest monitor's work
  // area: a stale or hand-edited value must not leave it out of reach. Sizes are at 96
  // DPI and scaled to the monitor's.
  void Place(int left, int top, int width, int height);
  // The window's normal (not minimised or maximised) rectangle as Place takes it.
  RECT Placement() const;

  // The program's message loop: dialog keys go to the top window they belong to.
  static int RunMessageLoop();
  // The same loop until `done` becomes true (a modal dialog's); a quit message ends it
  // and is posted again for the outer loop.
  static void RunModalLoop(const bool& done);

 protected:
  // Creates the window (hidden); `owner` makes it stay above that window.
  bool Create(const wchar_t* caption, DWORD style, int width, int height, HWND owner = nullptr,
              bool statusBar = false);
  // A child control with the window's font; `id` is its control ID.
  HWND AddControl(const wchar_t* className, std::u16string_view text, DWORD style, int id,
                  DWORD exStyle = 0);

  // The window's own messages; the default answers as DefWindowProc.
  virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  // Place the controls in the client area above the status bar.
  virtual void Layout(int width, int height) { (void)width, (void)height; }
  // Dialog keys that IsDialogMessage turns into commands: IDOK for Enter, IDCANCEL for
  // Esc. False leaves the message to the control.
  virtual bool PreTranslate(MSG& msg) { (void)msg; return false; }

  int Px(int dip) const { return MulDiv(dip, static_cast<int>(dpi_), 96); }
  UINT dpi() const { return dpi_; }
  const UiFont& font() const { return font_; }
  HWND statusBar() const { return statusBar_; }
  // Lays out again now (after controls were shown or hidden).
  void Relayout();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static void Deliver(MSG& msg);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  HWND statusBar_ = nullptr;
  std::u16string status_;
  UINT dpi_ = 96;
  UiFont font_;
  PostQueue queue_;
};

// The message that runs a window's posted tasks.
inline constexpr UINT kRunPosted = WM_APP + 1;

}  // namespace glyphgrab::wingui

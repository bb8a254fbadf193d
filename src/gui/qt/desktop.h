// What the windows ask of the desktop: the clipboard, the send services, beeps, message
// boxes and opening files. Tests replace each piece.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "gui/qt/send_runner.h"
#include "sendkeys/send_profile.h"
#include "platform/clipboard.h"
#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/misc.h"
#include "platform/window_system.h"

class QWidget;

namespace glyphgrab::gui {

// The clipboard of the running tool: on X11 it serves the text for as long as it runs.
class QtClipboard final : public Clipboard {
 public:
  bool SetText(std::u16string_view text) override;
};

inline QString ToQ(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::u16string FromQ(const QString& s) { return s.toStdU16String(); }

struct Desktop {
  std::unique_ptr<Clipboard> clipboard;
  std::unique_ptr<KeySender> keys;
  std::unique_ptr<WindowSystem> windows;
  std::unique_ptr<EscKeyState> esc;
  std::unique_ptr<TMisc> misc;
  std::function<void(double seconds)> wait;  // the pauses of a send; WaitSeconds when empty
  std::function<void()> beep;                // the default beep
  // A modal message box with an OK button; `error` shows the error icon (`message`
  // stands in when it is empty).
  std::function<void(QWidget* parent, const QString& text)> message;
  std::function<void(QWidget* parent, const QString& text)> error;
  // A modal warning that offers to try again; true for "retry". Without it nothing is
  // asked and the answer is no.
  std::function<bool(QWidget* parent, const QString& text)> askRetry;
  // Plays sends off the window thread; made by the first send. Last, so it goes first
  // and its worker ends before the services it uses.
  std::unique_ptr<SendRunner> sender;
};

// Moves and sizes a window as the settings file says, kept on the screen: a hand-edited
// or stale file (40000 x 40000, a monitor that is gone) must not leave it unpaintable
// or out of reach.
void PlaceOnScreen(QWidget* window, int left, int top, int width, int height);
// Moves a window that sizes itself (a dialog) as the settings file says, kept on the
// screen; its size is left to its layout.
void MoveOnScreen(QWidget* window, int left, int top);

using StatusSink = std::function<void(std::u16string_view)>;

// The two halves of a send from any window, split because the main window checks its
// selection in between. While another send is being typed: a beep, kSendBusyText in the
// status, and 0. Otherwise the target window of the active profile; when it is not
// running: a beep, the notice over `parent`, and 0.
WindowId FindTargetOrNotify(Desktop& desktop, QWidget* parent, const TSend_jww& profile,
                            const StatusSink& setStatus);
// Puts `text` on the clipboard and starts typing the profile's command into `window` on
// a worker, so this returns at once. False when the clipboard refused the text (the
// notice goes over `parent`, nothing is typed). Otherwise the status shows
// `copiedMessage`, then that the send runs, and once the keys are typed the sent message
// (or that Esc stopped it); `setStatus` must stay valid while `parent` lives.
bool SendToTarget(Desktop& desktop, QWidget* parent, WindowId window, const TSend_jww& profile,
                  std::u16string_view text, const std::u16string& copiedMessage, const StatusSink& setStatus);

}  // namespace glyphgrab::gui

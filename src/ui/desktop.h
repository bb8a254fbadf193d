// What the windows ask of the desktop: the clipboard, the send services and opening
// files. The front end fills it with its platform's services; tests with fakes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/clipboard.h"
#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/misc.h"
#include "platform/window_system.h"
#include "sendkeys/send.h"
#include "sendkeys/send_profile.h"
#include "ui/send_runner.h"
#include "ui/window_view.h"

namespace glyphgrab::ui {

struct Desktop {
  std::unique_ptr<Clipboard> clipboard;
  std::unique_ptr<KeySender> keys;
  std::unique_ptr<WindowSystem> windows;
  // Shared with the windows' running jobs, which may outlive a window by a little.
  std::shared_ptr<EscKeyState> esc;
  std::unique_ptr<TMisc> misc;
  std::function<void(double seconds)> wait;  // the pauses of a send; WaitSeconds when empty
  // Plays sends off the window thread; made by the first send. Last, so it goes first
  // and its worker ends before the services it uses.
  std::unique_ptr<SendRunner> sender;
};

// The two halves of a send from any window, split because the main window checks its
// selection in between. While another send is being typed: a beep, kSendBusyText in the
// status, and 0. Otherwise the target window of the active profile; when it is not
// running: a beep, the notice, and 0.
WindowId FindTargetOrNotify(Desktop& desktop, WindowView& view, const TSend_jww& profile);
// Puts `text` on the clipboard and starts typing the profile's command into `window` on
// a worker, so this returns at once. False when the clipboard refused the text (the
// notice says so, nothing is typed). Otherwise the status shows `copiedMessage`, then
// that the send runs, and once the keys are typed the sent message (or that Esc stopped
// it), unless the poster's owner is gone by then.
bool SendToTarget(Desktop& desktop, const Poster& poster, WindowId window, const TSend_jww& profile,
                  std::u16string_view text, const std::u16string& copiedMessage);
// The status text at the end of a send of `command`: sent only when every key went to
// the target; otherwise why it ended and where (`untyped`, as PlaySend gives it).
std::u16string SendEndedMessage(std::u16string_view command, SendResult result, std::u16string_view untyped);
// A click's copy: puts `text` on the clipboard and answers true. While a send runs it
// changes nothing (the send's paste still needs its text), beeps and says so; when the
// clipboard refuses, the notice says so.
bool CopyText(Desktop& desktop, WindowView& view, std::u16string_view text);

}  // namespace glyphgrab::ui

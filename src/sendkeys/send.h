// Sending a command to another application's window: finding the window by a text in
// its title, bringing it forward and typing the command's keys into it. Runs on the
// calling thread and blocks it for the command's waits.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/clipboard.h"
#include "platform/key_sender.h"
#include "platform/window_system.h"
#include "sendkeys/command_keys.h"

namespace glyphgrab {

// The longest title prefix compared, in UTF-16 units.
constexpr std::size_t kTitleCompareLength = 254;

// The last visible top-level window without an owner whose title (its first
// kTitleCompareLength units) contains titleText, case-sensitively; 0 when none does or
// titleText is empty.
WindowId FindTargetWindow(WindowSystem& windows, std::u16string_view titleText);

// What a send needs of the active send profile, and the window found for it.
struct SendTarget {
  WindowId window = 0;      // found by FindTargetWindow
  std::int32_t maximize = 0;  // 1: maximise the window; anything else: leave its size
  double waitSeconds = 0;   // pause after bringing the window forward, 0..60
};

// The desktop services a send uses. `wait` pauses the calling thread.
struct SendServices {
  KeySender& keys;
  WindowSystem& windows;
  Clipboard& clipboard;
  std::function<void(double seconds)> wait;  // WaitSeconds when empty
};

enum class SendResult : std::uint8_t {
  kEmptyCommand,    // nothing to do
  kAbandoned,       // a "{X" group without its closing brace: nothing was done
  kClipboardFailed, // the "{X" text could not be put on the clipboard: nothing typed
  kTargetGone,      // no window, or it closed before it could be brought forward
  kTyped,           // every token was typed
  kStopped,         // an empty brace group ended the typing part way
};

// Plays the events on the key sender, pausing for the waits; stops at kStop.
void PlayKeyEvents(const KeyEventList& events, KeySender& keys,
                   const std::function<void(double)>& wait);

// Brings the target forward, waits target.waitSeconds and types the command.
SendResult ActivateTarget(std::u16string_view command, const SendTarget& target,
                          SendServices& services);

// Expands the command's "{X" group (its text goes to the clipboard), then
// ActivateTarget with the expanded command.
SendResult SendCommand(std::u16string_view command, const SendTarget& target,
                       SendServices& services);

// The fields of the active send profile that a send reads; the settings map their
// profile record onto it.
struct SendSettings {
  double waitSeconds = 0.1;              // Wtim
  std::int32_t maximize = 0;             // Smax
  std::u16string titleText = u"jw_win";  // Tcap
  std::u16string command = u"@DA^V";     // Comm
};

// The send shared by every window that offers one, once FindTargetWindow(titleText)
// has found `window` (callers show NotRunningMessage instead when it found nothing):
// the text goes to the clipboard, then the profile's command is sent. kClipboardFailed
// means the clipboard refused the text and nothing else happened; for any other result
// the caller shows CopiedMessage (or its own copy message) and then SentMessage.
SendResult SendText(std::u16string_view text, WindowId window, const SendSettings& settings,
                    SendServices& services);

// The status and notice texts of a send.
inline constexpr std::u16string_view kClipboardBusyText = u"クリップボードを開けません";
std::u16string CopiedMessage(std::u16string_view text);           // 文字「…」をコピーしました。
std::u16string SentMessage(std::u16string_view command);          // コマンド「…」を送信しました。
std::u16string NotRunningMessage(std::u16string_view titleText);  // 指定ソフト「…」が起動されていません。

}  // namespace glyphgrab

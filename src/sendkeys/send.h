// Sending a text to another application's window: finding the window by a text in its
// title, putting the text on the clipboard, bringing the window forward and typing the
// profile's command keys into it.
//
// A send has two halves. PrepareSend is pure and decides what goes on the clipboard and
// what is typed; the caller puts the clipboard texts there on the thread that owns the
// clipboard. PlaySend then activates the window and plays the keys with their waits; it
// blocks for those waits, so a window runs it on a worker thread: on X11 the tool owns the
// clipboard and must answer the target's request for it while the keys are typed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"
#include "platform/key_sender.h"
#include "platform/window_system.h"
#include "sendkeys/command_keys.h"
#include "sendkeys/send_profile.h"

namespace glyphgrab {

// The longest title prefix compared, in UTF-16 units.
constexpr std::size_t kTitleCompareLength = 254;

// The last visible top-level window without an owner whose title (its first
// kTitleCompareLength units) contains titleText, case-sensitively; 0 when none does or
// titleText is empty.
WindowId FindTargetWindow(WindowSystem& windows, std::u16string_view titleText);

// The desktop services a send uses. `wait` pauses the calling thread (a sleep when
// empty); `stopRequested`, when given, is asked between events and at least every 20 ms
// of a wait, and ends the typing when it answers true.
struct SendServices {
  KeySender& keys;
  WindowSystem& windows;
  Clipboard& clipboard;
  std::function<void(double seconds)> wait;
  std::function<bool()> stopRequested;
};

enum class SendResult : std::uint8_t {
  kEmptyCommand,    // nothing to do
  kAbandoned,       // a "{X" group without its closing brace: nothing was done
  kClipboardFailed, // the clipboard refused a text: nothing typed
  kTargetGone,      // no window, or it closed before it could be brought forward
  kTyped,           // every token was typed
  kStopped,         // an empty brace group ended the typing part way
  kCancelled,       // stopped from outside (Esc); every key the send held was released
  kTargetLeft,      // the focus left the target and it could not be brought back: the
                    // rest was not typed, every key the send held was released
};

// What a send of `text` with a profile does, decided before anything happens.
struct SendPlan {
  // Put on the clipboard in this order: the text, then a "{X" group's text.
  std::vector<std::u16string> clipboardTexts;
  // kTyped: activate and type `command`; kEmptyCommand or kAbandoned: nothing more after
  // the clipboard.
  SendResult outcome = SendResult::kTyped;
  std::u16string command;  // the profile's command with its "{X" group expanded
};
SendPlan PrepareSend(std::u16string_view text, const TSend_jww& profile);

enum class PlayEnd : std::uint8_t { kDone, kCancelled, kTargetLeft };

// Plays the events on the key sender, pausing for the waits; stops at kStop. Before each
// key group (a press while no key is held) `beforeGroup`, when given, says whether to go
// on. With `stopRequested` answering true, or `beforeGroup` anything but kDone, it ends
// early and releases every key still held. `groupsTyped` receives how many key groups
// were typed whole.
PlayEnd PlayKeyEvents(const KeyEventList& events, KeySender& keys, const std::function<void(double)>& wait,
                      const std::function<bool()>& stopRequested = {},
                      const std::function<PlayEnd()>& beforeGroup = {}, std::size_t* groupsTyped = nullptr);

// kDone when the focus belongs to the target application. Otherwise brings `window`
// forward again, a few times with a short pause each, and kTargetLeft when the focus
// still is elsewhere (or the window closed); kCancelled when stopped meanwhile.
PlayEnd KeepFocus(WindowId window, const TSend_jww& profile, SendServices& services);

// Brings `window` forward (maximised when the profile's Smax is 1), waits the profile's
// Wtim and types the command, each key group only while the focus belongs to the target
// (KeepFocus). `untyped`, when given, receives the part of the command that was not
// typed: empty when everything was, all of it when nothing was.
SendResult ActivateTarget(std::u16string_view command, WindowId window, const TSend_jww& profile,
                          SendServices& services, std::u16string* untyped = nullptr);

// The second half of a send: ActivateTarget when the plan types anything.
SendResult PlaySend(const SendPlan& plan, WindowId window, const TSend_jww& profile, SendServices& services,
                    std::u16string* untyped = nullptr);

// Expands the command's "{X" group (its text goes to the clipboard), then ActivateTarget
// with the expanded command, all on the calling thread.
SendResult SendCommand(std::u16string_view command, WindowId window, const TSend_jww& profile,
                       SendServices& services);

// The whole send on the calling thread, once FindTargetWindow has found `window`:
// the text goes to the clipboard, then the profile's command is sent. kClipboardFailed
// means the clipboard refused the text and nothing else happened; for any other result
// the caller shows CopiedMessage (or its own copy message) and then SentMessage.
SendResult SendText(std::u16string_view text, WindowId window, const TSend_jww& profile,
                    SendServices& services);

// The status and notice texts of a send.
inline constexpr std::u16string_view kClipboardBusyText = u"クリップボードを開けません";
inline constexpr std::u16string_view kSendBusyText = u"送信中です。送信が終わるまで次の送信は行えません。";
std::u16string CopiedMessage(std::u16string_view text);           // 文字「…」をコピーしました。
std::u16string SendingMessage(std::u16string_view command);       // コマンド「…」を送信中です。（Escで中止）
std::u16string SentMessage(std::u16string_view command);          // コマンド「…」を送信しました。
inline constexpr std::u16string_view kTargetLeftText = u"送信先が前面にないため、送信を中止しました。";
inline constexpr std::u16string_view kCopyBusyText = u"送信中です。送信が終わるまでコピーは行えません。";
// Where an ended send stopped, after the command: "「^V」から先は送っていません。" with the
// untyped part, "キーは送っていません。" when nothing was typed.
// コマンド「…」の送信を中止しました。「…」から先は送っていません。
std::u16string CancelledMessage(std::u16string_view command, std::u16string_view untyped);
// 送信先が前面にないため、送信を中止しました。コマンド「…」の「…」から先は送っていません。
std::u16string TargetLeftMessage(std::u16string_view command, std::u16string_view untyped);
std::u16string NotRunningMessage(std::u16string_view titleText);  // 指定ソフト「…」が起動されていません。

}  // namespace glyphgrab

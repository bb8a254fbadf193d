#include "sendkeys/send.h"

#include <algorithm>

#include "util/strings.h"
#include "util/wait.h"

namespace glyphgrab {
namespace {

// The settings dialog accepts 0 to 60 seconds; a settings file edited by hand may hold
// anything, and a send must not hang the tool for hours or on NaN.
constexpr double kMaxProfileWait = 60;

// The injected wait of tests, or the real one.
void Pause(const std::function<void(double)>& wait, double seconds) {
  if (wait) {
    wait(seconds);
  } else {
    WaitSeconds(seconds);
  }
}

}  // namespace

WindowId FindTargetWindow(WindowSystem& windows, std::u16string_view titleText) {
  WindowId found = 0;
  if (titleText.empty()) return found;
  // The whole list is walked: the last match wins.
  for (const TopLevelWindow& w : windows.ListTopLevelWindows()) {
    if (w.owned || !w.visible) continue;
    const std::u16string_view title =
        std::u16string_view(w.title).substr(0, kTitleCompareLength);
    if (StrIndexOf(titleText, title) >= 0) found = w.id;
  }
  return found;
}

void PlayKeyEvents(const KeyEventList& events, KeySender& keys,
                   const std::function<void(double)>& wait) {
  for (const KeyEvent& e : events) {
    switch (e.kind) {
      case KeyEvent::Kind::kDown: keys.KeyDown(e.code); break;
      case KeyEvent::Kind::kUp: keys.KeyUp(e.code); break;
      case KeyEvent::Kind::kWait: Pause(wait, e.seconds); break;
      case KeyEvent::Kind::kStop: return;
    }
  }
}

SendResult ActivateTarget(std::u16string_view command, const SendTarget& target,
                          SendServices& services) {
  if (target.window == 0) return SendResult::kTargetGone;
  if (!services.windows.ActivateWindow(target.window, target.maximize == 1)) {
    return SendResult::kTargetGone;
  }
  // A slow target gets this long to come to the front before the first key.
  const double settle = target.waitSeconds;
  if (settle > 0) Pause(services.wait, std::min(settle, kMaxProfileWait));  // NaN fails > 0

  const KeyEventList events = TypeCommand(command);
  PlayKeyEvents(events, services.keys, services.wait);
  const bool stopped = !events.empty() && events.back().kind == KeyEvent::Kind::kStop;
  return stopped ? SendResult::kStopped : SendResult::kTyped;
}

SendResult SendCommand(std::u16string_view command, const SendTarget& target,
                       SendServices& services) {
  if (command.empty()) return SendResult::kEmptyCommand;
  const ClipboardExpansion expansion = ExpandClipboardGroup(command);
  switch (expansion.outcome) {
    case ClipboardExpansion::Outcome::kAbandoned:
      return SendResult::kAbandoned;
    case ClipboardExpansion::Outcome::kExpanded:
      if (!services.clipboard.SetText(expansion.clipboardText)) {
        return SendResult::kClipboardFailed;
      }
      break;
    case ClipboardExpansion::Outcome::kUnchanged:
      break;
  }
  return ActivateTarget(expansion.command, target, services);
}

SendResult SendText(std::u16string_view text, WindowId window, const SendSettings& settings,
                    SendServices& services) {
  if (!services.clipboard.SetText(text)) return SendResult::kClipboardFailed;
  return SendCommand(settings.command,
                     SendTarget{window, settings.maximize, settings.waitSeconds}, services);
}

std::u16string CopiedMessage(std::u16string_view text) {
  return u"文字「" + std::u16string(text) + u"」をコピーしました。";
}

std::u16string SentMessage(std::u16string_view command) {
  return u"コマンド「" + std::u16string(command) + u"」を送信しました。";
}

std::u16string NotRunningMessage(std::u16string_view titleText) {
  return u"指定ソフト「" + std::u16string(titleText) + u"」が起動されていません。";
}

}  // namespace glyphgrab

#include "sendkeys/send.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "util/strings.h"

namespace glyphgrab {
namespace {

// The settings dialog accepts 0 to 60 seconds; a settings file edited by hand may hold
// anything, and a send must not hang the tool for hours or on NaN.
constexpr double kMaxProfileWait = 60;
// How long a wait goes on before it asks whether to stop.
constexpr auto kStopPollInterval = std::chrono::milliseconds(20);

bool StopRequested(const std::function<bool()>& stopRequested) {
  return stopRequested && stopRequested();
}

// The injected wait of tests, or a sleep that looks up every kStopPollInterval. False
// when stopped part way.
bool Pause(const std::function<void(double)>& wait, const std::function<bool()>& stopRequested,
           double seconds) {
  if (wait) {
    wait(seconds);
    return !StopRequested(stopRequested);
  }
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(std::max(0.0, seconds)));
  for (;;) {
    if (StopRequested(stopRequested)) return false;
    const auto now = Clock::now();
    if (now >= deadline) return true;
    std::this_thread::sleep_for(std::min<Clock::duration>(deadline - now, kStopPollInterval));
  }
}

// Releases what a stopped send still holds: other keys first, then Ctrl, Alt and Shift,
// as a token releases them.
void ReleaseHeld(std::vector<std::uint8_t>& held, KeySender& keys) {
  for (const std::uint8_t code : held) {
    if (code != kVkControl && code != kVkMenu && code != kVkShift) keys.KeyUp(code);
  }
  for (const std::uint8_t modifier : {kVkControl, kVkMenu, kVkShift}) {
    if (std::find(held.begin(), held.end(), modifier) != held.end()) keys.KeyUp(modifier);
  }
  held.clear();
}

}  // namespace

WindowId FindTargetWindow(WindowSystem& windows, std::u16string_view titleText) {
  WindowId found = 0;
  if (titleText.empty()) return found;
  // The whole list is walked: the last match wins.
  for (const TopLevelWindow& w : windows.ListTopLevelWindows()) {
    if (w.owned || !w.visible) continue;
    const std::u16string_view title = std::u16string_view(w.title).substr(0, kTitleCompareLength);
    if (StrIndexOf(titleText, title) >= 0) found = w.id;
  }
  return found;
}

bool PlayKeyEvents(const KeyEventList& events, KeySender& keys, const std::function<void(double)>& wait,
                   const std::function<bool()>& stopRequested) {
  std::vector<std::uint8_t> held;
  for (const KeyEvent& e : events) {
    if (StopRequested(stopRequested)) {
      ReleaseHeld(held, keys);
      return false;
    }
    switch (e.kind) {
      case KeyEvent::Kind::kDown:
        keys.KeyDown(e.code);
        if (std::find(held.begin(), held.end(), e.code) == held.end()) held.push_back(e.code);
        break;
      case KeyEvent::Kind::kUp:
        keys.KeyUp(e.code);
        std::erase(held, e.code);
        break;
      case KeyEvent::Kind::kWait:
        if (!Pause(wait, stopRequested, e.seconds)) {
          ReleaseHeld(held, keys);
          return false;
        }
        break;
      case KeyEvent::Kind::kStop: return true;
    }
  }
  return true;
}

SendPlan PrepareSend(std::u16string_view text, const TSend_jww& profile) {
  SendPlan plan;
  plan.clipboardTexts.emplace_back(text);
  if (profile.Comm.empty()) {
    plan.outcome = SendResult::kEmptyCommand;
    return plan;
  }
  ClipboardExpansion expansion = ExpandClipboardGroup(profile.Comm);
  switch (expansion.outcome) {
    case ClipboardExpansion::Outcome::kAbandoned:
      plan.outcome = SendResult::kAbandoned;
      return plan;
    case ClipboardExpansion::Outcome::kExpanded:
      plan.clipboardTexts.push_back(std::move(expansion.clipboardText));
      break;
    case ClipboardExpansion::Outcome::kUnchanged:
      break;
  }
  plan.command = std::move(expansion.command);
  return plan;
}

SendResult ActivateTarget(std::u16string_view command, WindowId window, const TSend_jww& profile,
                          SendServices& services) {
  if (window == 0) return SendResult::kTargetGone;
  if (!services.windows.ActivateWindow(window, profile.Smax == 1)) return SendResult::kTargetGone;
  // A slow target gets this long to come to the front before the first key.
  const double settle = profile.Wtim;
  if (settle > 0 && !Pause(services.wait, services.stopRequested, std::min(settle, kMaxProfileWait))) {
    return SendResult::kCancelled;  // NaN fails > 0
  }
  const KeyEventList events = TypeCommand(command);
  if (!PlayKeyEvents(events, services.keys, services.wait, services.stopRequested)) {
    return SendResult::kCancelled;
  }
  const bool stopped = !events.empty() && events.back().kind == KeyEvent::Kind::kStop;
  return stopped ? SendResult::kStopped : SendResult::kTyped;
}

SendResult PlaySend(const SendPlan& plan, WindowId window, const TSend_jww& profile, SendServices& services) {
  if (plan.outcome != SendResult::kTyped) return plan.outcome;
  return ActivateTarget(plan.command, window, profile, services);
}

SendResult SendCommand(std::u16string_view command, WindowId window, const TSend_jww& profile,
                       SendServices& services) {
  TSend_jww withCommand = profile;
  withCommand.Comm = std::u16string(command);
  SendPlan plan = PrepareSend(u"", withCommand);
  plan.clipboardTexts.erase(plan.clipboardTexts.begin());  // only the group's text
  for (const std::u16string& t : plan.clipboardTexts) {
    if (!services.clipboard.SetText(t)) return SendResult::kClipboardFailed;
  }
  return PlaySend(plan, window, profile, services);
}

SendResult SendText(std::u16string_view text, WindowId window, const TSend_jww& profile,
                    SendServices& services) {
  const SendPlan plan = PrepareSend(text, profile);
  for (const std::u16string& t : plan.clipboardTexts) {
    if (!services.clipboard.SetText(t)) return SendResult::kClipboardFailed;
  }
  return PlaySend(plan, window, profile, services);
}

std::u16string CopiedMessage(std::u16string_view text) {
  return u"文字「" + std::u16string(text) + u"」をコピーしました。";
}

std::u16string SendingMessage(std::u16string_view command) {
  return u"コマンド「" + std::u16string(command) + u"」を送信中です。（Escで中止）";
}

std::u16string SentMessage(std::u16string_view command) {
  return u"コマンド「" + std::u16string(command) + u"」を送信しました。";
}

std::u16string CancelledMessage(std::u16string_view command) {
  return u"コマンド「" + std::u16string(command) + u"」の送信を中止しました。";
}

std::u16string NotRunningMessage(std::u16string_view titleText) {
  return u"指定ソフト「" + std::u16string(titleText) + u"」が起動されていません。";
}

}  // namespace glyphgrab

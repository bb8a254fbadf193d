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
// A target that lost the focus is brought forward again this many times, each followed
// by this pause, before the send gives up on it.
constexpr int kRefocusAttempts = 3;
constexpr double kRefocusSettle = 0.1;

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

PlayEnd PlayKeyEvents(const KeyEventList& events, KeySender& keys, const std::function<void(double)>& wait,
                      const std::function<bool()>& stopRequested, const std::function<PlayEnd()>& beforeGroup,
                      std::size_t* groupsTyped) {
  std::vector<std::uint8_t> held;
  std::size_t groups = 0;  // started
  const auto end = [&](PlayEnd how) {
    if (groupsTyped) *groupsTyped = held.empty() ? groups : groups - 1;
    ReleaseHeld(held, keys);
    return how;
  };
  for (const KeyEvent& e : events) {
    if (StopRequested(stopRequested)) return end(PlayEnd::kCancelled);
    switch (e.kind) {
      case KeyEvent::Kind::kDown:
        if (held.empty()) {
          if (beforeGroup) {
            const PlayEnd check = beforeGroup();
            if (check != PlayEnd::kDone) return end(check);
          }
          ++groups;
        }
        keys.KeyDown(e.code);
        if (std::find(held.begin(), held.end(), e.code) == held.end()) held.push_back(e.code);
        break;
      case KeyEvent::Kind::kUp:
        keys.KeyUp(e.code);
        std::erase(held, e.code);
        break;
      case KeyEvent::Kind::kWait:
        if (!Pause(wait, stopRequested, e.seconds)) return end(PlayEnd::kCancelled);
        break;
      case KeyEvent::Kind::kStop: return end(PlayEnd::kDone);
    }
  }
  return end(PlayEnd::kDone);
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

PlayEnd KeepFocus(WindowId window, const TSend_jww& profile, SendServices& services) {
  if (services.windows.FocusBelongsTo(window)) return PlayEnd::kDone;
  // The focus went elsewhere: a window manager that follows the pointer hands it to the
  // window under the pointer once the target's menu closes, or the user clicked.
  for (int attempt = 0; attempt < kRefocusAttempts; ++attempt) {
    if (!services.windows.ActivateWindow(window, profile.Smax == 1)) return PlayEnd::kTargetLeft;
    // The target takes its activation before it is given keys.
    if (!Pause(services.wait, services.stopRequested, kRefocusSettle)) return PlayEnd::kCancelled;
    if (services.windows.FocusBelongsTo(window)) return PlayEnd::kDone;
  }
  return PlayEnd::kTargetLeft;
}

SendResult ActivateTarget(std::u16string_view command, WindowId window, const TSend_jww& profile,
                          SendServices& services, std::u16string* untyped) {
  if (untyped) *untyped = command;
  if (window == 0) return SendResult::kTargetGone;
  if (!services.windows.ActivateWindow(window, profile.Smax == 1)) return SendResult::kTargetGone;
  // A slow target gets this long to come to the front before the first key.
  const double settle = profile.Wtim;
  if (settle > 0 && !Pause(services.wait, services.stopRequested, std::min(settle, kMaxProfileWait))) {
    return SendResult::kCancelled;  // NaN fails > 0
  }
  std::vector<std::size_t> tokenStarts;
  const KeyEventList events = TypeCommand(command, &tokenStarts);
  std::size_t groups = 0;
  const PlayEnd end = PlayKeyEvents(events, services.keys, services.wait, services.stopRequested,
                                    [&] { return KeepFocus(window, profile, services); }, &groups);
  if (end != PlayEnd::kDone) {
    if (untyped) *untyped = groups < tokenStarts.size() ? command.substr(tokenStarts[groups]) : std::u16string_view();
    return end == PlayEnd::kTargetLeft ? SendResult::kTargetLeft : SendResult::kCancelled;
  }
  if (untyped) untyped->clear();
  const bool stopped = !events.empty() && events.back().kind == KeyEvent::Kind::kStop;
  return stopped ? SendResult::kStopped : SendResult::kTyped;
}

SendResult PlaySend(const SendPlan& plan, WindowId window, const TSend_jww& profile, SendServices& services,
                    std::u16string* untyped) {
  if (untyped) untyped->clear();
  if (plan.outcome != SendResult::kTyped) return plan.outcome;
  return ActivateTarget(plan.command, window, profile, services, untyped);
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

namespace {

// Where an ended send stopped: nothing of it typed, or the part not typed.
std::u16string UntypedPart(std::u16string_view command, std::u16string_view untyped) {
  if (untyped.empty()) return {};  // only a wait was left
  if (untyped == command) return u"キーは送っていません。";
  return u"「" + std::u16string(untyped) + u"」から先は送っていません。";
}

}  // namespace

std::u16string CancelledMessage(std::u16string_view command, std::u16string_view untyped) {
  return u"コマンド「" + std::u16string(command) + u"」の送信を中止しました。" + UntypedPart(command, untyped);
}

std::u16string TargetLeftMessage(std::u16string_view command, std::u16string_view untyped) {
  return std::u16string(kTargetLeftText) + u"コマンド「" + std::u16string(command) + u"」の" +
         UntypedPart(command, untyped);
}

std::u16string NotRunningMessage(std::u16string_view titleText) {
  return u"指定ソフト「" + std::u16string(titleText) + u"」が起動されていません。";
}

}  // namespace glyphgrab

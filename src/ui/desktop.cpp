#include "ui/desktop.h"

#include "sendkeys/send.h"

namespace glyphgrab::ui {

WindowId FindTargetOrNotify(Desktop& desktop, WindowView& view, const TSend_jww& profile) {
  if (desktop.sender && desktop.sender->Busy()) {
    view.Beep();
    view.SetStatus(kSendBusyText);
    return 0;
  }
  const WindowId window = FindTargetWindow(*desktop.windows, profile.Tcap);
  if (window == 0) {
    view.Beep();
    view.Message(NotRunningMessage(profile.Tcap));
  }
  return window;
}

bool SendToTarget(Desktop& desktop, const Poster& poster, WindowId window, const TSend_jww& profile,
                  std::u16string_view text, const std::u16string& copiedMessage) {
  WindowView& view = poster.view();
  const SendPlan plan = PrepareSend(text, profile);
  for (const std::u16string& t : plan.clipboardTexts) {
    if (!desktop.clipboard->SetText(t)) {
      view.Message(kClipboardBusyText);
      return false;
    }
  }
  view.SetStatus(copiedMessage);
  if (plan.outcome != SendResult::kTyped) {
    view.SetStatus(SentMessage(profile.Comm));
    return true;
  }
  if (!desktop.sender) {
    desktop.sender = std::make_unique<SendRunner>(*desktop.keys, *desktop.windows, desktop.esc, desktop.wait);
  }
  view.SetStatus(SendingMessage(profile.Comm));
  desktop.sender->Start(plan, window, profile, poster,
                        [command = profile.Comm, &view](SendResult result, const std::u16string& untyped) {
                          view.SetStatus(SendEndedMessage(command, result, untyped));
                        });
  return true;
}

std::u16string SendEndedMessage(std::u16string_view command, SendResult result, std::u16string_view untyped) {
  switch (result) {
    case SendResult::kCancelled: return CancelledMessage(command, untyped);
    // A target that closed before it could be brought forward got nothing either.
    case SendResult::kTargetGone:
    case SendResult::kTargetLeft: return TargetLeftMessage(command, untyped);
    default: return SentMessage(command);
  }
}

bool CopyText(Desktop& desktop, WindowView& view, std::u16string_view text) {
  // The running send pastes what it put on the clipboard; a copy now would change it.
  if (desktop.sender && desktop.sender->Busy()) {
    view.Beep();
    view.SetStatus(kCopyBusyText);
    return false;
  }
  if (!desktop.clipboard->SetText(text)) {
    view.Message(kClipboardBusyText);
    return false;
  }
  return true;
}

}  // namespace glyphgrab::ui

#include "gui/qt/desktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "sendkeys/send.h"

namespace glyphgrab::gui {

bool QtClipboard::SetText(std::u16string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(ToQ(text));
  return true;
}

void PlaceOnScreen(QWidget* window, int left, int top, int width, int height) {
  QScreen* screen = QGuiApplication::screenAt(QPoint(left, top));
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    window->move(left, top);
    window->resize(width, height);
    return;
  }
  const QRect area = screen->availableGeometry();
  const int w = std::clamp(width, 1, std::max(1, area.width()));
  const int h = std::clamp(height, 1, std::max(1, area.height()));
  window->resize(w, h);
  // Keep the window's top left on the screen, and as much of it as fits.
  window->move(std::clamp(left, area.left(), std::max(area.left(), area.right() - w + 1)),
               std::clamp(top, area.top(), std::max(area.top(), area.bottom() - h + 1)));
}

void MoveOnScreen(QWidget* window, int left, int top) {
  QScreen* screen = QGuiApplication::screenAt(QPoint(left, top));
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    window->move(left, top);
    return;
  }
  const QRect area = screen->availableGeometry();
  // Not shown yet, the window knows only the size its layout asks for.
  const QSize size = window->isVisible() ? window->size() : window->sizeHint();
  const int w = std::min(std::max(size.width(), 1), std::max(1, area.width()));
  const int h = std::min(std::max(size.height(), 1), std::max(1, area.height()));
  window->move(std::clamp(left, area.left(), std::max(area.left(), area.right() - w + 1)),
               std::clamp(top, area.top(), std::max(area.top(), area.bottom() - h + 1)));
}

WindowId FindTargetOrNotify(Desktop& desktop, QWidget* parent, const TSend_jww& profile,
                            const StatusSink& setStatus) {
  if (desktop.sender && desktop.sender->Busy()) {
    desktop.beep();
    setStatus(kSendBusyText);
    return 0;
  }
  const WindowId window = FindTargetWindow(*desktop.windows, profile.Tcap);
  if (window == 0) {
    desktop.beep();
    desktop.message(parent, ToQ(NotRunningMessage(profile.Tcap)));
  }
  return window;
}

bool SendToTarget(Desktop& desktop, QWidget* parent, WindowId window, const TSend_jww& profile,
                  std::u16string_view text, const std::u16string& copiedMessage, const StatusSink& setStatus) {
  const SendPlan plan = PrepareSend(text, profile);
  for (const std::u16string& t : plan.clipboardTexts) {
    if (!desktop.clipboard->SetText(t)) {
      desktop.message(parent, ToQ(kClipboardBusyText));
      return false;
    }
  }
  setStatus(copiedMessage);
  if (plan.outcome != SendResult::kTyped) {
    setStatus(SentMessage(profile.Comm));
    return true;
  }
  if (!desktop.sender) {
    desktop.sender = std::make_unique<SendRunner>(*desktop.keys, *desktop.windows, desktop.esc.get(), desktop.wait);
  }
  setStatus(SendingMessage(profile.Comm));
  desktop.sender->Start(plan, window, profile, parent, [command = profile.Comm, setStatus](SendResult result) {
    setStatus(result == SendResult::kCancelled ? CancelledMessage(command) : SentMessage(command));
  });
  return true;
}

}  // namespace glyphgrab::gui

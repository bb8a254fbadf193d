#include "gui/qt/desktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

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

}  // namespace glyphgrab::gui

#include "gui/desktop.h"

#include <QClipboard>
#include <QGuiApplication>

namespace glyphgrab::gui {

bool QtClipboard::SetText(std::u16string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(ToQ(text));
  return true;
}

}  // namespace glyphgrab::gui

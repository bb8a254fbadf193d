// The Qt side of the desktop: the clipboard, the conversions at the toolkit's edge and
// the placing of windows on the screen.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "platform/clipboard.h"
#include "ui/desktop.h"

class QWidget;

namespace glyphgrab::gui {

// The clipboard of the running tool: on X11 it serves the text for as long as it runs.
class QtClipboard final : public Clipboard {
 public:
  bool SetText(std::u16string_view text) override;
};

inline QString ToQ(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::u16string FromQ(const QString& s) { return s.toStdU16String(); }

// Moves and sizes a window as the settings file says, kept on the screen: a hand-edited
// or stale file (40000 x 40000, a monitor that is gone) must not leave it unpaintable
// or out of reach.
void PlaceOnScreen(QWidget* window, int left, int top, int width, int height);
// Moves a window that sizes itself (a dialog) as the settings file says, kept on the
// screen; its size is left to its layout.
void MoveOnScreen(QWidget* window, int left, int top);

}  // namespace glyphgrab::gui

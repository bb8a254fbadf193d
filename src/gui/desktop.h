// What the windows ask of the desktop: the clipboard, the send services, beeps, message
// boxes and opening files. Tests replace each piece.
#pragma once

#include <QString>

#include <functional>
#include <memory>

#include "platform/clipboard.h"
#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/misc.h"
#include "platform/window_system.h"

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

struct Desktop {
  std::unique_ptr<Clipboard> clipboard;
  std::unique_ptr<KeySender> keys;
  std::unique_ptr<WindowSystem> windows;
  std::unique_ptr<EscKeyState> esc;
  std::unique_ptr<TMisc> misc;
  std::function<void(double seconds)> wait;  // the pauses of a send; WaitSeconds when empty
  std::function<void()> beep;                // the default beep
  // A modal message box with an OK button.
  std::function<void(QWidget* parent, const QString& text)> message;
};

}  // namespace glyphgrab::gui

#include "gui/desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace glyphgrab::gui {

namespace {

class NoKeySender final : public KeySender {
 public:
  void KeyDown(std::uint8_t) override {}
  void KeyUp(std::uint8_t) override {}
};

class NoWindowSystem final : public WindowSystem {
 public:
  std::vector<TopLevelWindow> ListTopLevelWindows() override { return {}; }
  bool ActivateWindow(WindowId, bool) override { return false; }
};

}  // namespace

bool QtClipboard::SetText(std::u16string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(ToQ(text));
  return true;
}

Desktop MakePlatformDesktop() {
  Desktop d;
  d.clipboard = std::make_unique<QtClipboard>();
  d.keys = MakePlatformKeySender();
  if (!d.keys) d.keys = std::make_unique<NoKeySender>();
  d.windows = MakePlatformWindowSystem();
  if (!d.windows) d.windows = std::make_unique<NoWindowSystem>();
  d.esc = MakePlatformEscKeyState();
  if (!d.esc) d.esc = std::make_unique<NeverEscKeyState>();
  d.misc = MakePlatformMisc();
  d.beep = [] { QApplication::beep(); };
  d.message = [](QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Glyphgrab"), text);
  };
  return d;
}

}  // namespace glyphgrab::gui

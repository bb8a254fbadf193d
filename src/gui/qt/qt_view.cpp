#include "gui/qt/qt_view.h"

#include <QApplication>
#include <QMessageBox>

namespace glyphgrab::gui {

QtBoxes MakeQtBoxes() {
  QtBoxes b;
  b.beep = [] { QApplication::beep(); };
  b.message = [](QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Glyphgrab"), text);
  };
  b.error = [](QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Glyphgrab"), text);
  };
  b.askRetry = [](QWidget* parent, const QString& text) {
    return QMessageBox::warning(parent, QStringLiteral("Glyphgrab"), text,
                                QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry;
  };
  b.confirm = [](QWidget* parent, const QString& text) {
    // No is the default: Enter pressed by habit must not wipe anything.
    return QMessageBox::question(parent, QStringLiteral("確認"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };
  return b;
}

}  // namespace glyphgrab::gui

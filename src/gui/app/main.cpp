// The desktop tool: the main window over the project's engine.
#include <QApplication>

#include "browse/app_files.h"
#include "gui/desktop.h"
#include "gui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("glyphgrab"));
  glyphgrab::gui::MainWindow window(glyphgrab::LocateAppFiles(),
                                    glyphgrab::gui::MakePlatformDesktop());
  window.show();
  return QApplication::exec();
}

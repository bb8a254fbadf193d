// Saves the whole screen of $DISPLAY, or one window of it, as a PNG:
// glyphgrab_screenshot OUT.png [WINDOW-ID]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [WINDOW-ID]\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const WId window = argc > 2 ? static_cast<WId>(QString(argv[2]).toULongLong(nullptr, 0)) : 0;
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
  return !shot.isNull() && shot.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}

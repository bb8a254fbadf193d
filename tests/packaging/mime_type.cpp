// Prints the MIME type that Qt's shared-mime-info database gives each file, one per
// line: the installed type definitions are checked with a real consumer of them.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  const QMimeDatabase db;
  for (const QString& path : QCoreApplication::arguments().mid(1)) {
    out << db.mimeTypeForFile(path).name() << '\n';
  }
  return 0;
}

#include "gui/qt/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace glyphgrab::gui {
namespace {

constexpr int kWaitMs = 3000;
// sockaddr_un holds 108 bytes with its terminator; keep clear of it.
constexpr qsizetype kMaxSocketPath = 100;

// The path's UTF-16 units as one line: a file name may hold a line break, and one that
// is not UTF-8 is carried in units that UTF-8 cannot hold.
QByteArray EncodePath(const QString& path) {
  return QByteArray(reinterpret_cast<const char*>(path.utf16()), path.size() * 2).toBase64() + '\n';
}

QString DecodePath(const QByteArray& line) {
  const QByteArray units = QByteArray::fromBase64(line.trimmed());
  return QString(reinterpret_cast<const QChar*>(units.constData()), units.size() / 2);
}

}  // namespace

QString InstanceSocketName(const QString& settingsFolder) {
  const QString inFolder = QDir(settingsFolder).filePath(QStringLiteral("glyphgrab.socket"));
  if (inFolder.toUtf8().size() <= kMaxSocketPath) return inFolder;
  const QByteArray hash = QCryptographicHash::hash(settingsFolder.toUtf8(), QCryptographicHash::Sha256);
  return QStringLiteral("glyphgrab-") + QString::fromLatin1(hash.toHex().left(16));
}

bool HandOverToRunningInstance(const QString& socketName, const QString& path) {
  QLocalSocket socket;
  socket.connectToServer(socketName);
  if (!socket.waitForConnected(kWaitMs)) return false;
  socket.write(EncodePath(path));
  if (!socket.waitForBytesWritten(kWaitMs)) return false;
  // The running instance answers once it has taken the path; without an answer this
  // start goes on by itself rather than lose the path.
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(kWaitMs)) return false;
  }
  return socket.readLine() == "ok\n";
}

InstanceListener::InstanceListener(std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), open_(std::move(open)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
          // A client that sends no line end in a sane size is not ours.
          if (socket->bytesAvailable() > 1 << 20) socket->abort();
          return;
        }
        const QString path = DecodePath(socket->readLine());
        socket->write("ok\n");
        socket->flush();
        open_(path);
      });
    }
  });
}

InstanceListener::ListenResult InstanceListener::Listen(const QString& socketName) {
  // Two starts at once (a file manager opening several files) may both have found
  // nobody. listen() replaces a socket file that is there, so whether someone answers and
  // taking the socket must be one step: a lock beside it makes them so.
  const QString socketPath =
      QDir::isAbsolutePath(socketName) ? socketName : QDir::temp().filePath(socketName);
  QLockFile lock(socketPath + QStringLiteral(".lock"));
  (void)lock.tryLock(kWaitMs);  // without it, as before: rather run than hang
  QLocalSocket probe;
  probe.connectToServer(socketName);
  if (probe.waitForConnected(kWaitMs)) return ListenResult::kOtherRunning;
  // Nobody answers: a socket there is a killed instance's leftover.
  QLocalServer::removeServer(socketName);
  return server_->listen(socketName) ? ListenResult::kListening : ListenResult::kFailed;
}

}  // namespace glyphgrab::gui

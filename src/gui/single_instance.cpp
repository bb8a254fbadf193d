#include "gui/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace glyphgrab::gui {
namespace {

constexpr int kWaitMs = 3000;
// sockaddr_un holds 108 bytes with its terminator; keep clear of it.
constexpr qsizetype kMaxSocketPath = 100;

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
  socket.write(path.toUtf8() + '\n');
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
        const QString path = QString::fromUtf8(socket->readLine()).chopped(1);
        socket->write("ok\n");
        socket->flush();
        open_(path);
      });
    }
  });
}

bool InstanceListener::Listen(const QString& socketName) {
  if (server_->listen(socketName)) return true;
  // Nobody answered a moment ago, so the socket is a killed instance's leftover.
  QLocalServer::removeServer(socketName);
  return server_->listen(socketName);
}

}  // namespace glyphgrab::gui

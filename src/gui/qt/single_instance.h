// One running tool per settings folder. A file manager starts the tool anew for every
// file it opens; two copies would each save the memo and settings at closing, and the
// last to close would undo the other's additions. A second start hands its path to the
// running one through a local socket and ends.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace glyphgrab::gui {

// The socket's address for a settings folder: a file in it when its path is short enough
// for a socket address, otherwise a name derived from the folder.
QString InstanceSocketName(const QString& settingsFolder);

// Asks the instance listening at `socketName` to open `path` (an absolute path, or empty
// to come to the front). Any name goes over whole, line breaks and all. True when it
// confirmed; this process may then end.
bool HandOverToRunningInstance(const QString& socketName, const QString& path);

class InstanceListener : public QObject {
 public:
  // `open` runs on this thread for every path a later start hands over.
  explicit InstanceListener(std::function<void(const QString& path)> open, QObject* parent = nullptr);
  enum class ListenResult {
    kListening,
    kOtherRunning,  // another start took the socket first: hand the path over to it
    kFailed,        // no socket can be made; the tool runs alone without it
  };
  // Starts listening; a socket left by a killed instance is replaced, one that answers is
  // left to its owner.
  ListenResult Listen(const QString& socketName);

 private:
  QLocalServer* server_;
  std::function<void(const QString&)> open_;
};

}  // namespace glyphgrab::gui

#include "ui/SingleInstance.h"

#include <QLocalSocket>
#include <unistd.h>

namespace quorvel {

SingleInstance::SingleInstance(QString name) : name_(std::move(name)) {}

QString SingleInstance::defaultName() { return QStringLiteral("quorvel-%1").arg(getuid()); }

bool SingleInstance::otherIsRunning() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(300)) return false;
  socket.write("raise\n");
  socket.waitForBytesWritten(300);
  return true;
}

void SingleInstance::listen(std::function<void()> raise) {
  // A socket left by a crashed instance would refuse the name.
  QLocalServer::removeServer(name_);
  if (!server_.listen(name_)) return;
  QObject::connect(&server_, &QLocalServer::newConnection, [this, raise] {
    while (QLocalSocket* knock = server_.nextPendingConnection()) {
      QObject::connect(knock, &QLocalSocket::disconnected, knock, &QObject::deleteLater);
      raise();
    }
  });
}

}  // namespace quorvel

#pragma once
// One Quorvel per user session takes files from the command line: a second
// start with a file would otherwise replace nothing and silently lose the
// request, or race the first over the settings file.
#include <QLocalServer>
#include <QString>
#include <functional>

namespace quorvel {

class SingleInstance {
 public:
  explicit SingleInstance(QString name);

  // True when another Quorvel of this user answers on the session's socket;
  // it is asked to bring its window to the front.
  bool otherIsRunning();
  // Starts answering later starts; `raise` runs when one knocks.
  void listen(std::function<void()> raise);

  static QString defaultName();

 private:
  QString name_;
  QLocalServer server_;
};

}  // namespace quorvel

#pragma once
// Starts quorvel-server as a child process on a free loopback port, waits for
// its ready line, and talks plain HTTP/1.1 to it over a socket, so requests
// reach the server exactly as written (a '+' stays a '+').
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorvel::test {

struct HttpReply {
  int status = 0;  // 0: no answer
  std::string body;
};

HttpReply httpGet(int port, const std::string& target);

// A loopback port nothing listens on (it was free a moment ago).
int freeLoopbackPort();

class ServerProcess {
 public:
  ServerProcess(const std::string& modelsFolder, const std::vector<std::string>& extraArgs = {});
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  bool ready() const { return ready_; }
  int port() const { return port_; }
  // What the server has written on stderr so far.
  std::string log() const;
  // Waits a while for the text to appear in the log.
  bool logShows(const std::string& text) const;
  HttpReply get(const std::string& target) const { return httpGet(port_, target); }

 private:
  int pid_ = -1;
  int port_ = 0;
  int errFd_ = -1;
  bool ready_ = false;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::string log_;
  std::thread reader_;  // keeps the server's stderr pipe from ever filling up
};

}  // namespace quorvel::test

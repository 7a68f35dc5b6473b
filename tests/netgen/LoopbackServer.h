#pragma once
// A generation server stand-in on a free loopback port: cpprestsdk's
// http_listener answering every GET with what the test scripts, and keeping
// the request targets it received.
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "netgen/ServerAddress.h"

namespace quorvel::test {

struct ScriptedReply {
  std::string body;
  int status = 200;
  std::chrono::milliseconds delay{0};
};

class LoopbackServer {
 public:
  // Answers each request target ("/gen?type=0&...") with the handler's reply,
  // on the given port or (0) a free one.
  explicit LoopbackServer(std::function<ScriptedReply(const std::string& target)> handler, int port = 0);
  ~LoopbackServer();

  ServerAddress address() const { return {"127.0.0.1", port_}; }
  std::vector<std::string> targets() const;

 private:
  struct Listener;
  int port_ = 0;
  std::unique_ptr<Listener> listener_;
  mutable std::mutex mutex_;
  std::vector<std::string> targets_;
};

// A loopback port nothing listens on (defined beside the server process helper).
int freeLoopbackPort();

}  // namespace quorvel::test

#pragma once
// The connection to the generation server: where it is, the HTTP client, and
// how to start the server beside the program when this machine's address
// does not answer. Requests run on worker threads; the window thread waits in
// a local event loop with the progress window up.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/Ui.h"
#include "netgen/HttpClient.h"
#include "netgen/ServerAddress.h"

namespace quorvel {

// The reference server run as a child process of the program.
class LocalServer {
 public:
  virtual ~LocalServer() = default;
  // Starts the server for the address; answers whether it then answers.
  virtual bool start(const ServerAddress& address) = 0;
  virtual void stop() = 0;
};

class RemoteClient {
 public:
  RemoteClient(ServerAddress address, std::shared_ptr<HttpClient> http, std::unique_ptr<LocalServer> server = {});
  // Stops a server it started, then waits for abandoned requests (they end
  // at their time-out at the latest).
  ~RemoteClient();
  RemoteClient(const RemoteClient&) = delete;
  RemoteClient& operator=(const RemoteClient&) = delete;

  const ServerAddress& address() const { return address_; }

  // One GET on the calling thread. When nothing answers at this machine's
  // address, the server is started (once) and the request made again.
  HttpReply get(const std::string& url);

  // The same on a worker thread while the window thread shows "Now
  // Generating.." and keeps pumping events. nullopt when the user closed the
  // window: the request is abandoned and its reply, if any, dropped.
  std::optional<HttpReply> getWithProgress(const std::string& url, Ui& ui, int language);

  // The same request on a worker thread; `keepWaiting` runs every few
  // milliseconds until the reply is there (it pumps the caller's window).
  // nullopt when it answered false: the request is abandoned.
  std::optional<HttpReply> getWhile(const std::string& url, const std::function<bool()>& keepWaiting);

 private:
  ServerAddress address_;
  std::shared_ptr<HttpClient> http_;
  std::unique_ptr<LocalServer> server_;
  std::mutex startMutex_;
  bool startTried_ = false;
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  std::vector<Worker> workers_;
  void joinFinishedWorkers();
};

}  // namespace quorvel

#pragma once
// The reference generation server started as a child process from the
// program's own folder when this machine's address does not answer, and
// stopped when the program ends.
#include <chrono>
#include <filesystem>
#include <memory>
#include <sys/types.h>

#include "netgen/HttpClient.h"
#include "netgen/RemoteClient.h"

namespace quorvel {

inline constexpr const char* kServerProgramName = "quorvel-server";

class LocalServerProcess : public LocalServer {
 public:
  // `programDir` holds quorvel-server; `http` asks whether it answers yet.
  LocalServerProcess(std::filesystem::path programDir, std::shared_ptr<HttpClient> http,
                     std::chrono::milliseconds readyWithin = std::chrono::seconds(8));
  ~LocalServerProcess() override;

  bool start(const ServerAddress& address) override;
  void stop() override;

 private:
  bool answers(const ServerAddress& address);
  bool running();

  std::filesystem::path programDir_;
  std::shared_ptr<HttpClient> http_;
  std::chrono::milliseconds readyWithin_;
  pid_t child_ = -1;
};

}  // namespace quorvel

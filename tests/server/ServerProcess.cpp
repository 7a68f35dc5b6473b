#include "ServerProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

extern char** environ;

namespace quorvel::test {

int freeLoopbackPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  close(fd);
  return ntohs(address.sin_port);
}

HttpReply httpGet(int port, const std::string& target) {
  HttpReply reply;
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return reply;
  }
  const std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
  for (std::size_t sent = 0; sent < request.size();) {
    const ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  std::string raw;
  char buffer[8192];
  for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) raw.append(buffer, static_cast<std::size_t>(n));
  close(fd);
  const std::size_t headerEnd = raw.find("\r\n\r\n");
  if (raw.rfind("HTTP/1.1 ", 0) != 0 || headerEnd == std::string::npos) return reply;
  reply.status = std::stoi(raw.substr(9, 3));
  reply.body = raw.substr(headerEnd + 4);
  return reply;
}

ServerProcess::ServerProcess(const std::string& modelsFolder, const std::vector<std::string>& extraArgs) {
  port_ = freeLoopbackPort();
  std::vector<std::string> args{QUORVEL_SERVER_PROGRAM, "serve", "--models", modelsFolder,
                                "--listen", "127.0.0.1:" + std::to_string(port_)};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  errFd_ = pipeFds[0];
  if (spawned != 0) {
    pid_ = -1;
    return;
  }
  reader_ = std::thread([this] {
    char buffer[4096];
    for (ssize_t n; (n = read(errFd_, buffer, sizeof buffer)) > 0;) {
      std::lock_guard lock(mutex_);
      log_.append(buffer, static_cast<std::size_t>(n));
      changed_.notify_all();
    }
    std::lock_guard lock(mutex_);
    log_ += "\n(stderr closed)";
    changed_.notify_all();
  });
  // A generous wait: the machine may be busy, and a sanitizer build starts slowly.
  std::unique_lock lock(mutex_);
  ready_ = changed_.wait_for(lock, std::chrono::seconds(60), [this] {
    return log_.find("ready on") != std::string::npos || log_.find("(stderr closed)") != std::string::npos;
  }) && log_.find("ready on") != std::string::npos;
}

bool ServerProcess::logShows(const std::string& text) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return log_.find(text) != std::string::npos; });
}

std::string ServerProcess::log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  if (reader_.joinable()) reader_.join();
  if (errFd_ >= 0) close(errFd_);
}

}  // namespace quorvel::test

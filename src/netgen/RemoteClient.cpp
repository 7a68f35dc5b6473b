#include "netgen/RemoteClient.h"

#include <algorithm>
#include <chrono>
#include <future>

#include "base/Messages.h"

namespace quorvel {

namespace {

constexpr int kProgressRange = 20000;
constexpr auto kPollInterval = std::chrono::milliseconds(5);

ProgressWindowText generatingText(int language) {
  ProgressWindowText text;
  text.title = localized("Now Generating..", language);
  text.text = localized("Now generating melody lines..", language);
  text.cancelLabel = localized("Cancel", language);
  return text;
}

}  // namespace

RemoteClient::RemoteClient(ServerAddress address, std::shared_ptr<HttpClient> http, std::unique_ptr<LocalServer> server)
    : address_(std::move(address)), http_(std::move(http)), server_(std::move(server)) {}

RemoteClient::~RemoteClient() {
  if (server_) {
    std::lock_guard lock(startMutex_);
    server_->stop();
  }
  for (Worker& worker : workers_) worker.thread.join();
}

void RemoteClient::joinFinishedWorkers() {
  std::erase_if(workers_, [](Worker& worker) {
    if (!worker.done->load()) return false;
    worker.thread.join();
    return true;
  });
}

HttpReply RemoteClient::get(const std::string& url) {
  HttpReply reply = http_->get(url);
  if (reply.outcome != HttpReply::Outcome::Unreachable || !server_ || !address_.isThisMachine()) return reply;
  {
    std::lock_guard lock(startMutex_);
    if (startTried_) return reply;
    startTried_ = true;
    if (!server_->start(address_)) return reply;
  }
  return http_->get(url);
}

std::optional<HttpReply> RemoteClient::getWhile(const std::string& url, const std::function<bool()>& keepWaiting) {
  joinFinishedWorkers();
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::packaged_task<HttpReply()> task([this, url, done] {
    HttpReply answer = get(url);
    done->store(true);
    return answer;
  });
  std::future<HttpReply> reply = task.get_future();
  workers_.push_back({std::thread(std::move(task)), done});
  while (reply.wait_for(kPollInterval) != std::future_status::ready) {
    if (!keepWaiting()) return std::nullopt;
  }
  return reply.get();
}

std::optional<HttpReply> RemoteClient::getWithProgress(const std::string& url, Ui& ui, int language) {
  ui.openProgressWindow(generatingText(language), kProgressRange);
  const auto began = std::chrono::steady_clock::now();
  std::optional<HttpReply> reply = getWhile(url, [&] {
    ui.pumpEvents();
    if (ui.progressCancelled()) return false;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
    ui.setProgressPosition(static_cast<int>(std::min<long long>(elapsed.count(), kProgressRange)));
    return true;
  });
  ui.closeProgressWindow();
  return reply;
}

}  // namespace quorvel

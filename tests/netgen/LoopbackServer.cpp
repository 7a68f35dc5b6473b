#include "LoopbackServer.h"

#include <cpprest/http_listener.h>
#include <thread>

namespace quorvel::test {

struct LoopbackServer::Listener {
  explicit Listener(const std::string& url) : http(url) {}
  web::http::experimental::listener::http_listener http;
};

LoopbackServer::LoopbackServer(std::function<ScriptedReply(const std::string& target)> handler, int port)
    : port_(port != 0 ? port : freeLoopbackPort()) {
  const std::string url = "http://127.0.0.1:" + std::to_string(port_);
  listener_ = std::make_unique<Listener>(url);
  listener_->http.support(web::http::methods::GET, [this, handler](const web::http::http_request& request) {
    const std::string target = request.relative_uri().to_string();
    {
      std::lock_guard lock(mutex_);
      targets_.push_back(target);
    }
    const ScriptedReply reply = handler(target);
    if (reply.delay.count() > 0) std::this_thread::sleep_for(reply.delay);
    request.reply(static_cast<web::http::status_code>(reply.status), reply.body, "text/plain").wait();
  });
  listener_->http.open().wait();
}

LoopbackServer::~LoopbackServer() { listener_->http.close().wait(); }

std::vector<std::string> LoopbackServer::targets() const {
  std::lock_guard lock(mutex_);
  return targets_;
}

}  // namespace quorvel::test

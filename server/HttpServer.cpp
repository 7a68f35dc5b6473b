#include "server/HttpServer.h"

#include <cpprest/http_listener.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <mutex>

namespace quorvel::server {
namespace {

using web::http::http_request;
using web::http::experimental::listener::http_listener;

std::mutex logMutex;

void logLine(const std::string& summary, double ms, int status) {
  std::lock_guard lock(logMutex);
  std::fprintf(stderr, "%s %.2f ms %d\n", summary.c_str(), ms, status);
}

void answer(const Service& service, http_request request) {
  const auto started = std::chrono::steady_clock::now();
  const web::uri& uri = request.relative_uri();
  Response response = request.method() == web::http::methods::GET
                          ? service.handle(uri.path(), uri.query())
                          : Response{400, "type error: only GET is served\n", request.method()};
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  logLine(response.summary, ms, response.status);
  request.reply(static_cast<web::http::status_code>(response.status), response.body, "text/plain; charset=us-ascii")
      .then([](pplx::task<void> sent) {
        try {
          sent.get();
        } catch (const std::exception&) {
          // the client went away before the reply; nothing to do
        }
      });
}

}  // namespace

std::string listenUrl(const std::string& listen) {
  const std::size_t colon = listen.rfind(':');
  if (colon == std::string::npos || colon == 0) return {};
  const std::string port = listen.substr(colon + 1);
  if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos ||
      std::stoi(port) > 65535)
    return {};
  return "http://" + listen + "/";
}

int serveUntilSignalled(const Service& service, const std::string& listen, std::size_t models) {
  const std::string url = listenUrl(listen);
  if (url.empty()) {
    std::cerr << "quorvel-server: --listen wants ADDR:PORT, not \"" << listen << "\"\n";
    return 2;
  }
  // Block the stop signals in every thread (the listener's pool inherits
  // this mask) and wait for them here.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);
  try {
    http_listener listener(url);
    listener.support([&service](http_request request) { answer(service, std::move(request)); });
    listener.open().wait();
    std::cerr << "quorvel-server: ready on " << url << " with " << models << " models" << std::endl;
    int signal = 0;
    sigwait(&stop, &signal);
    listener.close().wait();
  } catch (const std::exception& e) {
    std::cerr << "quorvel-server: cannot listen on " << listen << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace quorvel::server

#pragma once
// HttpClient over cpprestsdk: one GET per call, 20-second time-out by default,
// certificate validation off. Exceptions stop here and become outcomes.
#include <chrono>

#include "netgen/HttpClient.h"

namespace quorvel {

class CppRestHttpClient : public HttpClient {
 public:
  explicit CppRestHttpClient(std::chrono::milliseconds timeout = std::chrono::seconds(20)) : timeout_(timeout) {}
  HttpReply get(const std::string& url) override;

 private:
  std::chrono::milliseconds timeout_;
};

}  // namespace quorvel

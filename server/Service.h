// What the server does with one request, apart from HTTP: parse, pick the
// model, answer. Bad requests get status 400 and a body beginning with "ty",
// which the client reads as a failure.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "server/ModelStore.h"

namespace quorvel::server {

struct Response {
  int status = 200;
  std::string body;
  std::string summary;  // for the log line: what was asked
};

class Service {
 public:
  // With a seed every reply is a function of the request alone (for tests).
  Service(const ModelStore& store, std::optional<std::uint64_t> seed) : store_(store), seed_(seed) {}
  Response handle(std::string_view path, std::string_view query) const;

 private:
  const ModelStore& store_;
  std::optional<std::uint64_t> seed_;
};

}  // namespace quorvel::server

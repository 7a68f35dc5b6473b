#pragma once
// The one HTTP call the G modes make: a GET whose body comes back as text.
// The cpprestsdk adapter implements it; it may be called from any thread.
#include <string>

namespace quorvel {

struct HttpReply {
  enum class Outcome { Ok, Unreachable, Failed };
  Outcome outcome = Outcome::Failed;
  int status = 0;
  std::string body;
  std::string error;  // what went wrong, for the command line
  bool ok() const { return outcome == Outcome::Ok; }
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Never throws: connection failures, time-outs and HTTP errors come back as
  // an outcome. Unreachable: nothing listens at the address.
  virtual HttpReply get(const std::string& url) = 0;
};

}  // namespace quorvel

// Reading a request line: "/gen?type=T&genre=G&len=N&data=..." or "/genre".
// Anything else, or any parameter out of its form, is refused with a reason.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "server/Token.h"

namespace quorvel::server {

constexpr int kRequestTypes = 6;
constexpr std::size_t kMaxDataBytes = 64 * 1024;

struct GenRequest {
  int type = 0;
  int genre = 0;
  int len = 0;
  std::string dataText;  // as the client wrote it, for the echo
  TokenLine tokens;
};
struct GenreListRequest {};
struct BadRequest {
  std::string reason;
};
using Request = std::variant<GenRequest, GenreListRequest, BadRequest>;

// path and query as they arrived (percent escapes not yet decoded).
Request parseRequest(std::string_view path, std::string_view query);

}  // namespace quorvel::server

#include "server/Query.h"

#include <array>
#include <optional>

namespace quorvel::server {
namespace {

std::optional<std::string> percentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const auto byte = parseHexToken(text.substr(i + 1, 2));
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
    i += 2;
  }
  return out;
}

std::optional<int> parseCount(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The client builds data in a buffer of this many bytes and may cut it in the
// middle of a token, while len still counts the token it was writing.
std::size_t clientDataBuffer(int type) { return type >= 4 ? 1024 : 1600; }

bool isSeparator(char c) { return c == '+' || c == ' '; }

std::optional<std::string> readTokens(GenRequest& request) {
  const std::string& data = request.dataText;
  const bool cutByClient = data.size() == clientDataBuffer(request.type) - 1 && !isSeparator(data.back());
  std::size_t i = 0;
  while (i < data.size()) {
    std::size_t end = i;
    while (end < data.size() && !isSeparator(data[end])) ++end;
    if (end == data.size() && cutByClient) break;  // the partial token the client cut
    const auto token = parseHexToken(std::string_view(data).substr(i, end - i));
    if (!token) return "data holds \"" + data.substr(i, std::min<std::size_t>(end - i, 16)) + "\", not a hexadecimal token";
    request.tokens.push_back(*token);
    i = end + 1;
  }
  const auto count = static_cast<int>(request.tokens.size());
  if (cutByClient ? request.len < count : request.len != count)
    return "len " + std::to_string(request.len) + " but data holds " + std::to_string(count) + " tokens";
  return std::nullopt;
}

Request parseGen(std::string_view query) {
  constexpr std::array<std::string_view, 4> names{"type", "genre", "len", "data"};
  std::array<std::optional<std::string>, 4> values;
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
    const std::size_t eq = pair.find('=');
    const std::string_view name = pair.substr(0, eq);
    for (std::size_t n = 0; n < names.size(); ++n) {
      if (name != names[n]) continue;
      if (values[n]) return BadRequest{"parameter " + std::string(name) + " given twice"};
      if (n == 3 && pair.size() - name.size() > 3 * kMaxDataBytes) return BadRequest{"data over 64 KB"};
      auto decoded = percentDecode(eq == std::string_view::npos ? std::string_view{} : pair.substr(eq + 1));
      if (!decoded) return BadRequest{"bad percent escape in " + std::string(name)};
      values[n] = std::move(decoded);
    }
  }
  for (std::size_t n = 0; n < names.size(); ++n)
    if (!values[n]) return BadRequest{"missing parameter " + std::string(names[n])};

  GenRequest request;
  const auto type = parseCount(*values[0]);
  const auto genre = parseCount(*values[1]);
  const auto len = parseCount(*values[2]);
  if (!type || !genre || !len) return BadRequest{"type, genre and len must be decimal numbers"};
  if (*type >= kRequestTypes) return BadRequest{"type " + std::to_string(*type) + " is not 0..5"};
  if (values[3]->size() > kMaxDataBytes) return BadRequest{"data over 64 KB"};
  request.type = *type;
  request.genre = *genre;
  request.len = *len;
  request.dataText = std::move(*values[3]);
  if (auto error = readTokens(request)) return BadRequest{*error};
  return request;
}

}  // namespace

Request parseRequest(std::string_view path, std::string_view query) {
  if (path == "/genre") return GenreListRequest{};
  if (path == "/gen") return parseGen(query);
  return BadRequest{"unknown path " + std::string(path.substr(0, 64))};
}

}  // namespace quorvel::server

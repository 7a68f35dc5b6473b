#include "netgen/ServerAddress.h"

#include <charconv>
#include <cstdlib>

namespace quorvel {

namespace {

std::string origin(const ServerAddress& server) {
  return "http://" + server.host + ":" + std::to_string(server.port);
}

}  // namespace

bool ServerAddress::isThisMachine() const {
  return host == "127.0.0.1" || host == "localhost" || host == "[::1]" || host == "::1";
}

std::optional<ServerAddress> parseServerAddress(std::string_view text) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  const std::string_view host = text.substr(0, colon), portText = text.substr(colon + 1);
  int port = 0;
  const auto [ptr, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
  if (ec != std::errc{} || ptr != portText.data() + portText.size() || port < 1 || port > 65535) return std::nullopt;
  const bool bracketed = host.front() == '[' && host.back() == ']';
  if (!bracketed && host.find_first_of(":/?#@ ") != std::string_view::npos) return std::nullopt;
  return ServerAddress{std::string(host), port};
}

ServerAddress serverAddressFromEnvironment() {
  if (const char* text = std::getenv("QUORVEL_SERVER")) {
    if (auto parsed = parseServerAddress(text)) return *parsed;
  }
  return {};
}

std::string generationUrl(const ServerAddress& server, RequestType type, int genre, int len, std::string_view data) {
  std::string url = origin(server);
  url += "/gen?type=" + std::to_string(typeIndex(type)) + "&genre=" + std::to_string(genre) +
         "&len=" + std::to_string(len) + "&data=";
  url += data;
  return url;
}

std::string aiTypesUrl(const ServerAddress& server) { return origin(server) + "/genre"; }

}  // namespace quorvel

#pragma once
// Where the generation server is: this machine, port 44218, unless the
// environment (QUORVEL_SERVER=HOST:PORT) or the command line says otherwise.
#include <optional>
#include <string>
#include <string_view>

#include "netgen/RequestTypes.h"

namespace quorvel {

inline constexpr const char* kDefaultServerHost = "127.0.0.1";
inline constexpr int kDefaultServerPort = 44218;

struct ServerAddress {
  std::string host = kDefaultServerHost;
  int port = kDefaultServerPort;
  bool isThisMachine() const;
};

// "HOST:PORT" (a bracketed IPv6 host allowed); nullopt when malformed.
std::optional<ServerAddress> parseServerAddress(std::string_view text);
// The default, or QUORVEL_SERVER when it is set and well formed.
ServerAddress serverAddressFromEnvironment();

// "http://HOST:PORT/gen?type=%d&genre=%d&len=%d&data=%s"; the data's '+'
// separators go unencoded.
std::string generationUrl(const ServerAddress& server, RequestType type, int genre, int len, std::string_view data);
// "http://HOST:PORT/genre".
std::string aiTypesUrl(const ServerAddress& server);

}  // namespace quorvel

#include "netgen/adapters/RemoteConnection.h"

#include "netgen/adapters/CppRestHttpClient.h"
#include "netgen/adapters/LocalServerProcess.h"

namespace quorvel {

std::unique_ptr<RemoteClient> makeRemoteClient(const ServerAddress& address, const std::filesystem::path& programDir) {
  auto http = std::make_shared<CppRestHttpClient>();
  return std::make_unique<RemoteClient>(address, http, std::make_unique<LocalServerProcess>(programDir, http));
}

}  // namespace quorvel

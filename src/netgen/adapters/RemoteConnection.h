#pragma once
// The program's connection to the generation server: cpprestsdk for HTTP,
// and the reference server beside the program started when this machine's
// address does not answer.
#include <filesystem>
#include <memory>

#include "netgen/RemoteClient.h"

namespace quorvel {

std::unique_ptr<RemoteClient> makeRemoteClient(const ServerAddress& address, const std::filesystem::path& programDir);

}  // namespace quorvel

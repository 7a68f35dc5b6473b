#pragma once
// Binds the operations of the other subsystems into the command table.

namespace quorvel {

struct AppContext;

void wireSubsystems(AppContext& app);

}  // namespace quorvel

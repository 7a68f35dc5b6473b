#pragma once
// Binds the operations of the other subsystems into the command table.

namespace quorvel {

struct AppContext;

void wireSubsystems(AppContext& app);
// The G buttons, and "0toN"/"NtoN" when the options send them to the server.
void wireRemoteGeneration(AppContext& app);
// "Inf.": melody blocks from the server while the song plays.
void wireInfiniteGeneration(AppContext& app);

}  // namespace quorvel

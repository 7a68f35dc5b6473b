#pragma once
// Asks for real-time scheduling for the calling thread, so that ticks are not
// delayed behind busy programs. Where the user may not have it, nothing changes.
namespace quorvel {

// Answers whether the request was granted.
bool raiseToRealTimePriority();

}  // namespace quorvel

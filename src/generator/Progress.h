#pragma once
// The "Now Generating.." window of long local runs: the search opens it on its
// first commit after 1000 ms and advances it every tenth commit; the drivers
// write the segment and retry lines before every try; Cancel reaches the
// running request through the pumped events.
#include <string>

#include "generator/GenerationEnv.h"
#include "generator/GeneratorContext.h"

namespace quorvel {

// "Segment: 1 / 2" and "Retry count: 3 / 100" in the user's language.
std::string segmentLine(int segment, int segmentCount, int language);
std::string retryLine(int retry, int retryLimit, int language);

// Tracks which try a request is on, for the window's retry line.
struct TryCounter {
  int current = 1;
  int total = 0;
};

// The search's window hooks, bound to this environment. `tries` must outlive
// the request.
GeneratorHooks progressHooks(GenerationEnv& env, const TryCounter& tries);

// Before a try: answers false when the request was cancelled; otherwise, with
// the window open, shows the segment and the try.
bool beginTry(GenerationEnv& env, GeneratorContext& ctx, TryCounter& tries, int tryNumber);

// Closes the request's window if it is open.
void closeProgress(GenerationEnv& env, GeneratorContext& ctx);

bool wasCancelled(const GeneratorContext& ctx);

// The Cancel button: stops the running request when its window shows, closes
// the window and clears the infinite-generation bit. Answers whether a request
// was stopped.
bool cancelGeneration(GenerationEnv& env);

}  // namespace quorvel

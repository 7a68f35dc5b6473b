// Answering one generation request: five differing candidates from the
// request's model, after an echo of the data for the continuation types.
#pragma once

#include <cstdint>
#include <string>

#include "server/ModelStore.h"
#include "server/Query.h"

namespace quorvel::server {

constexpr int kCandidates = 5;

struct Seeds {
  std::uint64_t request = 0;  // fresh per request unless the server was given one
  std::uint64_t fixed = 0;    // the server's --seed, or 0
};

// The reply body; model is the request's (type, genre) model of the store.
std::string answerGen(const ModelStore& store, const NamedModel& model, const GenRequest& request, const Seeds& seeds);

// One candidate row: every token followed by one blank, then "." and a line feed.
void appendCandidate(std::string& out, const TokenLine& line);

}  // namespace quorvel::server

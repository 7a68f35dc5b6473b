#include "netgen/Candidates.h"

#include <algorithm>

namespace quorvel {

namespace {

bool isAsciiText(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0 || byte > 0x7F) return false;
  }
  return true;
}

bool endsRow(char c) { return c == '.' || c == '\n'; }

}  // namespace

bool replyAcceptable(std::string_view reply, RequestType type) {
  return reply.size() < replyBufferSize(type) && isAsciiText(reply) && !reply.starts_with("ty");
}

bool splitCandidates(RemoteState& state, std::string_view reply, std::size_t echoLength) {
  for (std::string& row : state.candidateRows) row.clear();
  std::size_t i = echoLength;
  int completed = 0;
  while (i < reply.size() && completed < kCandidateRows) {
    std::string& row = state.candidateRows[static_cast<std::size_t>(completed)];
    const char c = reply[i++];
    row += c;
    if (row.size() >= kCandidateRowSize) {
      for (std::string& r : state.candidateRows) r.clear();
      return false;
    }
    if (!endsRow(c)) continue;
    ++completed;
    if (i < reply.size() && reply[i] == '\n') ++i;
  }
  // A row cut off by the end of the reply counts only when it is the first.
  for (int r = std::max(completed, 1); r < kCandidateRows; ++r) state.candidateRows[static_cast<std::size_t>(r)].clear();
  return true;
}

int nextCandidate(RemoteState& state, int kind) {
  if (state.lastRequestKind != kind) return kFreshRequest;
  if (state.candidateIndex >= kCandidateRows - 1) return kCandidatesExhausted;
  ++state.candidateIndex;
  return state.candidateRows[static_cast<std::size_t>(state.candidateIndex)].empty() ? kCandidatesExhausted
                                                                                      : kShowNextCandidate;
}

}  // namespace quorvel

#pragma once
// What the G modes keep between requests: the candidates of the last reply,
// which one is shown, what was asked last, and where generation and decoding
// start. One object, owned by the application.
#include <array>
#include <cstddef>
#include <string>

#include "model/NoteCode.h"
#include "netgen/RequestTypes.h"

namespace quorvel {

inline constexpr int kCandidateRows = 5;
inline constexpr std::size_t kCandidateRowSize = 2048;  // terminating zero included
inline constexpr int kNoCandidate = 16384;

struct RemoteState {
  // One candidate per row, each ending at its '.' or line feed; an empty row
  // holds no candidate.
  std::array<std::string, kCandidateRows> candidateRows{};
  int candidateIndex = kNoCandidate;
  std::string lastRequestData;
  int lastRequestKind = kKindNone;
  int generationPosition = kSongStartX;
  int decodePosition = kSongStartX;
  // Start position the encoders read; set by the counter and drums commands.
  int generationStart = kSongStartX;
  // Where the last decoded melody line ended: dropped note sequences continue there.
  int lastEndX = kSongStartX;
  // Why the last request gave no usable candidate; empty after a success.
  std::string lastError;
};

// What the next press of the G function of `kind` does.
inline constexpr int kFreshRequest = -1, kCandidatesExhausted = 14, kShowNextCandidate = 0;
int nextCandidate(RemoteState& state, int kind);

}  // namespace quorvel

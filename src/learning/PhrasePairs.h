#pragma once
// The paired schedules: phrases of the top line and of a lower line that
// overlap in time, written as one sentence each at the same line number of
// their two files.
#include <optional>
#include <string>

#include "learning/LearningSong.h"

namespace quorvel {

struct Phrase {
  int start = 0;  // x of its first note
  int end = 0;    // end x of its last note
};

// The first run of at least four notes from `fromX` on in which every note
// ends less than 1281 after the run's start and starts less than 161 after
// the previous note's end.
std::optional<Phrase> findPhrase(const Line& line, int fromX);

// Tokens of the notes from the first starting at or after `windowStart` up to
// the end x `windowEnd`: a leading rest from the window start, then notes with
// the rests between them, at most 256 tokens. Empty when no note falls in it.
std::string phraseTokens(const Line& line, int windowStart, int windowEnd);

// Walks both lines and appends the aligned windows: sentence n of `upperOut`
// and sentence n of `lowerOut` always belong together.
void writePhrasePairs(const Line& upper, const Line& lower, std::string& upperOut, std::string& lowerOut);

}  // namespace quorvel

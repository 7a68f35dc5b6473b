#pragma once
// The one-part schedule: a melody line as sentences of at most 200 tokens.
#include <string>

#include "learning/LearningSong.h"

namespace quorvel {

// Appends note tokens with rest tokens for the silences between them; a sentence ends
// after every 200th count, and the last sentence is always ended. An empty
// line writes nothing.
void writeMelodySentences(const Line& line, std::string& out);

}  // namespace quorvel

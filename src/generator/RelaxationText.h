#pragma once
// The words for the rules the complete search of counter lines had to break,
// placed by bar and beat of the melody.
#include <string>
#include <vector>

#include "generator/CounterCompleteSearch.h"
#include "generator/CounterMelody.h"

namespace quorvel {

// The status bar's message field.
inline constexpr int kStatusMessageField = 1;

// One text per beat that broke a rule, in the order of the song:
// "rules relaxed at bar B beat b: bass: distance to the melody; ...".
// `places` are the melody's notes, one per beat of the lines.
std::vector<std::string> relaxationLines(const std::vector<Relaxation>& relaxed, const std::vector<NotePlace>& places,
                                         int voiceCount, int language);

// The status bar's text: the first place, and how many more there are.
std::string relaxationStatus(const std::vector<std::string>& lines, int language);

}  // namespace quorvel

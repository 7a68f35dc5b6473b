#pragma once
// The frame shared by the onset tools: which sets and which stretch of the
// score they treat, and the per-set rewrite that records one undo step.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "model/NoteCode.h"

namespace quorvel {

struct Score;
class Ui;

// Beyond the x of any start a code can hold.
inline constexpr int kBeyondAnyNoteX = kStepPixels << 14;

// A stretch of the timeline in x-coordinates, both ends included.
struct XRange {
  int from = kSongStartX;
  int to = kBeyondAnyNoteX;
};

// The stretch the scope flags select, or nothing for inverted locators.
std::optional<XRange> scopeRange(const Score& s, std::uint32_t scopeFlags, int startX);

// The sets the scope flags select in the active view, highest first.
std::vector<int> scopeSets(const Score& s, std::uint32_t scopeFlags);

using NoteRule = std::function<NoteCode(NoteCode)>;

// Takes the notes of a part or drum set that start in range out of the set and
// its view, puts each back as the rule rewrites it (in ascending order), and
// records the change as one replaced step on the set's history. Answers
// whether any note was treated.
bool rewriteOnsets(Score& s, int setIndex, XRange range, const NoteRule& rule);

// The nearest line of a grid of width r for position p, a tie going to the later line.
constexpr int nearestGridLine(int p, int r) { return (p + r / 2) - ((p + r / 2) % r); }

// Runs a rule over the given sets in a stretch: clears the selection, rewrites
// each set, redraws and marks the song modified. Answers 0, or -2 when no note
// was treated.
int runOnsetTool(Score& s, Ui& ui, XRange range, const std::vector<int>& sets, const NoteRule& rule);

}  // namespace quorvel

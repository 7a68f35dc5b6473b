#pragma once
// The search engine shared by every voice: weighted draw of a scale move,
// rejection with re-admission, commit, backtracking with a tabu list, save
// points and the dead-end limit. The voice's rules come in ctx.plan.
#include <cstdint>

#include "generator/GeneratorContext.h"

namespace quorvel {

// Index of the first weight whose running sum exceeds value mod total.
int weightedDraw(Random& random, const std::int32_t* weights, int count, std::int32_t total);

bool isCancelled(const GeneratorContext& ctx);

// Whether a line exists and has room for every beat of the request.
bool holdsWholeRequest(const GeneratorContext& ctx, const VoiceLine* line);

// Sizes the per-beat records of the search for lines of `beats` entries.
void sizeBeatRecords(GeneratorContext& ctx, int beats);

// Clears the line from `fromBeat` on, the history, save points, tabu list
// and counters, ready for a new attempt.
void resetAttempt(GeneratorContext& ctx, int fromBeat);

// Makes a fixed note (a first note, the peak, a segment's starting point)
// the note the search continues from, writing it to the line when asked;
// the search cannot back up over it.
void placeBaseNote(GeneratorContext& ctx, const LineNote& note, bool writeToLine);
void addSavePoint(GeneratorContext& ctx, int beat);

inline bool validBeat(const GeneratorContext& ctx, int beat) {
  return beat >= 0 && beat < static_cast<int>(ctx.notes.size());
}

// The committed note at a beat of the target line, or nullptr.
inline const LineNote* noteAt(const GeneratorContext& ctx, int beat) {
  if (!validBeat(ctx, beat)) return nullptr;
  const LineNote& n = ctx.notes[static_cast<std::size_t>(beat)];
  return n.pitch >= 0 ? &n : nullptr;
}

// The pitch sounding at a beat of the target line, counting the candidate.
inline std::int32_t pitchAt(const GeneratorContext& ctx, int beat) {
  if (beat == ctx.candidate.beat) return ctx.candidate.pitch;
  const LineNote* n = noteAt(ctx, beat);
  return n ? n->pitch : -1;
}

// Makes ctx.candidate the candidate for the beat after the cursor: a fixed
// note, or the move of (column - 4) scale steps from the current note.
void setForcedCandidate(GeneratorContext& ctx, const LineNote& fixed);
void setColumnCandidate(GeneratorContext& ctx, int column);
// Forgets what the last candidate's test settled for its commit.
void clearPending(GeneratorContext& ctx);
// Writes the candidate into the line, with the lowering its test asked for,
// and makes it the current note at the cursor.
void placeCandidate(GeneratorContext& ctx);
// Empties a beat of the line and undoes the lowering its commit made.
void takeBackNote(GeneratorContext& ctx, int beat);

// Searches from ctx.current until the beat before ctx.endBeat is
// committed: kSearchLineComplete, kSearchFailed or kSearchCancelled.
int runSearch(GeneratorContext& ctx);

}  // namespace quorvel

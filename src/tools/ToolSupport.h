#pragma once
// Small pieces the score tools share: note positions in timeline units, whole-set
// rewrites that keep the view sets in step, and the closing redraw.
#include <array>

#include "model/Score.h"

namespace quorvel {

class Ui;

inline constexpr std::array<int, 4> kMelodyPartsHighFirst{kSopranoSet, kAltoSet, kTenorSet, kBassSet};
inline constexpr std::array<int, 4> kDrumSetsHighFirst{7, 6, 5, 4};

// Position in timeline units from the score origin: x - 10.
constexpr int positionOf(NoteCode c) { return (noteStart(c) - kSongStartStep) * kStepPixels; }
// The same note moved to position q (a multiple of 5, at least 0).
constexpr NoteCode atPosition(NoteCode c, int q) { return withStart(c, (q + kSongStartX) / kStepPixels); }

// End of a melody note in view x-coordinates.
constexpr int melodyEndX(NoteCode c) { return (noteStart(c) + melodyLength(c)) * kStepPixels; }
constexpr int startX(NoteCode c) { return noteStart(c) * kStepPixels; }

// Replaces the content of a part or drum set, taking the old notes out of the
// view set and putting the new ones in. The caller holds the note lock.
void replaceSetContents(Score& s, int setIndex, NoteSet contents);

// Empties the selection and its bounds without a redraw of its own.
void dropSelection(Score& s);

// Makes key a new generator key note, as applying the melody settings does.
void setGeneratorKeyNote(Score& s, int key);

// Redraws both views and marks the song modified.
void finishScoreEdit(Score& s, Ui& ui);

}  // namespace quorvel

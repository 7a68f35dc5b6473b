#pragma once
// A learning file as the converters see it: its melody tracks in file order
// as parts 3, 2, 1, 0, and every drum note of the file.
#include <array>
#include <vector>

#include "midifile/SmfBytes.h"
#include "model/NoteSet.h"

namespace quorvel {

struct Score;

using Line = std::vector<NoteCode>;  // codes in set order

struct LearningSong {
  std::array<NoteSet, 4> parts;  // by part number: 0 Bass .. 3 Soprano
  NoteSet drums;
};

// Reads track by track through the score's imported sets (which it leaves
// empty); the first `partsWanted` tracks holding melody notes become parts 3
// downward, without their drum notes. Answers 0, or -1 when the reader
// rejects the file. The score's parts and drums are not touched.
int readLearningSong(Score& work, ByteView file, int partsWanted, LearningSong& song);

Line lineOf(const NoteSet& set);

// Timeline x of a melody code's start and end.
constexpr int noteX(NoteCode c) { return kStepPixels * noteStart(c); }
constexpr int noteEndX(NoteCode c) { return kStepPixels * (noteStart(c) + melodyLength(c)); }

}  // namespace quorvel

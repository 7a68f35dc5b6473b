#pragma once
// One MIDI file turned into the text it adds to each learning-schedule file.
#include <array>
#include <string>

#include "midifile/SmfBytes.h"

namespace quorvel {

struct Score;

enum class LearningType : int { OnePart = 0, TwoParts = 1, ThreeParts = 2, FourParts = 3, Drums = 4 };
inline constexpr int kLearningTypeCount = 5;

// Schedule files a type writes: 1, 2 or 3.
int outputCount(LearningType type);
// Melody tracks a type reads from each file.
int partsRead(LearningType type);

struct ScheduleTexts {
  std::array<std::string, 3> files;  // appended to output files 1..3
};

// Reads the file and converts it. `work` is a scratch score whose imported
// sets the reader uses; nothing else of it changes. Answers 0, or -1 when the
// reader rejects the file (the texts are then empty).
int convertToSchedule(Score& work, ByteView file, LearningType type, ScheduleTexts& out);

}  // namespace quorvel

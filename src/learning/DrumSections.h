#pragma once
// The drums schedules: sections of the drum track, with the four voices'
// step pattern over the same time, and the drums alone.
#include <array>
#include <functional>
#include <string>

#include "learning/LearningSong.h"

namespace quorvel {

struct Section {
  int start = 0;  // x of its first drum note
  int end = 0;    // x of its last drum note + 5
};

// Splits the drum notes at silences of 161 or more and wherever a section
// reaches 640; sections shorter than 80 that end at a silence are dropped.
void forEachDrumSection(const Line& drums, const std::function<void(Section)>& visit);

// One token per step of [s, e): bit i when part 3 - i starts a note on the
// step, else bit i + 4 when it is still sounding. Answers the number of zero
// tokens.
int appendVoiceSteps(const std::array<Line, 4>& parts, Section section, std::string& out);

// One token per step from the section start to the last drum note in it:
// lane bits 0..11, or 12..23 for velocities above 100; then the sentence end.
void appendDrumStepSentence(const Line& drums, Section section, std::string& out);

// File 1 gets the voice steps and file 2 the drum steps of every section in
// which the voices are not mostly silent; file 3 the drum steps of every
// section.
void writeDrumSections(const std::array<Line, 4>& parts, const Line& drums, std::string& voiceOut,
                       std::string& drumOut, std::string& drumOnlyOut);

}  // namespace quorvel

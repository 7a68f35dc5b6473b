#include "generator/ScaleTable.h"

namespace quorvel {

namespace {

constexpr std::array<ModeInfo, kModeCount> kModes{{
    {13, {3, 7, 12}, {8, 10}, 12},  // Major(Ionian)
    {11, {3, 7, 10}, {0, 12}, 3},   // Minor(Aeolian)
    {14, {0, 5, 10}, {7, 8}, 10},   // Dorian
    {15, {3, 8, 12}, {5, 7}, 8},    // Phrygian
    {16, {0, 7, 10}, {3, 5}, 7},    // Lydian
    {10, {5, 8, 12}, {0, 3}, 5},    // Mixolydian
}};

}  // namespace

const std::array<std::array<std::int32_t, kStepColumns>, 10> kStepWeights{{
    {20, 66, 114, 794, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 300, 160, 415, 40, 80},
    {8, 20, 90, 599, 1, 200, 75, 5, 1, 1},
    {20, 15, 10, 5, 1, 749, 80, 60, 40, 20},
    {16, 60, 70, 599, 1, 160, 40, 30, 16, 8},
    {10, 50, 60, 260, 1, 429, 100, 42, 42, 6},
    {5, 20, 10, 210, 1, 559, 5, 180, 5, 5},
    {5, 13, 10, 599, 1, 340, 10, 12, 5, 5},
    {18, 36, 72, 199, 1, 151, 170, 150, 185, 18},
    {20, 66, 114, 794, 1, 1, 1, 1, 1, 1},
}};

const ModeInfo& modeInfo(int modeIndex) {
  if (modeIndex < 0 || modeIndex >= kModeCount) return kModes[0];
  return kModes[static_cast<std::size_t>(modeIndex)];
}

std::int32_t scaleSemitones(std::int32_t index) {
  // The table repeats every 7 entries one octave higher.
  std::int32_t octave = index >= 0 ? index / 7 : -((-index + 6) / 7);
  std::int32_t within = index - 7 * octave;
  return kScaleTable[static_cast<std::size_t>(within)] + 12 * octave;
}

std::int32_t degreeCode(std::int32_t pitch, std::int32_t keyNote) {
  if (pitch <= 0) return -1;
  static constexpr std::array<std::int32_t, 12> kCodes{0, 3, 3, 5, 5, 7, 7, 8, 10, 10, 12, 12};
  const std::int32_t d = ((pitch - keyNote) % 12 + 12) % 12;
  return kCodes[static_cast<std::size_t>(d)];
}

std::int32_t degreeStepOfCode(std::int32_t code) {
  switch (code) {
    case 3: return 1;
    case 5: return 2;
    case 7: return 3;
    case 8: return -3;
    case 10: return -2;
    case 12: return -1;
    default: return 0;
  }
}

std::int32_t tensionClass(std::int32_t code) {
  if (code == 3 || code == 7 || code == 12) return kTensionTone;
  if (code == 8 || code == 10) return kFifthOrSixth;
  return -1;
}

bool inDominantGroup(const ModeInfo& mode, std::int32_t code) {
  for (auto c : mode.dominantGroup)
    if (c == code) return true;
  return false;
}

bool inNeighbourGroup(const ModeInfo& mode, std::int32_t code) {
  for (auto c : mode.neighbourGroup)
    if (c == code) return true;
  return false;
}

std::int32_t motionClassOf(std::int32_t s) {
  if (s >= 0 && s <= 3) return 5;
  if (s == 4) return 7;
  if (s >= 5) return 2;
  if (s >= -2) return 4;
  if (s >= -4) return 6;
  return 3;
}

std::int32_t directionVerdict(std::int32_t previousMotionClass, std::int32_t s) {
  const bool stepUpBefore = previousMotionClass == 5 || previousMotionClass == 7;
  const bool stepDownBefore = previousMotionClass == 4 || previousMotionClass == 6;
  if (stepUpBefore && s >= 0 && s <= 4) return kVerdictContinues;
  if (stepDownBefore && s >= -4 && s <= -1) return kVerdictContinues;
  if (previousMotionClass == 0 && s >= -4 && s <= -1) return kVerdictAfterDescent;
  return kVerdictTurns;
}

}  // namespace quorvel

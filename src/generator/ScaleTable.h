#pragma once
// The generator's pitch vocabulary: the scale table the search moves on,
// the six modes with their tone groups, degree codes, and the step-weight
// rows that steer each draw.
#include <array>
#include <cstdint>

namespace quorvel {

// The major scale over four octaves, from its second degree.
inline constexpr std::array<std::int32_t, 28> kScaleTable{-22, -20, -19, -17, -15, -13, -12, -10, -8, -7,
                                                          -5,  -3,  -1,  0,   2,   4,   5,   7,   9,   11,
                                                          12,  14,  16,  17,  19,  21,  23,  24};

struct ModeInfo {
  std::int32_t tonicIndex;
  std::array<std::int32_t, 3> dominantGroup;  // degree codes
  std::array<std::int32_t, 2> neighbourGroup;
  std::int32_t leadingTone;
};

inline constexpr int kModeCount = 6;
inline constexpr int kPhrygian = 3;

inline constexpr std::array<ModeInfo, kModeCount> kModes{{
    {13, {3, 7, 12}, {8, 10}, 12},  // Major(Ionian)
    {11, {3, 7, 10}, {0, 12}, 3},   // Minor(Aeolian)
    {14, {0, 5, 10}, {7, 8}, 10},   // Dorian
    {15, {3, 8, 12}, {5, 7}, 8},    // Phrygian
    {16, {0, 7, 10}, {3, 5}, 7},    // Lydian
    {10, {5, 8, 12}, {0, 3}, 5},    // Mixolydian
}};

// Mode by its setting index; out-of-range indices fall back to major.
inline const ModeInfo& modeInfo(int modeIndex) {
  if (modeIndex < 0 || modeIndex >= kModeCount) return kModes[0];
  return kModes[static_cast<std::size_t>(modeIndex)];
}

// Semitones of scale index i, continuing the table's octave pattern past
// both ends so that moves near the edges stay well defined.
constexpr std::int32_t scaleSemitones(std::int32_t index) {
  // The table repeats every 7 entries one octave higher.
  std::int32_t octave = index / 7;
  std::int32_t within = index % 7;
  if (within < 0) {
    within += 7;
    --octave;
  }
  return kScaleTable[static_cast<std::size_t>(within)] + 12 * octave;
}
// The pitch reached from (pitch at fromIndex) by moving to toIndex.
inline std::int32_t movePitch(std::int32_t pitch, std::int32_t fromIndex, std::int32_t toIndex) {
  return pitch + scaleSemitones(toIndex) - scaleSemitones(fromIndex);
}

// Category of a pitch against the key: 0 tonic, 3 second, 5 third, 7 fourth,
// 8 fifth, 10 sixth, 12 seventh; -1 for pitch 0 or none.
inline std::int32_t degreeCode(std::int32_t pitch, std::int32_t keyNote) {
  if (pitch <= 0) return -1;
  static constexpr std::array<std::int32_t, 12> kCodes{0, 3, 3, 5, 5, 7, 7, 8, 10, 10, 12, 12};
  std::int32_t d = (pitch - keyNote) % 12;
  if (d < 0) d += 12;
  return kCodes[static_cast<std::size_t>(d)];
}
// Degree steps from the tonic for a degree code (nearest way round).
std::int32_t degreeStepOfCode(std::int32_t code);

inline constexpr std::int32_t kTensionTone = 7700;
inline constexpr std::int32_t kFifthOrSixth = 7701;
inline std::int32_t tensionClass(std::int32_t code) {
  if (code == 3 || code == 7 || code == 12) return kTensionTone;
  if (code == 8 || code == 10) return kFifthOrSixth;
  return -1;
}

inline bool inDominantGroup(const ModeInfo& mode, std::int32_t code) {
  for (auto c : mode.dominantGroup)
    if (c == code) return true;
  return false;
}

inline bool inNeighbourGroup(const ModeInfo& mode, std::int32_t code) {
  for (auto c : mode.neighbourGroup)
    if (c == code) return true;
  return false;
}

// Rows of ten weights (columns: -4 .. +5 scale steps), each summing to 1000.
inline constexpr int kStepColumns = 10;
inline constexpr int kRepeatColumn = 4;
inline constexpr int kStartOfLowerVoice = 8;
inline constexpr int kPeakMotion = 9;
extern const std::array<std::array<std::int32_t, kStepColumns>, 10> kStepWeights;

// Semitones each step column moves from each place in the octave; a move
// depends only on the place, so candidates need no table walk.
inline constexpr auto kColumnMoves = [] {
  std::array<std::array<std::int32_t, kStepColumns>, 7> moves{};
  for (int place = 0; place < 7; ++place)
    for (int column = 0; column < kStepColumns; ++column)
      moves[place][column] = scaleSemitones(place + column - kRepeatColumn) - scaleSemitones(place);
  return moves;
}();

inline std::int32_t columnMove(std::int32_t fromIndex, int column) {
  std::int32_t place = fromIndex % 7;
  if (place < 0) place += 7;
  return kColumnMoves[static_cast<std::size_t>(place)][static_cast<std::size_t>(column)];
}

// How a note was reached from the previous one (s = new - previous semitones).
inline std::int32_t motionClassOf(std::int32_t s) {
  if (s >= 0 && s <= 3) return 5;
  if (s == 4) return 7;
  if (s >= 5) return 2;
  if (s >= -2) return 4;
  if (s >= -4) return 6;
  return 3;
}
// 0: continues by step in the direction of the previous step; 50: moves down
// at most 4 after a class-0 note; 10: any other motion.
inline constexpr std::int32_t kVerdictContinues = 0;
inline constexpr std::int32_t kVerdictAfterDescent = 50;
inline constexpr std::int32_t kVerdictTurns = 10;
inline std::int32_t directionVerdict(std::int32_t previousMotionClass, std::int32_t s) {
  const bool stepUpBefore = previousMotionClass == 5 || previousMotionClass == 7;
  const bool stepDownBefore = previousMotionClass == 4 || previousMotionClass == 6;
  if (stepUpBefore && s >= 0 && s <= 4) return kVerdictContinues;
  if (stepDownBefore && s >= -4 && s <= -1) return kVerdictContinues;
  if (previousMotionClass == 0 && s >= -4 && s <= -1) return kVerdictAfterDescent;
  return kVerdictTurns;
}

}  // namespace quorvel

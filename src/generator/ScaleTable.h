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

// Mode by its setting index; out-of-range indices fall back to major.
const ModeInfo& modeInfo(int modeIndex);

// Semitones of scale index i, continuing the table's octave pattern past
// both ends so that moves near the edges stay well defined.
std::int32_t scaleSemitones(std::int32_t index);
// The pitch reached from (pitch at fromIndex) by moving to toIndex.
inline std::int32_t movePitch(std::int32_t pitch, std::int32_t fromIndex, std::int32_t toIndex) {
  return pitch + scaleSemitones(toIndex) - scaleSemitones(fromIndex);
}

// Category of a pitch against the key: 0 tonic, 3 second, 5 third, 7 fourth,
// 8 fifth, 10 sixth, 12 seventh; -1 for pitch 0 or none.
std::int32_t degreeCode(std::int32_t pitch, std::int32_t keyNote);
// Degree steps from the tonic for a degree code (nearest way round).
std::int32_t degreeStepOfCode(std::int32_t code);

inline constexpr std::int32_t kTensionTone = 7700;
inline constexpr std::int32_t kFifthOrSixth = 7701;
std::int32_t tensionClass(std::int32_t code);

bool inDominantGroup(const ModeInfo& mode, std::int32_t code);
bool inNeighbourGroup(const ModeInfo& mode, std::int32_t code);

// Rows of ten weights (columns: -4 .. +5 scale steps), each summing to 1000.
inline constexpr int kStepColumns = 10;
inline constexpr int kRepeatColumn = 4;
inline constexpr int kStartOfLowerVoice = 8;
inline constexpr int kPeakMotion = 9;
extern const std::array<std::array<std::int32_t, kStepColumns>, 10> kStepWeights;

// How a note was reached from the previous one (s = new - previous semitones).
std::int32_t motionClassOf(std::int32_t s);
// 0: continues by step in the direction of the previous step; 50: moves down
// at most 4 after a class-0 note; 10: any other motion.
inline constexpr std::int32_t kVerdictContinues = 0;
inline constexpr std::int32_t kVerdictAfterDescent = 50;
inline constexpr std::int32_t kVerdictTurns = 10;
std::int32_t directionVerdict(std::int32_t previousMotionClass, std::int32_t s);

}  // namespace quorvel

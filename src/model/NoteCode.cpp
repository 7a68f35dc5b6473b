#include "model/NoteCode.h"

namespace quorvel {

NoteCode encodeNote(int x, int y, int width, int partOrLevel, int velocity, bool drum) {
  const auto start = static_cast<std::uint32_t>(x / kStepPixels);
  const auto row = static_cast<std::uint32_t>(y / kStepPixels);
  if (!drum) {
    const auto lengthCode = static_cast<std::uint32_t>((635 - width) / kStepPixels);
    return (start << kStartShift) | ((row & 0xFF) << 10) | ((lengthCode & 0x7F) << 2) |
           static_cast<std::uint32_t>(partOrLevel & 3);
  }
  const auto lengthCode = static_cast<std::uint32_t>((20 - width) / kStepPixels);
  return (start << kStartShift) | ((row & 0xF) << 14) | ((lengthCode & 3) << 12) |
         (static_cast<std::uint32_t>(partOrLevel & 3) << 10) | kDrumFlag |
         static_cast<std::uint32_t>(velocity & 0x7F);
}

NoteRect decodeNote(NoteCode code, bool drum) {
  NoteRect r;
  r.x = noteStart(code) * kStepPixels;
  if (!drum) {
    r.y = melodyRow(code) * kStepPixels + 2;
    r.width = melodyLength(code) * kStepPixels;
    r.partOrLevel = melodyPart(code);
    return r;
  }
  r.y = drumRow(code) * kStepPixels + 2;
  r.width = drumLength(code) * kStepPixels;
  r.partOrLevel = drumLevel(code);
  r.velocity = drumVelocity(code);
  return r;
}

int velocityOfLevel(int level, int userDrumVelocity) {
  switch (level & 3) {
    case 3: return 127;
    case 2: return 100;
    case 1: return 50;
    default: return userDrumVelocity;
  }
}

int levelOfVelocity(int velocity) {
  if (velocity > 100) return 3;
  if (velocity >= 50) return 2;
  if (velocity >= 2) return 1;
  return 0;
}

}  // namespace quorvel

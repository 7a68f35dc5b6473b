#include "midifile/MidiInfo.h"

#include <array>

namespace quorvel {

int keyNoteOfSignature(int sf) {
  static constexpr std::array<int, 15> kTonic = {71, 66, 61, 68, 63, 70, 65, 60, 67, 62, 69, 64, 71, 66, 61};
  if (sf < -7 || sf > 7) return -1;
  return kTonic[static_cast<std::size_t>(sf + 7)];
}

}  // namespace quorvel

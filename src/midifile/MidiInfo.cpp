#include "midifile/MidiInfo.h"

#include <array>
#include <cstdlib>

namespace quorvel {

namespace {

constexpr std::array<int, 15> kMajorTonic = {71, 66, 61, 68, 63, 70, 65, 60, 67, 62, 69, 64, 71, 66, 61};
constexpr int kMinorBelowMajor = 3;  // a minor key shares its accidentals with the major a minor third above

}  // namespace

int keyNoteOfSignature(int sf, bool minor) {
  if (sf < -7 || sf > 7) return -1;
  const int major = kMajorTonic[static_cast<std::size_t>(sf + 7)];
  return minor ? 60 + (major - kMinorBelowMajor - 60 + 12) % 12 : major;
}

int signatureOfKey(int keyNote, bool minor) {
  const int pitchClass = ((minor ? keyNote + kMinorBelowMajor : keyNote) % 12 + 12) % 12;
  int best = 0;
  bool found = false;  // every pitch class has at least one signature
  for (int sf = -7; sf <= 7; ++sf) {
    if (kMajorTonic[static_cast<std::size_t>(sf + 7)] % 12 != pitchClass) continue;
    if (!found || std::abs(sf) < std::abs(best)) best = sf;
    found = true;
  }
  return best;
}

}  // namespace quorvel

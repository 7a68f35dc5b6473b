#pragma once
// General MIDI percussion keys grouped into the twelve drum lanes of the score.
#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvel {

// Lane 1..12 of each key, 0 for keys without a lane.
extern const std::array<std::uint8_t, 128> kDrumLaneOfKey;

// Lane 1..12 of a percussion key, or 0 when the key has no lane. Inline: the
// reader asks once per drum event.
inline int laneOfDrumKey(int key) {
  if (key < 0 || key > 127) return 0;
  return kDrumLaneOfKey[static_cast<std::size_t>(key)];
}

}  // namespace quorvel

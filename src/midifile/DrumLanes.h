#pragma once
// General MIDI percussion keys grouped into the twelve drum lanes of the score.
namespace quorvel {

// Lane 1..12 of a percussion key, or 0 when the key has no lane.
int laneOfDrumKey(int key);

}  // namespace quorvel

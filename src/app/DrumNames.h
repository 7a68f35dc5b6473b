#pragma once
// Short names of the General MIDI percussion keys, for the drum lane labels.
namespace quorvel {

// "Kick", "Snare", "HH cl", ...: at most eight characters; empty for keys outside 27..87.
const char* drumShortName(int key);

}  // namespace quorvel

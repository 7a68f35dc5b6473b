#pragma once
// The General MIDI names the Options window offers: the 128 programs and the
// percussion keys 27..87.
#include <string>

namespace quorvel {

inline constexpr int kGmProgramCount = 128;
inline constexpr int kFirstPercussionKey = 27;
inline constexpr int kLastPercussionKey = 87;

// "Acoustic Grand Piano(001)" for program 0 ... "Gunshot(128)" for 127.
std::string programEntry(int program);
// "High Q(27)" ... "Open Surdo(87)".
std::string percussionEntry(int key);

}  // namespace quorvel

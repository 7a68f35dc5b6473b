#pragma once
// Reduces a set of possibly overlapping notes to one line: at every moment the
// highest sounding note wins; a note cut by a higher one resumes when that one
// ends, if its own written span still lasts.
#include <cstdint>

#include "model/NoteSet.h"

namespace quorvel {

struct Score;

// Modes of extractTopLine.
inline constexpr std::uint32_t kTopLineKeepParts = 0x10000;  // codes keep their part bits
inline constexpr std::uint32_t kTopLineSetPart = 0x20000;    // part bits become the given part
inline constexpr std::uint32_t kTopLineNormalised = 0;       // part set, moved to C3 and folded into 36..84

// The key pitch value that stands for the generator's key note.
inline constexpr int kGeneratorKeyPitch = 255;

// Appends the top line of source to target. keyPitch is used by the normalised
// mode only: every emitted key is moved by 60 - keyPitch and then folded by
// octaves into keys 36..84. Drum codes in the source are ignored.
void extractTopLine(const NoteSet& source, NoteSet& target, int part, int keyPitch, std::uint32_t mode);

// keyPitch, or the generator's key note when it is kGeneratorKeyPitch.
int resolveKeyPitch(const Score& s, int keyPitch);

}  // namespace quorvel

#pragma once
// What a read file says about the whole song besides its notes.

namespace quorvel {

struct MidiInfo;
struct Score;

// The file's tempo becomes the song's; its key note and scale become the
// generation settings' (through their own validation). Values the file does
// not carry leave the live ones as they are.
void takeFileHead(Score& s, const MidiInfo& info);

}  // namespace quorvel

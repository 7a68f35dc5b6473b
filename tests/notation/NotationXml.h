#pragma once
// Building small songs and reading pieces of their MusicXML back as text.
#include <string>
#include <vector>

#include "model/Score.h"
#include "notation/MusicXmlExport.h"

namespace quorvel::test {

struct SongNote {
  int part;    // kSopranoSet .. kBassSet
  int start;   // steps from the song's beginning
  int key;
  int length;
};

// A song at 120 bpm in the key given by its key note and mode.
void fillSong(Score& s, const std::vector<SongNote>& notes, int keyNote = 72, int mode = 0);

std::string exportXml(const Score& s, int staves = 4);

// The notes, rests, backups and forwards of one measure of one part (P1..),
// one element per line without the indentation; "" when there is no such measure.
std::string measureBody(const std::string& xml, int part, int measure);

// Lines without their indentation, joined by newlines.
std::string flatten(const std::string& text);

}  // namespace quorvel::test

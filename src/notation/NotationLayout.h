#pragma once
// What the MusicXML file shows, worked out from the song before any XML is
// written: the staves (four voices, or S+A and T+B on two), the drums'
// percussion staff, the notated voices of each staff cut into measures.
#include <string>
#include <vector>

#include "notation/KeySpelling.h"
#include "notation/NotatedVoices.h"

namespace quorvel {
struct Score;
}

namespace quorvel::notation {

enum class Clef { Treble, TrebleOctaveDown, Bass, Percussion };

struct NotatedLine {
  int voiceNumber = 1;
  std::vector<MeasurePieces> measures;
};

struct Staff {
  std::string name;
  Clef clef = Clef::Treble;
  int midiChannel = 1;  // 1..16
  int midiProgram = 1;  // 1..128
  bool drums = false;
  std::vector<int> drumKeys;  // ascending, the keys the drum staff uses
  std::vector<NotatedLine> lines;
};

struct NotationLayout {
  std::string title;
  int tempo = 120;
  KeySignature key;
  int measureCount = 1;
  std::vector<Staff> staves;
};

struct NotationOptions {
  int staves = 4;  // 4: one staff per voice; 2: Soprano with Alto, Tenor with Bass
  std::string title;
};

NotationLayout layoutOf(const Score& s, const NotationOptions& options);

}  // namespace quorvel::notation

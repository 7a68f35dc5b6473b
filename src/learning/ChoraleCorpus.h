#pragma once
// The four-part chorale corpus: steps of [soprano, alto, tenor, bass] MIDI
// keys on a sixteenth-note grid (-1 = silence), kept as JSON, turned into
// four-track MIDI files that the reader opens with the parts assigned.
#include <array>
#include <string>
#include <vector>

#include "base/FileIo.h"

namespace quorvel {

struct Score;

using ChoraleStep = std::array<int, 4>;  // soprano, alto, tenor, bass
using Chorale = std::vector<ChoraleStep>;

struct ChoraleSplit {
  std::string name;  // "train", "valid"
  std::vector<Chorale> chorales;
};

// Parses the corpus text; answers an empty list and sets `error` when it is
// not the expected shape.
std::vector<ChoraleSplit> parseChoraleCorpus(const std::string& jsonText, std::string& error);

// Fills the four part sets of an empty score: equal keys on consecutive steps
// are one held note; the first step lands on the song's beginning.
void choraleIntoScore(const Chorale& chorale, Score& s);

// A format-1 file: conductor, then tracks "Soprano", "Alto", "Tenor", "Bass".
Bytes choraleMidi(const Chorale& chorale);

// Writes OUTDIR/<split>/NNN.mid for every chorale (NNN its index in the
// split, from 000). Answers the number written, or -1 with `error` set.
int writeChoraleCorpus(const std::string& jsonPath, const std::string& outDir, std::string& error);

}  // namespace quorvel

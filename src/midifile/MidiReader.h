#pragma once
// Reads a whole Standard MIDI File into the score: merged into the edited
// part, or track by track into the imported-track sets for the "Open" dialog.
#include <string>
#include <vector>

#include "midifile/MidiInfo.h"
#include "midifile/SmfBytes.h"
#include "model/NoteSet.h"

namespace quorvel {

struct Score;
struct FileSettings;
class Ui;

struct ReadOptions {
  bool merged = false;        // "Always read as format 0."
  bool readDrums = false;     // "Read drums track." (merged only)
  bool removeDuplicates = false;
  bool allAsDrums = false;    // "Read all notes as drums track."
  bool allAsRegular = false;  // "Read all notes as regular track."

  static ReadOptions from(const FileSettings& file);
};

struct ImportedTrack {
  int setIndex = 0;     // 50 down to 19
  int trackNumber = 0;  // 1-based position of the chunk in the file
  std::string name;     // empty when the track has none
  bool melody = false;
  bool drums = false;
  bool drumsOnly() const { return drums && !melody; }
};

struct ImportResult {
  MidiInfo info;
  std::vector<ImportedTrack> tracks;  // track mode: the tracks that hold notes
  bool anyDrums = false;
};

// Reads file bytes; answers 0, or -1 when the header is not usable (the score
// is then untouched).
int readMidiBytes(Score& s, Ui& ui, ByteView file, const ReadOptions& options, ImportResult& result);

// Loads and reads a file, showing the failure messages unless quiet. An empty
// path asks the user for one first. `chosenPath` receives the path read.
int readMidiFile(Score& s, Ui& ui, const std::string& path, bool quiet, ImportResult& result,
                 std::string& chosenPath);

// Removes repeated codes from a set, keeping one of each.
void removeDuplicateCodes(NoteSet& set);

}  // namespace quorvel

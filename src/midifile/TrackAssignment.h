#pragma once
// The model behind the "Open" dialog: which imported track becomes which
// voice, and where the drums come from. Widgets only show and change it.
#include <array>
#include <string>
#include <vector>

namespace quorvel {

struct Score;
struct ImportResult;
class Ui;

struct TrackRow {
  std::string label;
  int setIndex = -1;  // imported set holding the track; -1 for a "None" row
};

struct TrackAssignment {
  static constexpr int kVoiceRows = 4;  // S, A, T, B

  std::vector<TrackRow> voiceRows;       // at least four
  std::array<bool, kVoiceRows> voiceOn{};  // toggles "S", "A", "T", "B"
  std::vector<TrackRow> drumRows;        // "ALL DRUMS" (or "None"), then drum-only tracks
  bool drumsOn = false;                  // toggle "D"
  int drumSource = 0;                    // the drum row last chosen
  int selectedVoice = -1;
  int selectedDrum = -1;

  // Selecting a row in one list clears the selection of the other.
  void selectVoice(int row);
  void selectDrum(int row);
  // Swap the selected voice row with its neighbour; false at the edge.
  bool moveUp();
  bool moveDown();
  // The imported set of the selected row (for preview), or -1.
  int selectedSet() const;
};

// Rows for the dialog: voice tracks by name (or "Track %d"), padded with
// "None" to four; toggles down for the rows that hold a track.
TrackAssignment makeTrackAssignment(const ImportResult& imported, int language);

// "OK": the chosen tracks become the song; the file's tempo, key note and scale
// are taken over. `path` becomes the song's file.
void applyTrackAssignment(Score& s, Ui& ui, const TrackAssignment& model, const ImportResult& imported,
                          const std::string& path);

// "Close": the song stays as it was; the imported tracks are let go.
void discardImport(Score& s);

}  // namespace quorvel

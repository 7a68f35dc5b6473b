#pragma once
// Reading a MIDI file into a score and writing one, the way every
// sub-command does it; failures throw CommandFailed with "PATH: what".
#include <string>

#include "base/SettingsRecord.h"
#include "base/Ui.h"
#include "midifile/MidiReader.h"

namespace quorvel {
struct Score;
}

namespace quorvel::cli {

// Messages go to stderr as "caption: text"; notices are acknowledged and
// questions answered Yes, as a user pressing the default button would.
class ConsoleUi : public Ui {
 public:
  void songStateChanged(const SongState&) override {}
  void setStatus(int, const std::string&) override {}
  MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon,
                       MsgButtons buttons) override;
  void redraw(RedrawTarget) override {}
  void pumpEvents() override {}
  // The "Open" dialog answers OK with the tracks as offered.
  bool runTrackAssignment(TrackAssignment&) override { return true; }
};

// Turns one of the "File" options on or off.
void setFileOption(Score& s, FileOption option, bool on);

// Reads the file with the given options and clips the notes to the timeline;
// the file's tempo, key and scale become the song's.
ImportResult readSong(Score& s, Ui& ui, const std::string& path, const ReadOptions& options);

// Reads the file as the program's "Open" does, with the score's file options
// (the reader's message is shown through the Ui when it is rejected).
void openSong(Score& s, Ui& ui, const std::string& path);

// Writes the voices and the drums as a format-1 file, replacing `path` whole.
void writeSong(const Score& s, const std::string& path);

}  // namespace quorvel::cli

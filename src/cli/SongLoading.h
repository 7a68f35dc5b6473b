#pragma once
// Reading a MIDI file into a score the way the program does, without windows:
// merged, or track by track with every voice track assigned in order and
// "ALL DRUMS" taken.
#include <optional>
#include <string>

#include "base/Ui.h"

namespace quorvel {
struct Score;
}

namespace quorvel::cli {

// Messages go to stderr as "caption: text"; notices are acknowledged and
// questions answered Yes, as a user pressing the default button would.
class ConsoleUi : public Ui {
 public:
  void setWindowTitle(const std::string&) override {}
  void setStatus(int, const std::string&) override {}
  MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon,
                       MsgButtons buttons) override;
  void redraw(RedrawTarget) override {}
  void pumpEvents() override {}
  // The "Open" dialog answers OK with the tracks as offered.
  bool runTrackAssignment(TrackAssignment&) override { return true; }
};

// A whole-number option in low..high, or nullopt.
std::optional<int> intArg(const std::string& text, int low, int high);

// Answers 0, or -1 after the reader's message was shown.
int loadSong(Score& s, Ui& ui, const std::string& path);

}  // namespace quorvel::cli

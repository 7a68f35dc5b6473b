#pragma once
// Reading a MIDI file into a score the way the program does, without windows:
// merged, or track by track with every voice track assigned in order and
// "ALL DRUMS" taken.
#include <string>

#include "app/Ui.h"

namespace quorvel {
struct Score;
}

namespace quorvel::cli {

// Messages go to stderr as "caption: text"; questions get their default answer.
class ConsoleMessagesUi : public Ui {
 public:
  void setWindowTitle(const std::string&) override {}
  void setStatus(int, const std::string&) override {}
  MsgAnswer messageBox(const std::string& text, const std::string& caption, MsgIcon, MsgButtons) override;
  void redraw(RedrawTarget) override {}
  void pumpEvents() override {}
  // The "Open" dialog answers OK with the tracks as offered.
  bool runTrackAssignment(TrackAssignment&) override { return true; }
};

// Answers 0, or -1 after the reader's message was shown.
int loadSong(Score& s, Ui& ui, const std::string& path);

}  // namespace quorvel::cli

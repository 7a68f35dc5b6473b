#include "cli/SongLoading.h"

#include <iostream>

#include "midifile/SongFiles.h"
#include "model/Score.h"

namespace quorvel::cli {

MsgAnswer ConsoleMessagesUi::messageBox(const std::string& text, const std::string& caption, MsgIcon, MsgButtons) {
  std::cerr << caption << ": " << text << "\n";
  return MsgAnswer::Ok;
}

int loadSong(Score& s, Ui& ui, const std::string& path) { return openSongFile(s, ui, path); }

}  // namespace quorvel::cli

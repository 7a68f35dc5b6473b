#include "cli/SongLoading.h"

#include <charconv>
#include <iostream>

#include "midifile/SongFiles.h"
#include "model/Score.h"

namespace quorvel::cli {

MsgAnswer ConsoleUi::messageBox(const std::string& text, const std::string& caption, MsgIcon,
                                MsgButtons buttons) {
  std::cerr << caption << ": " << text << "\n";
  return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::Yes;
}

std::optional<int> intArg(const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

int loadSong(Score& s, Ui& ui, const std::string& path) { return openSongFile(s, ui, path); }

}  // namespace quorvel::cli

#include "cli/SongLoading.h"

#include <iostream>

#include "base/FileIo.h"
#include "cli/Command.h"
#include "midifile/FileHead.h"
#include "midifile/MidiWriter.h"
#include "midifile/SongFiles.h"
#include "model/Score.h"

namespace quorvel::cli {

MsgAnswer ConsoleUi::messageBox(const std::string& text, const std::string& caption, MsgIcon,
                                MsgButtons buttons) {
  std::cerr << caption << ": " << text << "\n";
  return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::Yes;
}

void setFileOption(Score& s, FileOption option, bool on) {
  s.settings.file.options[static_cast<std::size_t>(option)] = storedSwitch(on);
}

ImportResult readSong(Score& s, Ui& ui, const std::string& path, const ReadOptions& options) {
  const auto bytes = readWholeFile(path);
  ImportResult imported;
  if (!bytes || readMidiBytes(s, ui, *bytes, options, imported) != 0)
    throw CommandFailed(path + ": not a readable MIDI file");
  clipToTimeline(s);
  takeFileHead(s, imported.info);
  return imported;
}

void openSong(Score& s, Ui& ui, const std::string& path) {
  if (openSongFile(s, ui, path) != 0) throw CommandFailed(path + ": not a readable MIDI file");
}

void writeSong(const Score& s, const std::string& path) {
  WriteOptions options;
  options.drums = true;
  if (!replaceFileContents(path, writeMidi(s, kSopranoSet, kBassSet, kDrumsView, options)))
    throw CommandFailed(path + ": could not be written");
}

}  // namespace quorvel::cli

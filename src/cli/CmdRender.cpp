// quorvel-cli render: plays a MIDI file through the built-in synth as the
// player would, offline, into a WAV file.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "base/Ui.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/TrackAssignment.h"
#include "model/Score.h"
#include "playback/adapters/SongExport.h"

namespace quorvel::cli {
namespace {

constexpr const char* kUsage = "render IN.mid OUT.wav [--strict] [--tempo 60..240]";


struct Options {
  std::string in;
  std::string out;
  bool strict = false;
  std::optional<int> tempo;
};


std::optional<Options> parseOptions(const Args& args) {
  if (args.size() < 2) return std::nullopt;
  Options o;
  o.in = args[0];
  o.out = args[1];
  for (std::size_t i = 2; i < args.size(); ++i) {
    if (args[i] == "--strict") {
      o.strict = true;
    } else if (args[i] == "--tempo" && i + 1 < args.size()) {
      o.tempo = intArg(args[++i], 60, 240);
      if (!o.tempo) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return o;
}

// Reads the file track by track and takes the "Open" dialog's proposal, as a
// user pressing OK at once would.
bool readSong(const std::string& path, Score& score, Ui& ui) {
  const auto bytes = readWholeFile(path);
  ImportResult imported;
  if (!bytes || readMidiBytes(score, ui, *bytes, ReadOptions::from(score.settings.file), imported) != 0) {
    std::cerr << path << ": not a readable MIDI file\n";
    return false;
  }
  applyTrackAssignment(score, ui, makeTrackAssignment(imported, 0), imported, path);
  clipToTimeline(score);
  return true;
}

// Where the written notes end, so that the whole song plays.
int songEndX(const Score& s) {
  int end = kSongStartX;
  for (int set : {kMelodyView, kDrumsView}) {
    for (NoteCode c : s.noteSets[static_cast<std::size_t>(set)]) {
      const int length = isDrumCode(c) ? drumLength(c) : melodyLength(c);
      end = std::max(end, kStepPixels * (noteStart(c) + length));
    }
  }
  return std::min(end + kStepPixels, kTimelineEndX);
}

int runRender(const Args& args) {
  const std::optional<Options> o = parseOptions(args);
  if (!o) {
    std::cerr << "usage: quorvel-cli " << kUsage << "\n";
    return 2;
  }
  Score score;
  ConsoleUi ui;
  if (!readSong(o->in, score, ui)) return 1;
  if (o->tempo) score.settings.general.tempo = *o->tempo;
  score.cueIndicator = kSongStartX;
  score.endIndicator = songEndX(score);

  PlaySettings settings = playSettingsOf(score);
  settings.playMode = o->strict ? kStrictPlayMode : kNormalPlayMode;
  const SongExportResult result = exportSongAsWav(score, settings, o->out);
  if (result.code != 0) {
    std::cerr << o->out << ": could not be rendered (no General MIDI SoundFont in /usr/share/sounds/sf2, "
                 "or the file cannot be written)\n";
    return 1;
  }
  std::printf("%s: %.1f s, %zu messages\n", o->out.c_str(), result.seconds, result.messages);
  return 0;
}

const Registration kRender("render", kUsage, runRender);

}  // namespace
}  // namespace quorvel::cli

// quorvel-cli render: plays a MIDI file through the built-in synth as the
// player would, offline, into a WAV file.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "midifile/TrackAssignment.h"
#include "model/Score.h"
#include "playback/adapters/SongExport.h"

namespace quorvel::cli {
namespace {

struct RenderOptions {
  std::string in;
  std::string out;
  bool strict = false;
  std::optional<int> tempo;
};

// Reads the file track by track and takes the "Open" dialog's proposal, as a
// user pressing OK at once would.
void readAssigned(const std::string& path, Score& score, Ui& ui) {
  const ImportResult imported = readSong(score, ui, path, ReadOptions::from(score.settings.file));
  applyTrackAssignment(score, ui, makeTrackAssignment(imported, 0), imported, path);
  clipToTimeline(score);
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

void runRender(const RenderOptions& o) {
  Score score;
  ConsoleUi ui;
  readAssigned(o.in, score, ui);
  if (o.tempo) score.settings.general.tempo = *o.tempo;
  score.cueIndicator = kSongStartX;
  score.endIndicator = songEndX(score);

  PlaySettings settings = playSettingsOf(score);
  settings.playMode = o.strict ? kStrictPlayMode : kNormalPlayMode;
  const SongExportResult result = exportSongAsWav(score, settings, o.out);
  if (result.code != 0)
    throw CommandFailed(o.out + ": could not be rendered (no General MIDI SoundFont in /usr/share/sounds/sf2, "
                                "or the file cannot be written)");
  std::printf("%s: %.1f s, %zu messages\n", o.out.c_str(), result.seconds, result.messages);
}

void addRender(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand("render", "Play a MIDI file through the built-in synth into a WAV file");
  auto o = std::make_shared<RenderOptions>();
  cmd->add_option("IN", o->in, "the MIDI file to play")->required();
  cmd->add_option("OUT", o->out, "the WAV file to write")->required();
  cmd->add_flag("--strict", o->strict, "play strict lines (no overlaps within a part)");
  cmd->add_option("--tempo", o->tempo, "beats per minute instead of the file's")->check(CLI::Range(60, 240));
  cmd->callback([o] { runRender(*o); });
}

const Registration kRender(addRender);

}  // namespace
}  // namespace quorvel::cli

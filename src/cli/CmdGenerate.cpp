// quorvel-cli generate: one generation mode, run headless as its toolbar
// button would be, on an empty song or on a MIDI file. The G modes ask the
// generation server; --candidate K shows the K-th candidate of its reply.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "generator/GenerationCommands.h"
#include "model/Score.h"
#include "netgen/NeuralCommands.h"
#include "netgen/adapters/RemoteConnection.h"

namespace quorvel::cli {
namespace {

struct GenerateOptions {
  std::string mode;
  std::string out;
  std::string in;
  std::optional<int> key, scaleMode, beats, part, track;
  std::vector<int> locators;  // empty, or left and right
  std::optional<std::uint32_t> seed;
  std::string server;  // HOST:PORT; empty: QUORVEL_SERVER or this machine
  int candidate = 1;
};

void applyOptions(const GenerateOptions& o, Score& score) {
  auto& melody = score.settings.melody;
  if (o.key) melody[kKeyNote] = *o.key;
  if (o.scaleMode) melody[kMode] = *o.scaleMode;
  if (o.beats) melody[kMelodyLength] = *o.beats;
  if (o.part) score.settings.parts.editPart = *o.part;
  if (!o.locators.empty()) {
    score.leftLocator = o.locators[0];
    score.rightLocator = o.locators[1];
    melody[kBetweenLocators] = kSwitchOn;
  }
}

// Puts the melody notes of the track-th imported track into the active part.
void takeTrack(Score& score, const ImportResult& imported, int track, const std::string& path) {
  int seen = 0;
  for (const ImportedTrack& t : imported.tracks) {
    if (!t.melody || ++seen != track) continue;
    const int part = score.editPart();
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(t.setIndex)]) {
      if (!isDrumCode(c)) addNote(score, part, withLowBits(c, part));
    }
    clipToTimeline(score);
    return;
  }
  throw CommandFailed(path + ": the file has no melody track " + std::to_string(track));
}

// Reads IN.mid: all of it merged into the active part and the drum sets, or
// only one of its melody tracks into the active part.
void readInput(const GenerateOptions& o, Score& score, Ui& ui) {
  ReadOptions read;
  read.merged = !o.track;
  read.readDrums = !o.track;
  const ImportResult imported = readSong(score, ui, o.in, read);
  if (o.track) takeTrack(score, imported, *o.track, o.in);
}

std::filesystem::path programDir() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path(".") : exe.parent_path();
}

void loadDrums(DrumLibrary& library) {
  const auto found = findDrumLibrary(programDir());
  const auto path = found.empty() ? std::filesystem::path("data/drums/patterns.txt") : found;
  std::string error;
  if (loadDrumLibrary(path, library, error) != 0) throw CommandFailed(error);
}

void runGenerate(const GenerateOptions& o) {
  ConsoleUi ui;
  Score score;
  Random random;
  GenerationState state;
  DrumLibrary drums;
  loadDrums(drums);
  applyOptions(o, score);
  if (!o.in.empty()) readInput(o, score, ui);
  applyOptions(o, score);  // the options given win over the tempo and key the file brought
  const std::uint32_t seed = o.seed.value_or(static_cast<std::uint32_t>(steadyMilliseconds()));
  GenerationEnv env{score, ui, random, state, drums, [] { return 0; },
                    o.seed ? MillisecondClock([seed] { return std::int64_t{seed}; }) : steadyMilliseconds};
  const std::int64_t began = steadyMilliseconds();
  std::optional<int> result = runLocalGeneration(env, o.mode);
  if (result) {
    std::cout << "elapsed ms: " << steadyMilliseconds() - began << "\nretries: " << state.lastTries << "\n";
    for (const std::string& line : state.relaxedRules) std::cout << line << "\n";
  } else {
    const ServerAddress address = o.server.empty() ? serverAddressFromEnvironment() : *parseServerAddress(o.server);
    const auto client = makeRemoteClient(address, programDir());
    RemoteState remote;
    NeuralEnv neural{env, remote, *client, {}, {}, {}};
    result = pressNeuralButton(neural, o.mode, o.candidate);
    if (!result) throw CLI::ValidationError("MODE", "\"" + o.mode + "\" is not a generation mode");
    std::cout << "elapsed ms: " << steadyMilliseconds() - began << "\ncandidates: " << candidateCount(remote) << "\n";
  }
  clipToTimeline(score);
  if (*result != 0) throw CommandFailed("nothing was generated");
  writeSong(score, o.out);
}

void addGenerate(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand(
      "generate",
      "Run one generation mode (0to1A .. NtoDA, 0toN, NtoN, or a G mode 0to1G .. NtoDG from the generation server) "
      "and write the song as a MIDI file");
  auto o = std::make_shared<GenerateOptions>();
  cmd->add_option("MODE", o->mode, "the toolbar label of the mode, e.g. 0to1A")->required();
  cmd->add_option("OUT", o->out, "the MIDI file to write")->required();
  cmd->add_option("--in", o->in, "a MIDI file to start from (merged into the active part and the drums)");
  cmd->add_option("--track", o->track, "take only this melody track of --in into the active part")
      ->check(CLI::Range(1, 32))
      ->needs("--in");
  cmd->add_option("--key", o->key, "the key note")->check(CLI::Range(36, 84));
  cmd->add_option("--mode", o->scaleMode, "the scale")->check(CLI::Range(0, 5));
  cmd->add_option("--beats", o->beats, "the melody length in beats")->check(CLI::Range(1, 64));
  cmd->add_option("--part", o->part, "the active part, 0 Soprano .. 3 Bass")->check(CLI::Range(0, 3));
  cmd->add_option("--seed", o->seed, "the random seed, for repeatable results")->check(CLI::Range(0, 2147483647));
  cmd->add_option("--locators", o->locators, "generate between these two locators")
      ->expected(2)
      ->check(CLI::Range(0, kTimelineEndX));
  cmd->add_option("--server", o->server, "the generation server of the G modes, HOST:PORT")
      ->check([](const std::string& text) { return parseServerAddress(text) ? "" : "expected HOST:PORT"; });
  cmd->add_option("--candidate", o->candidate, "show the K-th candidate of the server's reply")
      ->check(CLI::Range(1, kCandidateRows));
  cmd->callback([o] { runGenerate(*o); });
}

const Registration kGenerate(addGenerate);

}  // namespace
}  // namespace quorvel::cli

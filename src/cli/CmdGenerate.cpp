// quorvel-cli generate: one local generation mode, run headless as its
// toolbar button would be, on an empty song or on a MIDI file.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "generator/GenerationCommands.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"

namespace quorvel::cli {
namespace {

constexpr const char* kUsage =
    "generate MODE OUT.mid [--in IN.mid [--track N]] [--key 60] [--mode 0..5] [--beats L] [--part 0..3] "
    "[--seed S] [--locators L R]";


struct Options {
  std::string mode;
  std::string out;
  std::string in;
  std::optional<int> key, scaleMode, beats, part, left, right, track;
  std::optional<std::uint32_t> seed;
};


// Answers the options, or nullopt after printing what is wrong.
std::optional<Options> parseOptions(const Args& args) {
  if (args.size() < 2) return std::nullopt;
  Options o;
  o.mode = args[0];
  o.out = args[1];
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& flag = args[i];
    auto value = [&](int low, int high) -> std::optional<int> {
      if (i + 1 >= args.size()) return std::nullopt;
      return intArg(args[++i], low, high);
    };
    bool ok = true;
    if (flag == "--in" && i + 1 < args.size()) {
      o.in = args[++i];
    } else if (flag == "--track") {
      ok = (o.track = value(1, 32)).has_value();
    } else if (flag == "--key") {
      ok = (o.key = value(36, 84)).has_value();
    } else if (flag == "--mode") {
      ok = (o.scaleMode = value(0, 5)).has_value();
    } else if (flag == "--beats") {
      ok = (o.beats = value(1, 64)).has_value();
    } else if (flag == "--part") {
      ok = (o.part = value(0, 3)).has_value();
    } else if (flag == "--seed") {
      const auto s = value(0, 2147483647);
      ok = s.has_value();
      if (ok) o.seed = static_cast<std::uint32_t>(*s);
    } else if (flag == "--locators") {
      ok = (o.left = value(0, kTimelineEndX)).has_value() && (o.right = value(0, kTimelineEndX)).has_value();
    } else {
      ok = false;
    }
    if (!ok) {
      std::cerr << "quorvel-cli generate: bad or incomplete option \"" << flag << "\"\n";
      return std::nullopt;
    }
  }
  return o;
}

void applyOptions(const Options& o, Score& score) {
  auto& melody = score.settings.melody;
  if (o.key) melody[kKeyNote] = *o.key;
  if (o.scaleMode) melody[kMode] = *o.scaleMode;
  if (o.beats) melody[kMelodyLength] = *o.beats;
  if (o.part) score.settings.parts.editPart = *o.part;
  if (o.left) {
    score.leftLocator = *o.left;
    score.rightLocator = *o.right;
    melody[kBetweenLocators] = 10;
  }
}

// Puts the melody notes of the track-th imported track into the active part.
bool takeTrack(Score& score, const ImportResult& imported, int track) {
  int seen = 0;
  for (const ImportedTrack& t : imported.tracks) {
    if (!t.melody || ++seen != track) continue;
    const int part = score.editPart();
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(t.setIndex)]) {
      if (!isDrumCode(c)) addNote(score, part, withLowBits(c, part));
    }
    return true;
  }
  std::cerr << "the file has no melody track " << track << "\n";
  return false;
}

// Reads IN.mid: all of it merged into the active part and the drum sets, or
// only one of its melody tracks into the active part.
bool readInput(const Options& o, Score& score, Ui& ui) {
  const auto bytes = readWholeFile(o.in);
  ReadOptions read;
  read.merged = !o.track;
  read.readDrums = !o.track;
  ImportResult imported;
  if (!bytes || readMidiBytes(score, ui, *bytes, read, imported) != 0) {
    std::cerr << o.in << ": not a readable MIDI file\n";
    return false;
  }
  if (o.track && !takeTrack(score, imported, *o.track)) return false;
  clipToTimeline(score);
  return true;
}

bool loadDrums(DrumLibrary& library) {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  const auto path = findDrumLibrary(ec ? std::filesystem::path(".") : exe.parent_path());
  std::string error;
  if (loadDrumLibrary(path.empty() ? std::filesystem::path("data/drums/patterns.txt") : path, library, error) == 0)
    return true;
  std::cerr << error << "\n";
  return false;
}

int runGenerate(const Args& args) {
  const std::optional<Options> options = parseOptions(args);
  if (!options) {
    std::cerr << "usage: quorvel-cli " << kUsage << "\n";
    return 2;
  }
  ConsoleUi ui;
  Score score;
  Random random;
  GenerationState state;
  DrumLibrary drums;
  if (!loadDrums(drums)) return 1;
  applyOptions(*options, score);
  if (!options->in.empty() && !readInput(*options, score, ui)) return 1;
  const std::uint32_t seed = options->seed.value_or(static_cast<std::uint32_t>(steadyMilliseconds()));
  GenerationEnv env{score, ui, random, state, drums, [] { return 0; },
                    options->seed ? MillisecondClock([seed] { return std::int64_t{seed}; }) : steadyMilliseconds};
  const std::int64_t began = steadyMilliseconds();
  const std::optional<int> result = runLocalGeneration(env, options->mode);
  if (!result) {
    std::cerr << "quorvel-cli generate: \"" << options->mode << "\" is not a local generation mode\n";
    return 2;
  }
  clipToTimeline(score);
  std::cout << "elapsed ms: " << steadyMilliseconds() - began << "\nretries: " << state.lastTries << "\n";
  if (*result != 0) return 1;
  WriteOptions write;
  write.drums = true;
  if (!replaceFileContents(options->out, writeMidi(score, kSopranoSet, kBassSet, kDrumsView, write))) {
    std::cerr << options->out << ": could not be written\n";
    return 1;
  }
  return 0;
}

const Registration kGenerate("generate", kUsage, runGenerate);

}  // namespace
}  // namespace quorvel::cli

// Counter lines ("1to1A", "1to2A", "1to3A") under real melodies, through the
// command as a user runs it: the openmsx game tunes brought into shape by
// "regulate" (written and read again, merged into the Soprano), and the
// sopranos of the chorale corpus, each with its detected key. One iteration
// runs every song once; the counters give the share that succeeded to the
// song's end, how many needed a rule relaxed, and the median, 95th
// percentile and maximum time per song as the thread's CPU time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "OpenmsxSongs.h"
#include "base/QuietUi.h"
#include "base/FileIo.h"
#include "generator/GenerationCommands.h"
#include "midifile/FileHead.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"
#include "tools/KeyTools.h"
#include "tools/RegulateChain.h"

namespace {

namespace fs = std::filesystem;
using namespace quorvel;

using bench::kOpenmsxFolder;
using bench::midiFilesIn;
const fs::path kChorales = fs::path(QUORVEL_SOURCE_DIR) / "data" / "corpus" / "chorales" / "valid";

bool readInto(Score& score, Ui& ui, ByteView bytes, const ReadOptions& options) {
  ImportResult imported;
  if (readMidiBytes(score, ui, bytes, options, imported) != 0) return false;
  clipToTimeline(score);
  takeFileHead(score, imported.info);
  return true;
}

// As "quorvel-cli regulate", then "generate --in" (merged) with the key
// that "quorvel-cli key" detects.
bool loadRegulated(Score& score, Ui& ui, const fs::path& file) {
  const auto bytes = readWholeFile(file.string());
  if (!bytes) return false;
  ReadOptions merged;
  merged.merged = true;
  merged.readDrums = true;
  auto raw = std::make_unique<Score>();
  if (!readInto(*raw, ui, *bytes, merged) || !regulateSong(*raw, ui)) return false;
  WriteOptions write;
  write.drums = true;
  const Bytes regulated = writeMidi(*raw, kSopranoSet, kBassSet, kDrumsView, write);
  return readInto(score, ui, regulated, merged) && detectKey(score, ui, true);
}

// As "generate --in CHORALE --track 1": the soprano alone in the Soprano.
bool loadSoprano(Score& score, Ui& ui, const fs::path& file) {
  const auto bytes = readWholeFile(file.string());
  if (!bytes) return false;
  ImportResult imported;
  if (readMidiBytes(score, ui, *bytes, ReadOptions{}, imported) != 0) return false;
  clipToTimeline(score);
  takeFileHead(score, imported.info);
  for (const ImportedTrack& t : imported.tracks) {
    if (!t.melody) continue;
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(t.setIndex)])
      if (!isDrumCode(c)) addNote(score, kSopranoSet, withLowBits(c, kSopranoSet));
    break;
  }
  clipToTimeline(score);
  return detectKey(score, ui, true).has_value();
}

double threadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

// Every melody note has a note of every lower voice starting with it.
bool complete(const Score& score, int voices) {
  std::set<int> starts;
  for (NoteCode c : score.noteSets[kSopranoSet]) starts.insert(noteStart(c));
  for (int k = 1; k < voices; ++k) {
    std::set<int> voiceStarts;
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(kSopranoSet - k)]) voiceStarts.insert(noteStart(c));
    if (voiceStarts != starts) return false;
  }
  return true;
}

struct Run {
  bool ok = false;
  double cpuMs = 0;
  std::size_t relaxedPlaces = 0;
};

Run runOne(const fs::path& file, bool chorale, const char* mode, int voices) {
  QuietUi ui;
  auto score = std::make_unique<Score>();
  if (!(chorale ? loadSoprano(*score, ui, file) : loadRegulated(*score, ui, file))) return {};
  Random random;
  GenerationState state;
  DrumLibrary drums;
  GenerationEnv env{*score, ui, random, state, drums, [] { return 0; }, [] { return std::int64_t{4242}; }};
  score->setFlag(kFlagUntouchedResult);
  const double c0 = threadCpuMs();
  const std::optional<int> result = runLocalGeneration(env, mode);
  Run run;
  run.cpuMs = threadCpuMs() - c0;
  run.ok = result && *result == 0 && complete(*score, voices);
  run.relaxedPlaces = state.relaxedRules.size();
  return run;
}

void BM_CounterSongs(benchmark::State& state) {
  static const char* kModes[] = {"1to1A", "1to2A", "1to3A"};
  const int voices = static_cast<int>(state.range(0));
  const bool chorales = state.range(1) != 0;
  const auto files = midiFilesIn(chorales ? kChorales : kOpenmsxFolder);
  if (files.empty()) {
    state.SkipWithError("no songs installed");
    return;
  }
  std::vector<double> ms;
  int successes = 0, relaxedSongs = 0;
  std::size_t relaxedPlaces = 0;
  for (auto _ : state) {
    for (const fs::path& file : files) {
      const Run run = runOne(file, chorales, kModes[voices - 2], voices);
      ms.push_back(run.cpuMs);
      successes += run.ok;
      relaxedSongs += run.relaxedPlaces > 0;
      relaxedPlaces += run.relaxedPlaces;
    }
  }
  state.SetLabel(std::string(kModes[voices - 2]) + (chorales ? " chorale sopranos" : " openmsx regulated"));
  state.counters["songs"] = static_cast<double>(files.size());
  state.counters["success_pct"] = 100.0 * successes / static_cast<double>(ms.size());
  state.counters["relaxed_songs"] = relaxedSongs;
  state.counters["relaxed_places"] = static_cast<double>(relaxedPlaces);
  state.counters["median_ms"] = percentile(ms, 0.5);
  state.counters["p95_ms"] = percentile(ms, 0.95);
  state.counters["max_ms"] = percentile(ms, 1.0);
}

BENCHMARK(BM_CounterSongs)
    ->ArgsProduct({{2, 3, 4}, {0, 1}})
    ->ArgNames({"voices", "chorales"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

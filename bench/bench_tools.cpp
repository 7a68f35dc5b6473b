// Speed of the score tools: key detection and the regulating chain on the
// largest openmsx song and on a dense synthetic song of 10,000 notes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "OpenmsxSongs.h"
#include "base/QuietUi.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "model/Random.h"
#include "model/Score.h"
#include "tools/BarTools.h"
#include "tools/KeyTools.h"
#include "tools/RegulateChain.h"

namespace quorvel {
namespace {

std::string largestOpenmsxSong() {
  std::string largest;
  std::uintmax_t size = 0;
  for (const auto& path : bench::midiFilesIn(bench::kOpenmsxFolder)) {
    if (std::filesystem::file_size(path) > size) {
      size = std::filesystem::file_size(path);
      largest = path.string();
    }
  }
  return largest;
}

// The song's melody as it is after a merged read; empty when the file is missing.
NoteSet openmsxMelody(const std::string& path) {
  Score s;
  QuietUi ui;
  const auto bytes = readWholeFile(path);
  ReadOptions options;
  options.merged = true;
  ImportResult result;
  if (!bytes || readMidiBytes(s, ui, *bytes, options, result) != 0) return {};
  clipToTimeline(s);
  return s.noteSets[kMelodyView];
}

// Ten thousand Soprano notes spread over the timeline, chords and overlaps included.
NoteSet denseMelody() {
  Random random(7);
  NoteSet notes;
  while (notes.size() < 10000) {
    const int start = 2 + random.next() % 4300;
    notes.insert(makeMelodyNote(start, 40 + random.next() % 50, 1 + random.next() % 24, kSopranoSet));
  }
  return notes;
}

void load(Score& s, const NoteSet& melody) {
  for (int set = 0; set < kNoteSetCount; ++set) s.noteSets[static_cast<std::size_t>(set)].clear();
  s.noteSets[kSopranoSet] = melody;
  s.noteSets[kMelodyView] = melody;
  s.settings.melody[kKeyNote] = 72;
}

void detectOn(benchmark::State& state, const NoteSet& melody) {
  if (melody.empty()) {
    state.SkipWithError("no song");
    return;
  }
  Score s;
  QuietUi ui;
  load(s, melody);
  for (auto _ : state) benchmark::DoNotOptimize(detectKey(s, ui, false));
  state.counters["notes"] = static_cast<double>(melody.size());
}

void chainOn(benchmark::State& state, const NoteSet& melody) {
  if (melody.empty()) {
    state.SkipWithError("no song");
    return;
  }
  Score s;
  QuietUi ui;
  for (auto _ : state) {
    state.PauseTiming();
    load(s, melody);
    state.ResumeTiming();
    benchmark::DoNotOptimize(regulateSong(s, ui));
  }
  state.counters["notes"] = static_cast<double>(melody.size());
}

void BM_DetectKeyLargestOpenmsx(benchmark::State& state) { detectOn(state, openmsxMelody(largestOpenmsxSong())); }
void BM_ChainLargestOpenmsx(benchmark::State& state) { chainOn(state, openmsxMelody(largestOpenmsxSong())); }
void BM_DetectKeyDense10k(benchmark::State& state) { detectOn(state, denseMelody()); }
void BM_ChainDense10k(benchmark::State& state) { chainOn(state, denseMelody()); }

BENCHMARK(BM_DetectKeyLargestOpenmsx)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChainLargestOpenmsx)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DetectKeyDense10k)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChainDense10k)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvel

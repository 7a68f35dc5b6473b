// Reading the installed General MIDI songs into the score's note sets:
// MIDI bytes per second and files per second on one core.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "OpenmsxSongs.h"
#include "base/QuietUi.h"
#include "midifile/MidiReader.h"
#include "model/Score.h"

namespace {

using namespace quorvel;
using bench::openmsxSongs;

void readAll(benchmark::State& state, bool merged) {
  QuietUi ui;
  auto score = std::make_unique<Score>();
  ReadOptions options;
  options.merged = merged;
  options.readDrums = merged;
  std::size_t bytes = 0;
  for (const Bytes& f : openmsxSongs()) bytes += f.size();
  if (openmsxSongs().empty()) state.SkipWithError("openttd-openmsx is not installed");
  for (auto _ : state) {
    for (const Bytes& f : openmsxSongs()) {
      ImportResult result;
      benchmark::DoNotOptimize(readMidiBytes(*score, ui, f, options, result));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * openmsxSongs().size()));
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(state.iterations() * openmsxSongs().size()),
                                                 benchmark::Counter::kIsRate);
}

void BM_ReadOpenmsxTrackByTrack(benchmark::State& state) { readAll(state, false); }
void BM_ReadOpenmsxMerged(benchmark::State& state) { readAll(state, true); }

}  // namespace

BENCHMARK(BM_ReadOpenmsxTrackByTrack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOpenmsxMerged)->Unit(benchmark::kMillisecond);

// Reading the installed General MIDI songs into the score's note sets:
// MIDI bytes per second and files per second on one core.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "SilentUi.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "model/Score.h"

namespace {

using namespace quorvel;

using bench::SilentUi;

const std::vector<Bytes>& songs() {
  static const std::vector<Bytes> loaded = [] {
    std::vector<std::string> paths;
    for (const auto& e : std::filesystem::directory_iterator("/usr/share/games/openttd/baseset/openmsx"))
      if (e.path().extension() == ".mid") paths.push_back(e.path().string());
    std::sort(paths.begin(), paths.end());
    std::vector<Bytes> files;
    for (const auto& p : paths)
      if (auto b = readWholeFile(p)) files.push_back(std::move(*b));
    return files;
  }();
  return loaded;
}

void readAll(benchmark::State& state, bool merged) {
  SilentUi ui;
  auto score = std::make_unique<Score>();
  ReadOptions options;
  options.merged = merged;
  options.readDrums = merged;
  std::size_t bytes = 0;
  for (const Bytes& f : songs()) bytes += f.size();
  if (songs().empty()) state.SkipWithError("openttd-openmsx is not installed");
  for (auto _ : state) {
    for (const Bytes& f : songs()) {
      ImportResult result;
      benchmark::DoNotOptimize(readMidiBytes(*score, ui, f, options, result));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * songs().size()));
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(state.iterations() * songs().size()),
                                                 benchmark::Counter::kIsRate);
}

void BM_ReadOpenmsxTrackByTrack(benchmark::State& state) { readAll(state, false); }
void BM_ReadOpenmsxMerged(benchmark::State& state) { readAll(state, true); }

}  // namespace

BENCHMARK(BM_ReadOpenmsxTrackByTrack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOpenmsxMerged)->Unit(benchmark::kMillisecond);

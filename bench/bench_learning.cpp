// Learning-data tools over the installed General MIDI songs: type-0 learning
// schedules and the MIDI file analysis, in files per second on one core, and
// the schedules on two threads through the ordered batch.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "OpenmsxSongs.h"
#include "learning/AnalysisOutputs.h"
#include "learning/FolderAnalysis.h"
#include "learning/OrderedBatch.h"
#include "learning/ScheduleConverter.h"
#include "model/Score.h"

namespace {

using namespace quorvel;
using bench::openmsxSongs;

void countFiles(benchmark::State& state) {
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(state.iterations() * openmsxSongs().size()),
                                                 benchmark::Counter::kIsRate);
}

void BM_ScheduleType0OneCore(benchmark::State& state) {
  if (openmsxSongs().empty()) state.SkipWithError("openttd-openmsx is not installed");
  auto work = std::make_unique<Score>();
  for (auto _ : state) {
    for (const Bytes& f : openmsxSongs()) {
      ScheduleTexts out;
      benchmark::DoNotOptimize(convertToSchedule(*work, f, LearningType::OnePart, out));
    }
  }
  countFiles(state);
}

// The batch as the command line runs it, files already in memory: wall time.
void BM_ScheduleType0Threads(benchmark::State& state) {
  const unsigned threads = static_cast<unsigned>(state.range(0));
  std::vector<std::unique_ptr<Score>> work;
  for (unsigned i = 0; i < threads; ++i) work.push_back(std::make_unique<Score>());
  constexpr std::size_t kRounds = 8;  // enough files per run to keep both threads busy
  const std::size_t count = openmsxSongs().size() * kRounds;
  for (auto _ : state) {
    std::size_t bytes = 0;
    OrderedBatch<ScheduleTexts>::run(
        count, threads,
        [&](std::size_t i, unsigned worker) {
          ScheduleTexts out;
          convertToSchedule(*work[worker], openmsxSongs()[i % openmsxSongs().size()], LearningType::OnePart, out);
          return out;
        },
        [&](std::size_t, ScheduleTexts& t) { bytes += t.files[0].size(); });
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["files/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * count), benchmark::Counter::kIsRate);
}

void BM_AnalysisOneCore(benchmark::State& state) {
  if (openmsxSongs().empty()) state.SkipWithError("openttd-openmsx is not installed");
  auto work = std::make_unique<Score>();
  for (auto _ : state) {
    for (const Bytes& f : openmsxSongs()) {
      SongAnalysis analysis;
      analyseBytes(*work, f, analysis);
      benchmark::DoNotOptimize(analysisOutputs(analysis, "song.mid", *work));
    }
  }
  countFiles(state);
}

}  // namespace

BENCHMARK(BM_ScheduleType0OneCore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScheduleType0Threads)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisOneCore)->Unit(benchmark::kMillisecond);

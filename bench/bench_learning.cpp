// Learning-data tools over the installed General MIDI songs: type-0 learning
// schedules and the MIDI file analysis, in files per second on one core, and
// the schedules on two threads through the ordered batch.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/FileIo.h"
#include "learning/AnalysisOutputs.h"
#include "learning/FolderAnalysis.h"
#include "learning/OrderedBatch.h"
#include "learning/ScheduleConverter.h"
#include "model/Score.h"

namespace {

using namespace quorvel;

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

void countFiles(benchmark::State& state) {
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(state.iterations() * songs().size()),
                                                 benchmark::Counter::kIsRate);
}

void BM_ScheduleType0OneCore(benchmark::State& state) {
  if (songs().empty()) state.SkipWithError("openttd-openmsx is not installed");
  auto work = std::make_unique<Score>();
  for (auto _ : state) {
    for (const Bytes& f : songs()) {
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
  const std::size_t count = songs().size() * kRounds;
  for (auto _ : state) {
    std::size_t bytes = 0;
    OrderedBatch<ScheduleTexts>::run(
        count, threads,
        [&](std::size_t i, unsigned worker) {
          ScheduleTexts out;
          convertToSchedule(*work[worker], songs()[i % songs().size()], LearningType::OnePart, out);
          return out;
        },
        [&](std::size_t, ScheduleTexts& t) { bytes += t.files[0].size(); });
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["files/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * count), benchmark::Counter::kIsRate);
}

void BM_AnalysisOneCore(benchmark::State& state) {
  if (songs().empty()) state.SkipWithError("openttd-openmsx is not installed");
  auto work = std::make_unique<Score>();
  for (auto _ : state) {
    for (const Bytes& f : songs()) {
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

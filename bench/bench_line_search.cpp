// Time per evoked-lines request of the rule-based composer, run straight on
// the engine with the driver's retry limits (N = 2: 100, 3: 800, 4: 1000).
// Every iteration is one request with its own seed; the counters give the
// success rate and the median and 95th-percentile time per request, both as
// the thread's CPU time (what one core spends) and as wall time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

#include "generator/GenerationVoices.h"
#include "generator/LineSearch.h"

namespace {

using quorvel::GeneratorContext;
using quorvel::VoiceLine;

// One try: the melody, then each lower voice in the driver's order.
bool tryOnce(GeneratorContext& ctx, const std::vector<quorvel::VoiceSearch>& voices) {
  if (quorvel::generateMelody(ctx) != quorvel::kSearchSuccess) return false;
  for (quorvel::VoiceSearch search : voices)
    if (search(ctx) != quorvel::kSearchSuccess) return false;
  return true;
}

bool runRequest(int voices, int length, std::uint32_t seed) {
  std::array<VoiceLine, 4> lines;
  for (auto& l : lines) l.assign(static_cast<std::size_t>(length), -1);
  quorvel::MelodySettings settings;
  settings[quorvel::kKeyNote] = 60;
  settings[quorvel::kMode] = static_cast<int>(seed % 6);
  quorvel::Random random(seed);
  auto ctx = std::make_unique<GeneratorContext>();
  quorvel::prepareContext(*ctx, settings, length, {&lines[0], &lines[1], &lines[2], &lines[3]}, voices, random);
  const std::vector<quorvel::VoiceSearch> lower = quorvel::lowerVoices(voices);
  const int tries = voices == 1 ? 1 : quorvel::retryLimitFor(voices);
  for (int t = 0; t < tries; ++t)
    if (tryOnce(*ctx, lower)) return true;
  return false;
}

double threadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

void BM_EvokedLines(benchmark::State& state) {
  const int voices = static_cast<int>(state.range(0));
  const int length = static_cast<int>(state.range(1));
  std::vector<double> wallMs, cpuMs;
  int successes = 0;
  std::uint32_t seed = 1;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = threadCpuMs();
    const bool ok = runRequest(voices, length, seed * 2654435761u);
    cpuMs.push_back(threadCpuMs() - c0);
    wallMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    successes += ok;
    ++seed;
  }
  state.counters["success_pct"] = 100.0 * successes / static_cast<double>(cpuMs.size());
  state.counters["cpu_median_ms"] = percentile(cpuMs, 0.5);
  state.counters["cpu_p95_ms"] = percentile(cpuMs, 0.95);
  state.counters["wall_median_ms"] = percentile(wallMs, 0.5);
  state.counters["wall_p95_ms"] = percentile(wallMs, 0.95);
}

void requests(benchmark::internal::Benchmark* b) {
  for (int voices = 1; voices <= 4; ++voices)
    for (int length : {16, 32, 64}) b->Args({voices, length});
}

BENCHMARK(BM_EvokedLines)->Apply(requests)->Iterations(200)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

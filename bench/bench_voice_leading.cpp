// The voice-leading check over the four-part chorale corpus as files
// (data/corpus/chorales/*/*.mid, read as the "Open" command reads them): how
// often the chorales themselves break each rule, printed once as a table,
// and how long the check takes per chorale on one core.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/QuietUi.h"
#include "midifile/SongFiles.h"
#include "model/Score.h"
#include "tools/VoiceLeading.h"

namespace {

using namespace quorvel;

// Takes the tracks as the "Open" dialog offers them.
class AcceptingUi : public QuietUi {
 public:
  bool runTrackAssignment(TrackAssignment&) override { return true; }
};

std::vector<std::string> choralePaths() {
  std::vector<std::string> paths;
  const std::filesystem::path root = std::filesystem::path(QUORVEL_SOURCE_DIR) / "data/corpus/chorales";
  std::error_code ec;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root, ec))
    if (e.path().extension() == ".mid") paths.push_back(e.path().string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

const std::vector<std::unique_ptr<Score>>& chorales() {
  static const auto loaded = [] {
    std::vector<std::unique_ptr<Score>> scores;
    AcceptingUi ui;
    for (const std::string& path : choralePaths()) {
      auto score = std::make_unique<Score>();
      score->settings.file.options[static_cast<std::size_t>(kReadFormat0)] = 0;
      if (openSongFile(*score, ui, path) == 0) scores.push_back(std::move(score));
    }
    return scores;
  }();
  return loaded;
}

void printRuleTable() {
  std::array<long, kVoiceRuleCount> findings{};
  std::array<int, kVoiceRuleCount> choralesBreaking{};
  long bars = 0;
  for (const auto& score : chorales()) {
    const auto counts = countByRule(checkVoiceLeading(*score, 4));
    for (int r = 0; r < kVoiceRuleCount; ++r) {
      findings[static_cast<std::size_t>(r)] += counts[static_cast<std::size_t>(r)];
      choralesBreaking[static_cast<std::size_t>(r)] += counts[static_cast<std::size_t>(r)] > 0;
    }
    int lastStep = 0;
    for (int part = kBassSet; part <= kSopranoSet; ++part)
      for (NoteCode c : score->noteSets[static_cast<std::size_t>(part)])
        lastStep = std::max(lastStep, noteStart(c) + melodyLength(c));
    bars += barOf(lastStep - 1);
  }
  const double count = static_cast<double>(chorales().size());
  std::printf("%zu chorales, %ld bars\n%-62s %8s %10s %12s\n", chorales().size(), bars, "rule", "found",
              "per 100 bars", "chorales %");
  for (int r = 0; r < kVoiceRuleCount; ++r) {
    const auto i = static_cast<std::size_t>(r);
    std::printf("%-62s %8ld %10.1f %12.1f\n", ruleText(static_cast<VoiceRule>(r), 0).c_str(), findings[i],
                100.0 * static_cast<double>(findings[i]) / static_cast<double>(std::max(1L, bars)),
                100.0 * choralesBreaking[i] / std::max(1.0, count));
  }
}

void BM_CheckChorales(benchmark::State& state) {
  if (chorales().empty()) {
    state.SkipWithError("no chorale could be read from data/corpus/chorales");
    return;
  }
  static const bool printed = (printRuleTable(), true);
  (void)printed;
  for (auto _ : state)
    for (const auto& score : chorales()) benchmark::DoNotOptimize(checkVoiceLeading(*score, 4));
  state.counters["chorales/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * chorales().size()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_CheckChorales)->Unit(benchmark::kMillisecond);

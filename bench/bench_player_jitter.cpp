// Plays 30 s of the densest openmsx song into a recording sink and reports how
// far the player's ticks stray from the ideal schedule, and the CPU it uses.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "SilentUi.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/TrackAssignment.h"
#include "model/Score.h"
#include "playback/Player.h"
#include "playback/RecordingMidiOut.h"

namespace quorvel {
namespace {

constexpr char kSongFolder[] = "/usr/share/games/openttd/baseset/openmsx";
constexpr auto kPlayTime = std::chrono::seconds(30);

using bench::SilentUi;

class RecordingDevices : public DeviceCatalog {
 public:
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
  int deviceCount() override { return 1; }
  std::string deviceName(int) override { return kBuiltInSynthName; }
  std::unique_ptr<MidiOut> openDevice(int) override { return std::make_unique<RecordingMidiOut>(log); }
};

bool loadSong(const std::filesystem::path& path, Score& s) {
  SilentUi ui;
  const auto bytes = readWholeFile(path.string());
  ImportResult imported;
  if (!bytes || readMidiBytes(s, ui, *bytes, ReadOptions::from(s.settings.file), imported) != 0) return false;
  applyTrackAssignment(s, ui, makeTrackAssignment(imported, 0), imported, path.string());
  clipToTimeline(s);
  return true;
}

std::size_t noteCount(const Score& s) { return s.noteSets[kMelodyView].size() + s.noteSets[kDrumsView].size(); }

std::filesystem::path densestSong() {
  std::filesystem::path best;
  std::size_t most = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kSongFolder)) {
    if (entry.path().extension() != ".mid") continue;
    Score s;
    if (loadSong(entry.path(), s) && noteCount(s) > most) {
      most = noteCount(s);
      best = entry.path();
    }
  }
  return best;
}

double processCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Distance of each tick that sent something from the ideal schedule: ticks
// tickMs apart, at the phase most ticks keep (the first tick may start late).
std::vector<double> tickDeviations(const std::vector<TimedMessage>& log, double tickMs) {
  std::vector<double> offsets;
  double lastTick = -tickMs;
  for (const TimedMessage& m : log) {
    if (m.ms - lastTick < tickMs / 2) continue;  // the same tick's other messages
    lastTick = m.ms;
    const double elapsed = m.ms - log.front().ms;
    offsets.push_back(elapsed - std::round(elapsed / tickMs) * tickMs);
  }
  if (offsets.empty()) return offsets;
  std::vector<double> sorted = offsets;
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
  const double phase = sorted[sorted.size() / 2];
  std::vector<double> deviations;
  for (double o : offsets) {
    const double d = o - phase;
    deviations.push_back(std::abs(d - std::round(d / tickMs) * tickMs));
  }
  std::sort(deviations.begin(), deviations.end());
  return deviations;
}

void BM_PlayerJitter(benchmark::State& state) {
  const std::filesystem::path song = densestSong();
  Score score;
  if (song.empty() || !loadSong(song, score)) {
    state.SkipWithError("no openmsx song could be read");
    return;
  }
  score.cueIndicator = kSongStartX;
  score.endIndicator = kTimelineEndX;
  RecordingDevices devices;
  Player player(score, devices);
  player.startOutputThread();
  player.startPlayerThread();
  const double tickMs = playSettingsOf(score).tickMs();

  double cpu = 0.0;
  for (auto _ : state) {
    devices.log->clear();
    const double cpuBefore = processCpuSeconds();
    player.play();
    std::this_thread::sleep_for(kPlayTime);
    player.pause();
    cpu = processCpuSeconds() - cpuBefore;
  }
  const std::vector<double> d = tickDeviations(devices.log->snapshot(), tickMs);
  if (d.empty()) {
    state.SkipWithError("the song sent nothing");
    return;
  }
  state.SetLabel(song.filename().string());
  state.counters["ticks_measured"] = double(d.size());
  state.counters["tick_ms"] = tickMs;
  state.counters["jitter_median_ms"] = d[d.size() / 2];
  state.counters["jitter_p99_ms"] = d[std::min(d.size() - 1, d.size() * 99 / 100)];
  state.counters["jitter_max_ms"] = d.back();
  state.counters["cpu_percent_of_core"] = 100.0 * cpu / std::chrono::duration<double>(kPlayTime).count();
}

BENCHMARK(BM_PlayerJitter)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace quorvel

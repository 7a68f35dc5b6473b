// How well playback keeps time, as root and as an ordinary user, on a quiet
// machine and with both cores loaded by spinning processes of its own:
//  - tick jitter: 30 s of the densest openmsx song into a recording sink,
//    each tick that sent something against the ideal schedule, and the CPU
//    the player uses;
//  - onset error: a click on every beat or two played live into the built-in
//    synth, whose audio callback is driven by a thread that renders periods
//    into memory on the clock, as a sound card pulls them; each click's
//    audible onset in the samples against the score's beat grid.
// Each case runs in a child process; as root the user cases drop to nobody,
// who gets real-time scheduling only where RealtimeKit runs and grants it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "ChildRun.h"
#include "OpenmsxSongs.h"
#include "base/QuietUi.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/TrackAssignment.h"
#include "model/Score.h"
#include "playback/Player.h"
#include "playback/RecordingMidiOut.h"
#include "playback/ThreadPriority.h"
#include "playback/adapters/FluidSynthEngine.h"
#include "playback/adapters/RealtimeKitBroker.h"
#include "playback/adapters/SynthScheduler.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using bench::Who;

constexpr auto kPlayTime = std::chrono::seconds(30);
constexpr int kClicks = 60;
constexpr double kMinClickSpacingMs = 300.0;  // the click's ring has died away by the next
constexpr int kWoodblock = 115;
constexpr int kPeriodFrames = 256;  // one audio callback: 5.8 ms
constexpr unsigned kLoadProcesses = 4;  // two spinning processes on each of the two cores
constexpr unsigned kLoadBoundSeconds = 180;

// Counts the threads RealtimeKit made real-time.
class CountingRealtimeKit : public RealtimeBroker {
 public:
  bool makeThreadRealtime(long threadId, int priority) override {
    const bool granted = inner_.makeThreadRealtime(threadId, priority);
    if (granted) ++grants_;
    return granted;
  }
  int grants() const { return grants_.load(); }

 private:
  RealtimeKitBroker inner_;
  std::atomic<int> grants_{0};
};

class RecordingDevices : public DeviceCatalog {
 public:
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
  int deviceCount() override { return 1; }
  std::string deviceName(int) override { return kBuiltInSynthName; }
  std::unique_ptr<MidiOut> openDevice(int) override { return std::make_unique<RecordingMidiOut>(log); }
};

// The built-in synth with its scheduler, and a thread in place of the sound
// card: it renders one period whenever the clock says the card wants one.
class RenderedSynth : public MidiOut {
 public:
  RenderedSynth(std::unique_ptr<FluidSynthEngine> engine, ThreadPolicy& policy,
                std::shared_ptr<std::vector<float>> audio)
      : engine_(std::move(engine)), scheduler_(*engine_), audio_(std::move(audio)) {
    audio_->reserve(static_cast<std::size_t>(FluidSynthEngine::kSampleRate * 120));
    thread_ = std::thread([this, &policy] { pull(policy); });
  }
  ~RenderedSynth() override {
    quit_.store(true);
    thread_.join();
  }
  int send(std::uint32_t message) override {
    engine_->dispatch(message);
    return 0;
  }
  int sendAt(std::uint32_t message, DueTime due) override {
    scheduler_.post(message, due);
    return 0;
  }
  void reset() override {
    scheduler_.dropPending();
    engine_->reset();
  }

 private:
  void pull(ThreadPolicy& policy) {
    policy.raiseCurrentThread();
    std::vector<float> left(kPeriodFrames), right(kPeriodFrames);
    const auto start = std::chrono::steady_clock::now();
    const auto period = std::chrono::duration<double>(kPeriodFrames / FluidSynthEngine::kSampleRate);
    for (long k = 0; !quit_.load(); ++k) {
      std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::nanoseconds>(k * period));
      std::fill(left.begin(), left.end(), 0.0f);
      std::fill(right.begin(), right.end(), 0.0f);
      scheduler_.render(kPeriodFrames, left.data(), right.data());
      audio_->insert(audio_->end(), left.begin(), left.end());
    }
  }

  std::unique_ptr<FluidSynthEngine> engine_;
  SynthScheduler scheduler_;
  std::shared_ptr<std::vector<float>> audio_;  // the left channel
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

class RenderedDevices : public DeviceCatalog {
 public:
  explicit RenderedDevices(ThreadPolicy& policy) : policy_(policy) {}
  std::shared_ptr<std::vector<float>> audio = std::make_shared<std::vector<float>>();
  int deviceCount() override { return 1; }
  std::string deviceName(int) override { return kBuiltInSynthName; }
  std::unique_ptr<MidiOut> openDevice(int) override {
    std::unique_ptr<FluidSynthEngine> engine = FluidSynthEngine::create();
    if (!engine) return nullptr;
    return std::make_unique<RenderedSynth>(std::move(engine), policy_, audio);
  }

 private:
  ThreadPolicy& policy_;
};

bool loadSong(const std::filesystem::path& path, Score& s) {
  QuietUi ui;
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
  for (const auto& path : bench::midiFilesIn(bench::kOpenmsxFolder)) {
    Score s;
    if (loadSong(path, s) && noteCount(s) > most) {
      most = noteCount(s);
      best = path;
    }
  }
  return best;
}

double processCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double percentile(const std::vector<double>& sorted, int p) {
  return sorted[std::min(sorted.size() - 1, sorted.size() * static_cast<std::size_t>(p) / 100)];
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

struct Jitter {
  double ticks = 0, tickMs = 0, median = 0, p99 = 0, max = 0, cpuPercent = 0, overOneMs = 0;
};

Jitter measureJitter(const std::filesystem::path& song, ThreadPolicy& policy) {
  Score score;
  if (!loadSong(song, score)) return {};
  score.cueIndicator = kSongStartX;
  score.endIndicator = kTimelineEndX;
  RecordingDevices devices;
  Player player(score, devices, PlayerOptions{.threadPolicy = &policy});
  player.startOutputThread();
  player.startPlayerThread();
  const double cpuBefore = processCpuSeconds();
  player.play();
  std::this_thread::sleep_for(kPlayTime);
  // Taken before the pause: the releases it sends are not a tick.
  const std::vector<TimedMessage> sent = devices.log->snapshot();
  player.pause();
  const double cpu = processCpuSeconds() - cpuBefore;
  player.shutdown();
  Jitter j;
  j.tickMs = playSettingsOf(score).tickMs();
  const std::vector<double> d = tickDeviations(sent, j.tickMs);
  if (d.empty()) return j;
  j.ticks = double(d.size());
  j.median = d[d.size() / 2];
  j.p99 = percentile(d, 99);
  j.max = d.back();
  j.overOneMs = double(std::count_if(d.begin(), d.end(), [](double v) { return v > 1.0; }));
  j.cpuPercent = 100.0 * cpu / std::chrono::duration<double>(kPlayTime).count();
  return j;
}

struct Onsets {
  double found = 0, missing = 0, median = 0, p99 = 0, max = 0;
};

// Each click's first sample above a tenth of the loudest against the beat
// grid through the first click; the constant delay (the median) is removed.
Onsets onsetErrors(const std::vector<float>& audio, double spacingMs) {
  Onsets o;
  float peak = 0.0f;
  for (float v : audio) peak = std::max(peak, std::abs(v));
  const float threshold = peak / 10;
  const double rate = FluidSynthEngine::kSampleRate;
  auto firstAbove = [&](std::size_t from, std::size_t to) -> long {
    for (std::size_t i = from; i < std::min(to, audio.size()); ++i)
      if (std::abs(audio[i]) > threshold) return static_cast<long>(i);
    return -1;
  };
  const long first = peak > 0 ? firstAbove(0, audio.size()) : -1;
  if (first < 0) return o;
  const double window = 0.4 * spacingMs * rate / 1000;
  std::vector<double> errors;
  for (int k = 0; k < kClicks; ++k) {
    const double expected = double(first) + k * spacingMs * rate / 1000;
    const long at = firstAbove(static_cast<std::size_t>(std::max(0.0, expected - window)),
                               static_cast<std::size_t>(expected + window));
    if (at < 0) {
      ++o.missing;
      continue;
    }
    errors.push_back((double(at) - expected) * 1000 / rate);
  }
  if (errors.empty()) return o;
  std::vector<double> sorted = errors;
  std::sort(sorted.begin(), sorted.end());
  o.median = sorted[sorted.size() / 2];
  std::vector<double> deviations;
  for (double e : errors) deviations.push_back(std::abs(e - o.median));
  std::sort(deviations.begin(), deviations.end());
  o.found = double(errors.size());
  o.p99 = percentile(deviations, 99);
  o.max = deviations.back();
  return o;
}

Onsets measureOnsets(int tempo, ThreadPolicy& policy) {
  Score score;
  score.settings.general.tempo = tempo;
  score.settings.parts.instruments = {kWoodblock, kWoodblock, kWoodblock, kWoodblock};
  const double stepMs = kStepPixels * playSettingsOf(score).tickMs();
  const int spacing = static_cast<int>(std::ceil(kMinClickSpacingMs / stepMs));
  for (int k = 0; k < kClicks; ++k) addNote(score, kSopranoSet, makeMelodyNote(2 + k * spacing, 84, 1, kSoprano));
  score.cueIndicator = kSongStartX;
  score.endIndicator = kStepPixels * (2 + kClicks * spacing + 2);
  RenderedDevices devices(policy);
  {
    Player player(score, devices, PlayerOptions{.threadPolicy = &policy});
    if (player.startOutputThread() != 0) return {};
    player.startPlayerThread();
    std::this_thread::sleep_for(200ms);  // the card's first periods
    player.play();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::duration<double, std::milli>(
                                                               (kClicks + 2) * spacing * stepMs + 5000);
    while (player.isPlaying() && std::chrono::steady_clock::now() < limit) std::this_thread::sleep_for(50ms);
    std::this_thread::sleep_for(500ms);  // the last click sounds
    player.shutdown();
  }
  return onsetErrors(*devices.audio, spacing * stepMs);
}

void BM_Playback(benchmark::State& state, Who who, bool loaded) {
  const std::filesystem::path song = densestSong();
  Score score;
  if (song.empty() || !loadSong(song, score)) {
    state.SkipWithError("no openmsx song could be read");
    return;
  }
  if (who == Who::Root && geteuid() != 0) {
    state.SkipWithError("run as root for this case");
    return;
  }
  std::optional<std::vector<double>> figures;
  for (auto _ : state) {
    std::optional<bench::CpuLoad> load;
    if (loaded) load.emplace(kLoadProcesses, kLoadBoundSeconds);
    figures = bench::runAs(who, [&] {
      CountingRealtimeKit realtimeKit;
      ThreadPolicy policy(systemSchedulingCalls(), &realtimeKit, true);
      const Jitter j = measureJitter(song, policy);
      const Onsets o = measureOnsets(playSettingsOf(score).tempo, policy);
      // 0: normal scheduling, 1: SCHED_FIFO of its own, 2: through RealtimeKit.
      const double scheduling = policy.takeRefusalNote() ? 0.0 : realtimeKit.grants() > 0 ? 2.0 : 1.0;
      return std::vector<double>{j.ticks, j.tickMs, j.median, j.p99, j.max, j.overOneMs, j.cpuPercent,
                                 o.found, o.missing, o.median, o.p99, o.max, scheduling,
                                 policy.memoryLocked() ? 1.0 : 0.0};
    });
  }
  if (!figures || figures->size() != 14 || (*figures)[0] == 0) {
    state.SkipWithError("the measuring child failed (identity, SoundFont or song)");
    return;
  }
  const std::vector<double>& f = *figures;
  state.SetLabel(song.filename().string());
  const char* names[] = {"ticks_measured", "tick_ms", "jitter_median_ms", "jitter_p99_ms", "jitter_max_ms",
                         "ticks_over_1ms", "cpu_percent_of_core", "onsets_found", "onsets_missing", "onset_latency_ms",
                         "onset_p99_ms", "onset_max_ms", "scheduling", "memory_locked"};
  for (std::size_t i = 0; i < f.size(); ++i) state.counters[names[i]] = f[i];
}

BENCHMARK_CAPTURE(BM_Playback, root_quiet, Who::Root, false)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Playback, root_loaded, Who::Root, true)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Playback, user_quiet, Who::User, false)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Playback, user_loaded, Who::User, true)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace quorvel

// From a key event on the window thread to its note-on at the output device:
// keys pressed through the note preview, sent by the output thread into a
// recording sink. Reported as percentiles of the delay, alone and with three
// partner voices (their search included: the delay runs to the last note-on
// of the press).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "base/QuietUi.h"
#include "app/RealtimeInput.h"
#include "model/Score.h"
#include "playback/NotePreview.h"
#include "playback/Player.h"
#include "playback/RecordingMidiOut.h"

namespace quorvel {
namespace {

using Clock = std::chrono::steady_clock;

double nowMs() { return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count(); }

class RecordingDevices : public DeviceCatalog {
 public:
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
  int deviceCount() override { return 1; }
  std::string deviceName(int) override { return kBuiltInSynthName; }
  std::unique_ptr<MidiOut> openDevice(int) override { return std::make_unique<RecordingMidiOut>(log, nowMs); }
};

std::size_t noteOns(const std::vector<TimedMessage>& sent) {
  return static_cast<std::size_t>(std::count_if(sent.begin(), sent.end(), [](const TimedMessage& m) {
    return (m.message & 0xF0) == 0x90 && ((m.message >> 16) & 0x7F) != 0;
  }));
}

// A tune in C major that the partners answer.
constexpr int kTune[] = {0, 2, 4, 5, 7, 5, 4, 2, 0, -1, 0, 4, 2, 7, 5, 4, 2, 0, 2, 0};

void pressKeys(benchmark::State& state, int partnerCount) {
  QuietUi ui;
  Score score;
  score.keyBase = 72;
  score.settings.melody[kKeyNote] = 72;
  RecordingDevices devices;
  Player player(score, devices);
  if (player.startOutputThread() != 0) {
    state.SkipWithError("no output device");
    return;
  }
  Random random(20240);
  GeneratorPartners partners(score, random);
  NotePreview preview(score, ui, {[&player](std::uint32_t m) { player.postShortMessage(m); }, {}}, &partners);
  if (partnerCount > 0) preview.startRealtime(partnerCount, kRealtimeOn);
  const std::size_t expectedOns = 1 + static_cast<std::size_t>(partnerCount);

  std::vector<double> delays;
  std::size_t note = 0;
  for (auto _ : state) {
    const int offset = kTune[note++ % std::size(kTune)];
    devices.log->clear();
    const double pressed = nowMs();
    preview.keyPressed(offset, kSourceKeyboard);
    // A partner that stays silent on a press would leave us waiting: give up after a second.
    const double deadline = pressed + 1000.0;
    std::vector<TimedMessage> sent;
    while (noteOns(sent = devices.log->snapshot()) < expectedOns && nowMs() < deadline) std::this_thread::yield();
    double last = 0.0;
    for (const TimedMessage& m : sent) last = std::max(last, m.ms);
    delays.push_back(last - pressed);
    preview.keyReleased(offset, kSourceKeyboard);
  }
  player.shutdown();
  std::sort(delays.begin(), delays.end());
  const auto at = [&delays](double q) { return delays[static_cast<std::size_t>(q * static_cast<double>(delays.size() - 1))]; };
  // Microseconds, so the figures read without SI prefixes.
  state.counters["p50_us"] = 1000.0 * at(0.50);
  state.counters["p99_us"] = 1000.0 * at(0.99);
  state.counters["max_us"] = 1000.0 * delays.back();
}

void BM_KeyToNoteOn(benchmark::State& state) { pressKeys(state, 0); }
void BM_KeyToNoteOnWithThreePartners(benchmark::State& state) { pressKeys(state, 3); }

BENCHMARK(BM_KeyToNoteOn)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyToNoteOnWithThreePartners)->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvel

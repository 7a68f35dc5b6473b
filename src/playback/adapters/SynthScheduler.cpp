#include "playback/adapters/SynthScheduler.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>

#include "playback/adapters/FluidSynthEngine.h"

namespace quorvel {

namespace {

// How fast the estimate of frame 0's time may move later on its own: enough
// for a sound card's clock that runs slow against the system's.
constexpr double kDriftAllowance = 1e-4;
constexpr int kMaxBuffers = 16;

std::chrono::duration<double> sinceEpoch(SynthScheduler::TimePoint t) { return t.time_since_epoch(); }

}  // namespace

SynthScheduler::SynthScheduler(FluidSynthEngine& engine, Clock clock)
    : engine_(engine),
      clock_(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); })),
      sampleRate_(FluidSynthEngine::kSampleRate) {}

void SynthScheduler::post(std::uint32_t message, TimePoint due) {
  std::lock_guard lock(mutex_);
  const auto at = std::upper_bound(pending_.begin(), pending_.end(), due,
                                   [](TimePoint d, const Pending& p) { return d < p.due; });
  pending_.insert(at, {due, message});
}

void SynthScheduler::dropPending() {
  std::lock_guard lock(mutex_);
  pending_.clear();
}

std::int64_t SynthScheduler::frameOf(TimePoint due) const {
  const double seconds = (sinceEpoch(due) + std::chrono::duration<double>(kDelay) - origin_).count();
  return static_cast<std::int64_t>(std::floor(seconds * sampleRate_));
}

// A callback comes when the sound card wants more: never before its frames
// are due, often after. The earliest time seen for frame 0 is the card's
// clock; it may creep later slowly, as a slow card's clock does.
void SynthScheduler::followClock(int frames) {
  const std::chrono::duration<double> observed =
      sinceEpoch(clock_()) - std::chrono::duration<double>(double(frames_) / sampleRate_);
  if (!originKnown_) {
    origin_ = observed;
    originKnown_ = true;
    return;
  }
  const std::chrono::duration<double> creep(double(frames) / sampleRate_ * kDriftAllowance);
  origin_ = std::min(origin_ + creep, observed);
}

std::vector<SynthScheduler::Pending> SynthScheduler::takeDueBefore(std::int64_t endFrame) {
  std::lock_guard lock(mutex_);
  auto last = pending_.begin();
  while (last != pending_.end() && frameOf(last->due) < endFrame) ++last;
  std::vector<Pending> due(pending_.begin(), last);
  pending_.erase(pending_.begin(), last);
  return due;
}

void SynthScheduler::renderBlock(int offset, int count, int nfx, float* fx[], int nout, float* out[]) {
  float* outs[kMaxBuffers];
  float* fxs[kMaxBuffers];
  nout = std::min(nout, kMaxBuffers);
  for (int i = 0; i < nout; ++i) outs[i] = out[i] + offset;
  if (nfx == 0) {
    // No effect buffers: reverb and chorus go into the dry ones.
    nfx = std::min(2 * nout, kMaxBuffers);
    for (int i = 0; i < nfx; ++i) fxs[i] = outs[i % nout];
  } else {
    nfx = std::min(nfx, kMaxBuffers);
    for (int i = 0; i < nfx; ++i) fxs[i] = fx[i] + offset;
  }
  fluid_synth_process(engine_.synth(), count, nfx, fxs, nout, outs);
}

void SynthScheduler::render(int frames, int nfx, float* fx[], int nout, float* out[]) {
  followClock(frames);
  // A message is played at the block start nearest its frame: half a block
  // early at most, half a block late at most. Those nearest a block start
  // after this buffer wait for the next call.
  const std::int64_t lastBlockStart = (frames_ + frames - 1) / kBlockFrames * kBlockFrames;
  const std::vector<Pending> due = lastBlockStart >= frames_ ? takeDueBefore(lastBlockStart + kBlockFrames / 2)
                                                             : std::vector<Pending>{};
  std::size_t next = 0;
  int offset = 0;
  while (offset < frames) {
    const std::int64_t frame = frames_ + offset;
    if (frame % kBlockFrames == 0) {
      while (next < due.size() && frameOf(due[next].due) < frame + kBlockFrames / 2)
        engine_.dispatch(due[next++].message);
    }
    const int count = std::min<int>(frames - offset, kBlockFrames - static_cast<int>(frame % kBlockFrames));
    renderBlock(offset, count, nfx, fx, nout, out);
    offset += count;
  }
  frames_ += frames;
}

void SynthScheduler::render(int frames, float* left, float* right) {
  float* out[2] = {left, right};
  render(frames, 0, nullptr, 2, out);
}

}  // namespace quorvel

#pragma once
// Plays timestamped messages on the built-in synth at their due time plus a
// fixed delay, counted in rendered samples rather than in when the sender
// woke up: a player thread that wakes a few milliseconds late still sounds on
// time. Runs inside the audio callback (or an offline render).
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace quorvel {

class FluidSynthEngine;

class SynthScheduler {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using Clock = std::function<TimePoint()>;

  // What a late sender may lose before its notes move: a few missed wake-ups
  // plus one audio period.
  static constexpr std::chrono::milliseconds kDelay{20};
  // FluidSynth starts voices only at the start of one of its blocks.
  static constexpr int kBlockFrames = 64;

  // Without a clock the steady clock is read at each render.
  explicit SynthScheduler(FluidSynthEngine& engine, Clock clock = {});

  // Any thread: the message sounds at `due` + kDelay (at once when that has passed).
  void post(std::uint32_t message, TimePoint due);
  // Forgets every message not yet played.
  void dropPending();

  // The audio callback: mixes `frames` frames into the `nout` buffers of `out`
  // (and the effects into `fx`, or into `out` when there are none).
  void render(int frames, int nfx, float* fx[], int nout, float* out[]);
  // Stereo into two buffers.
  void render(int frames, float* left, float* right);

  std::int64_t framesRendered() const { return frames_; }
  // The frame a due time sounds at, by the current clock estimate (for tests
  // and the benchmark).
  std::int64_t frameOf(TimePoint due) const;

 private:
  struct Pending {
    TimePoint due;
    std::uint32_t message;
  };

  void followClock(int frames);
  std::vector<Pending> takeDueBefore(std::int64_t endFrame);
  void renderBlock(int offset, int count, int nfx, float* fx[], int nout, float* out[]);

  FluidSynthEngine& engine_;
  Clock clock_;
  double sampleRate_;
  // The steady-clock time of frame 0; render thread only.
  std::chrono::duration<double> origin_{0.0};
  bool originKnown_ = false;
  std::int64_t frames_ = 0;  // render thread only

  std::mutex mutex_;
  std::vector<Pending> pending_;  // in due order; equal dues in the order posted
};

}  // namespace quorvel

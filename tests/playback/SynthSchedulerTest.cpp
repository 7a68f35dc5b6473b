// Timestamped delivery to the real built-in synth, rendered offline on a
// simulated clock: a message posted late by the sender still sounds at its
// due time (to FluidSynth's block), found in the rendered samples.
#include "playback/adapters/SynthScheduler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "playback/adapters/FluidSynthEngine.h"
#include "playback/PlaybackTestSupport.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using test::msg;
using TimePoint = SynthScheduler::TimePoint;

constexpr double kRate = FluidSynthEngine::kSampleRate;
constexpr int kPeriod = 256;  // frames per audio callback
constexpr int kWoodBlock = 76;

struct Posting {
  std::chrono::milliseconds sentAt;  // when the sender woke up
  std::chrono::milliseconds due;
  std::uint32_t message;
};

class SynthSchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = FluidSynthEngine::create();
    ASSERT_TRUE(engine) << "no SoundFont";
    scheduler = std::make_unique<SynthScheduler>(*engine, [this] { return now(); });
  }
  TimePoint now() const { return start + std::chrono::nanoseconds(std::llround(1e9 * double(rendered) / kRate)); }

  // Renders `ms` of audio in callbacks of kPeriod frames, posting each message
  // once the simulated clock has reached the time its sender woke up.
  void play(std::vector<Posting> postings, int ms) {
    const auto frames = static_cast<std::size_t>(ms * kRate / 1000);
    left.resize(frames, 0.0f);
    right.resize(frames, 0.0f);
    while (rendered < frames) {
      for (Posting& p : postings) {
        if (p.message != 0 && now() >= start + p.sentAt) {
          scheduler->post(p.message, start + p.due);
          p.message = 0;
        }
      }
      const int count = static_cast<int>(std::min<std::size_t>(kPeriod, frames - rendered));
      scheduler->render(count, left.data() + rendered, right.data() + rendered);
      rendered += static_cast<std::size_t>(count);
    }
  }
  // The first frame at or after `from` louder than the ring of an earlier hit.
  long onsetAfter(double fromMs, float threshold = 0.02f) const {
    for (auto i = static_cast<std::size_t>(fromMs * kRate / 1000); i < left.size(); ++i) {
      if (std::abs(left[i]) > threshold || std::abs(right[i]) > threshold) return static_cast<long>(i);
    }
    return -1;
  }
  static long frameAt(double ms) { return std::lround(ms * kRate / 1000); }

  std::unique_ptr<FluidSynthEngine> engine;
  std::unique_ptr<SynthScheduler> scheduler;
  const TimePoint start = TimePoint{} + 1000s;
  std::size_t rendered = 0;
  std::vector<float> left, right;
};

TEST_F(SynthSchedulerTest, ALateSenderStillSoundsAtTheDueSample) {
  const double delay = std::chrono::duration<double, std::milli>(SynthScheduler::kDelay).count();
  const auto atOnce = -std::chrono::duration_cast<std::chrono::milliseconds>(SynthScheduler::kDelay);
  const std::uint32_t hit = msg(0x99, kWoodBlock, 110), release = msg(0x89, kWoodBlock, 0);
  play({{0ms, atOnce, hit}, {0ms, 50ms, release},          // at frame 0: how long the sound takes to rise
        {0ms, 200ms, hit}, {0ms, 250ms, release},
        {408ms, 400ms, hit}, {408ms, 450ms, release},     // woke 8 ms late
        {645ms, 600ms, hit}, {645ms, 650ms, release}},    // woke later than the delay covers
       900);
  const long rise = onsetAfter(0);
  ASSERT_GE(rise, 0) << "the hit is silent";
  ASSERT_LT(rise, frameAt(10));
  const long onTime = onsetAfter(150) - rise;
  const long late = onsetAfter(350) - rise;
  const long tooLate = onsetAfter(550) - rise;
  constexpr long kHalfBlock = SynthScheduler::kBlockFrames / 2;
  EXPECT_LE(std::abs(onTime - frameAt(200 + delay)), kHalfBlock);
  EXPECT_LE(std::abs(late - frameAt(400 + delay)), kHalfBlock) << "the late wake-up moved the note";
  EXPECT_EQ(onTime % SynthScheduler::kBlockFrames, 0);
  EXPECT_EQ(late % SynthScheduler::kBlockFrames, 0);
  // Past the delay it is not lost: it sounds at the first callback after it came.
  EXPECT_GE(tooLate, frameAt(645));
  EXPECT_LE(tooLate, frameAt(645) + kPeriod);
}

TEST_F(SynthSchedulerTest, DroppedMessagesNeverSound) {
  play({{0ms, 100ms, msg(0x99, kWoodBlock, 110)}}, 50);
  scheduler->dropPending();
  play({}, 300);
  EXPECT_EQ(onsetAfter(0), -1);
}

}  // namespace
}  // namespace quorvel

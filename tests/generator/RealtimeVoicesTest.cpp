// Feeds played notes one by one to the real-time voices and reads what
// they answer in the four-beat window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "LineChecker.h"
#include "generator/LineSearch.h"

namespace quorvel::testing {
namespace {

constexpr int kKey = 60;

class Live {
 public:
  Live(int voices, std::uint32_t seed, int windowSize = kRealtimeWindow) : voices_(voices), random_(seed) {
    window_ = emptyLines(windowSize);
    MelodySettings s;
    s[kKeyNote] = kKey;
    s[kMode] = 0;
    prepareContext(*ctx_, s, 2, linePointers(window_), voices, random_);
  }

  int start(int pitch) {
    const int r = startRealtimeVoices(*ctx_, pitch);
    record();
    return r;
  }
  // What the keyboard does before asking for the next beat.
  int play(int pitch) {
    VoiceLine& top = window_[0];
    for (int b = 0; b < kRealtimeWindow - 1; ++b) top[static_cast<std::size_t>(b)] = top[static_cast<std::size_t>(b + 1)];
    top[kRealtimeWindow - 1] = pitch;
    const int r = nextRealtimeBeat(*ctx_);
    record();
    return r;
  }

  const VoiceLine& window(int line) const { return window_[static_cast<std::size_t>(line)]; }
  const VoiceLines& played() const { return played_; }
  GeneratorContext& ctx() { return *ctx_; }

 private:
  void record() {
    if (window_[0].size() < static_cast<std::size_t>(kRealtimeWindow)) return;
    for (int l = 0; l < voices_; ++l) played_[static_cast<std::size_t>(l)].push_back(window(l)[kRealtimeWindow - 1]);
  }

  int voices_;
  Random random_;
  VoiceLines window_;
  VoiceLines played_;
  std::unique_ptr<GeneratorContext> ctx_ = std::make_unique<GeneratorContext>();
};

// A singable tune in C major: steps, a few thirds and one fifth.
const std::vector<int> kTune{72, 74, 76, 77, 79, 77, 76, 74, 72, 71, 72, 76, 74, 79, 77, 76, 74, 72, 74, 72};

TEST(RealtimeVoices, AnswersEveryPlayedNoteWithinTheRulesAndMovesTheWindowOneBeat) {
  for (int voices = 2; voices <= 4; ++voices) {
    int clean = 0, beats = 0, checkedRuns = 0;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
      Live live(voices, seed * 7919u + static_cast<std::uint32_t>(voices));
      bool allClean = live.start(kTune[0]) == kSearchSuccess;
      // The played pitch held, beat 2 open, every voice holding its first answer.
      EXPECT_EQ(live.window(0), (VoiceLine{kTune[0], kTune[0], -1, kTune[0]}));
      for (int l = 1; l < voices; ++l) {
        const VoiceLine& w = live.window(l);
        EXPECT_EQ((VoiceLine{w[0], w[1], w[2]}), (VoiceLine{w[3], w[3], -1})) << "line " << l;
      }
      for (std::size_t k = 1; k < kTune.size(); ++k) {
        std::array<VoiceLine, 4> before;
        for (int l = 1; l < voices; ++l) before[static_cast<std::size_t>(l)] = live.window(l);
        const int r = live.play(kTune[k]);
        ASSERT_TRUE(r == kSearchSuccess || r == kSearchFailed) << r;
        ++beats;
        for (int l = 1; l < voices; ++l) {
          const VoiceLine& was = before[static_cast<std::size_t>(l)];
          const VoiceLine& now = live.window(l);
          ASSERT_EQ((VoiceLine{now[0], now[1], now[2]}), (VoiceLine{was[1], was[2], was[3]})) << "line " << l;
          ASSERT_GT(now[kRealtimeWindow - 1], 0) << "every voice answers";
        }
        if (r == kSearchSuccess)
          ++clean;
        else
          allClean = false;
      }
      if (!allClean) continue;
      const auto breaches = checkCounter(live.played(), voices);
      ASSERT_TRUE(breaches.empty()) << "N=" << voices << " seed=" << seed << ": " << breaches.front();
      ++checkedRuns;
    }
    EXPECT_GT(checkedRuns, 0) << "N=" << voices << ": no run was clean throughout";
    EXPECT_GE(clean, beats * 8 / 10) << "N=" << voices << ": " << clean << " of " << beats << " beats clean";
  }
}

TEST(RealtimeVoices, ResultCodes) {
  {  // a window too small for four beats
    Live shortWindow(3, 5, 3);
    EXPECT_EQ(shortWindow.start(72), kSearchFailed);
  }
  {  // a leap the voice cannot follow by a singable step: it still answers,
     // vertically sound, and says that it fell back
    Live live(2, 5);
    ASSERT_EQ(live.start(60), kSearchSuccess);
    const int before = live.window(1)[3];
    EXPECT_EQ(live.play(96), kSearchFailed);
    const int now = live.window(1)[3];
    const int d = 96 - now;
    EXPECT_TRUE(d >= 3 && d < 22) << d;
    EXPECT_TRUE(d % 12 == 0 || d % 12 == 3 || d % 12 == 4 || d % 12 == 7 || d % 12 == 8 || d % 12 == 9) << d;
    EXPECT_GE(std::abs(now - before), 9);
  }
  {  // cancelled
    Live live(4, 5);
    ASSERT_EQ(live.start(72), kSearchSuccess);
    cancel(live.ctx());
    EXPECT_EQ(live.play(74), kSearchCancelled);
  }
}

}  // namespace
}  // namespace quorvel::testing

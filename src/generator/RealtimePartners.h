#pragma once
// The partner voices that answer notes played live: keeps the real-time
// context from the first played note until real-time generation ends, and
// hands back the newest pitch of each partner line.
#include <array>
#include <memory>

#include "generator/GeneratorContext.h"
#include "model/Random.h"
#include "base/SettingsRecord.h"

namespace quorvel {

inline constexpr int kMaxPartnerVoices = 3;

// Pitches of partner lines 1..3 (index 0..2); -1 where a line is silent.
using PartnerPitches = std::array<int, kMaxPartnerVoices>;

class RealtimePartners {
 public:
  explicit RealtimePartners(Random& random) : random_(random) {}

  // One played note: 0 with the partners' pitches filled in, -1 when the
  // search had to fall back (the pitches are still usable) or when
  // `partnerCount` is 0. The first note after start() prepares the context.
  int realtimeVoices(const MelodySettings& settings, int partnerCount, int playedPitch, PartnerPitches& out);
  // Frees the context; the next played note starts afresh.
  void realtimeOff();
  bool started() const { return context_ != nullptr; }

 private:
  void start(const MelodySettings& settings, int partnerCount, int playedPitch);

  Random& random_;
  std::unique_ptr<GeneratorContext> context_;
  std::array<VoiceLine, 4> lines_;
  int partnerCount_ = 0;
};

}  // namespace quorvel

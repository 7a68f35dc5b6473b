#include "generator/RealtimePartners.h"

#include "generator/LineSearch.h"

namespace quorvel {

namespace {

constexpr std::size_t kNewest = kRealtimeWindow - 1;
constexpr int kRealtimeLineLength = 2;

}  // namespace

void RealtimePartners::start(const MelodySettings& settings, int partnerCount, int playedPitch) {
  for (VoiceLine& line : lines_) line.assign(kRealtimeWindow, -1);
  lines_[0] = {playedPitch, playedPitch, -1, playedPitch};
  partnerCount_ = partnerCount;
  context_ = std::make_unique<GeneratorContext>();
  prepareContext(*context_, settings, kRealtimeLineLength, {&lines_[0], &lines_[1], &lines_[2], &lines_[3]},
                 partnerCount + 1, random_);
}

int RealtimePartners::realtimeVoices(const MelodySettings& settings, int partnerCount, int playedPitch,
                                     PartnerPitches& out) {
  out.fill(-1);
  if (partnerCount < 1 || partnerCount > kMaxPartnerVoices) {
    realtimeOff();
    return -1;
  }
  int result;
  // A changed partner count needs a context of the new size.
  if (!context_ || partnerCount != partnerCount_) {
    start(settings, partnerCount, playedPitch);
    result = startRealtimeVoices(*context_, playedPitch);
  } else {
    VoiceLine& top = lines_[0];
    for (std::size_t b = 0; b < kNewest; ++b) top[b] = top[b + 1];
    top[kNewest] = playedPitch;
    result = nextRealtimeBeat(*context_);
  }
  for (int k = 1; k <= partnerCount_; ++k) out[static_cast<std::size_t>(k - 1)] = lines_[static_cast<std::size_t>(k)][kNewest];
  return result == kSearchFailed ? -1 : 0;
}

void RealtimePartners::realtimeOff() {
  context_.reset();
  partnerCount_ = 0;
}

}  // namespace quorvel

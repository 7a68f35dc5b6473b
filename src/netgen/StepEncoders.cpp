#include <algorithm>
#include <vector>

#include "netgen/Encoders.h"
#include "netgen/RequestTypes.h"
#include "netgen/TokenText.h"

namespace quorvel {

namespace {

constexpr int kDrumWindowX = 320, kMinStepRangeX = 80;
constexpr int kMaxVoiceSteps = 128, kMaxSilentSteps = 96;
constexpr int kFirstLane = 1, kLastLane = 12, kAccentVelocity = 100;

int xOf(NoteCode c) { return kStepPixels * noteStart(c); }

std::uint32_t drumBit(NoteCode c) {
  const int lane = drumRow(c);
  if (lane < kFirstLane || lane > kLastLane) return 0;
  return 1u << (drumVelocity(c) > kAccentVelocity ? lane + 11 : lane - 1);
}

// Bit i for a voice starting at step x, bit i + 4 for one still sounding.
std::uint32_t voiceBits(const NoteSet& set, int x, int i) {
  auto next = firstAtStep(set, x / kStepPixels);
  if (next == set.end()) return 0;
  if (xOf(*next) == x) return 1u << i;
  if (next != set.begin()) {
    const NoteCode before = *std::prev(next);
    if (kStepPixels * (noteStart(before) + melodyLength(before)) > x) return 1u << (i + 4);
  }
  return 0;
}

}  // namespace

Encoded encodeDrumSteps(const NoteSet& drums, bool betweenLocators, int generationPosition) {
  Encoded out;
  out.start = betweenLocators ? generationPosition : kSongStartX;
  if (drums.empty()) return out;
  int endX = generationPosition;
  if (betweenLocators) {
    if (xOf(*drums.begin()) >= generationPosition) return out;
  } else {
    endX = kStepPixels * (noteStart(*drums.rbegin()) + 1);
    out.start = endX;
  }
  out.ok = true;
  auto it = firstAtStep(drums, std::max(endX - kDrumWindowX, kSongStartX) / kStepPixels);
  if (it == drums.end() || endX - xOf(*it) < kMinStepRangeX) return out;
  TokenText text(dataBufferSize(RequestType::Drums));
  int stepX = xOf(*it);
  std::uint32_t mask = 0;
  for (; it != drums.end() && xOf(*it) < endX; ++it) {
    const int x = xOf(*it);
    if (x != stepX) {
      text.add(mask);
      for (int empty = stepX + kStepPixels; empty < x; empty += kStepPixels) text.add(0);
      stepX = x;
      mask = 0;
    }
    mask |= drumBit(*it);
  }
  text.add(mask);
  out.data = text.text();
  out.len = text.count();
  return out;
}

int voiceRangeEnd(const std::array<const NoteSet*, 4>& parts) {
  int greatest = -1;
  for (const NoteSet* set : parts)
    if (!set->empty()) greatest = std::max(greatest, noteStart(*set->rbegin()));
  return kStepPixels * (greatest + 1);
}

Encoded encodeVoiceSteps(const std::array<const NoteSet*, 4>& parts, bool betweenLocators, int leftLocator,
                         int rightLocator, int generationStart, int rangeEndX) {
  Encoded out;
  const int from = betweenLocators ? leftLocator : generationStart;
  const int to = betweenLocators ? rightLocator : rangeEndX;
  out.start = from;
  if (to - from < kMinStepRangeX) return out;
  TokenText text(dataBufferSize(RequestType::MelodyToDrums));
  int silent = 0;
  for (int x = from; x < to && text.count() < kMaxVoiceSteps; x += kStepPixels) {
    std::uint32_t token = 0;
    for (int i = 0; i < 4; ++i) token |= voiceBits(*parts[static_cast<std::size_t>(3 - i)], x, i);
    if (!text.add(token)) break;
    if (token == 0) ++silent;
  }
  if (silent >= kMaxSilentSteps) return out;
  out.ok = true;
  out.data = text.text();
  out.len = text.count();
  return out;
}

}  // namespace quorvel

#include "server/MusicMeasures.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace quorvel::server {
namespace {

int intervalClass(int upper, int lower) { return ((upper - lower) % 12 + 12) % 12; }

int pitchClass(Token note) { return intervalClass(noteKey(note), 0); }

bool startsNote(const std::vector<int>& voice, std::size_t step) {
  return voice[step] >= 0 && (step == 0 || voice[step - 1] != voice[step]);
}

}  // namespace

void VoiceLeading::add(const VoiceLeading& other) {
  onsets += other.onsets;
  parallels += other.parallels;
  crossings += other.crossings;
}

VoiceLeading measureVoiceLeading(const PitchGrid& voices) {
  VoiceLeading result;
  std::size_t length = 0;
  for (const auto& v : voices) length = std::max(length, v.size());
  auto pitch = [&](std::size_t voice, std::size_t step) {
    return step < voices[voice].size() ? voices[voice][step] : -1;
  };
  std::size_t previous = length;  // none yet
  for (std::size_t step = 0; step < length; ++step) {
    bool onset = false;
    for (const auto& v : voices) onset = onset || (step < v.size() && startsNote(v, step));
    if (!onset) continue;
    ++result.onsets;
    for (std::size_t i = 0; i < voices.size(); ++i) {
      for (std::size_t j = i + 1; j < voices.size(); ++j) {
        const int upper = pitch(i, step), lower = pitch(j, step);
        if (upper < 0 || lower < 0) continue;
        if (upper < lower) ++result.crossings;
        if (previous == length) continue;
        const int upperBefore = pitch(i, previous), lowerBefore = pitch(j, previous);
        if (upperBefore < 0 || lowerBefore < 0 || upperBefore == upper || lowerBefore == lower) continue;
        const int now = intervalClass(upper, lower);
        if ((now == 0 || now == 7) && now == intervalClass(upperBefore, lowerBefore)) ++result.parallels;
      }
    }
    previous = step;
  }
  return result;
}

void VoiceShape::add(const TokenLine& line) {
  int last = -1;
  for (Token t : line) {
    if (!isNote(t)) continue;
    const int p = noteKey(t);
    lowest = std::min(lowest, p);
    highest = std::max(highest, p);
    ++notes;
    if (last >= 0) {
      stepSum += std::abs(p - last);
      ++steps;
    }
    last = p;
  }
}

std::size_t notesOutside(const TokenLine& line, const VoiceShape& reference) {
  std::size_t n = 0;
  for (Token t : line) n += isNote(t) && (noteKey(t) < reference.lowest || noteKey(t) > reference.highest);
  return n;
}

std::vector<bool> scaleOf(const TokenLine& context) {
  std::vector<double> weight(12, 0.0);
  for (Token t : context)
    if (isNote(t)) weight[pitchClass(t)] += noteSteps(t);
  constexpr int kMajor[] = {0, 2, 4, 5, 7, 9, 11};
  constexpr int kHarmonicMinor[] = {0, 2, 3, 5, 7, 8, 11};
  std::vector<bool> best(12, false);
  double bestWeight = -1.0;
  for (const int* degrees : {kMajor, kHarmonicMinor}) {
    for (int tonic = 0; tonic < 12; ++tonic) {
      std::vector<bool> scale(12, false);
      double inside = 0.0;
      for (int d = 0; d < 7; ++d) scale[(tonic + degrees[d]) % 12] = true;
      for (int pc = 0; pc < 12; ++pc) inside += scale[pc] ? weight[pc] : 0.0;
      if (inside > bestWeight) {
        bestWeight = inside;
        best = scale;
      }
    }
  }
  return best;
}

Share notesInScale(const TokenLine& line, const std::vector<bool>& scale) {
  Share share;
  for (Token t : line)
    if (isNote(t)) share.add(scale[pitchClass(t)], 1);
  return share;
}

void addMeter(Meter& meter, const TokenLine& drumSteps, std::size_t firstPosition) {
  for (std::size_t i = 0; i < drumSteps.size(); ++i) {
    const bool strong = (firstPosition + i) % 4 == 0;
    const int hits = std::popcount(drumSteps[i] & 0xFFFFFFu);
    const int accents = std::popcount(drumSteps[i] & 0xFFF000u);
    meter.hits.add(strong ? hits : 0, hits);
    meter.accents.add(strong ? accents : 0, accents);
  }
}

}  // namespace quorvel::server

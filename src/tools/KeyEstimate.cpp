#include <cstdio>

#include "tools/KeyTools.h"

namespace quorvel {

const std::array<const char*, 12> kKeyNames{"C", "C#(Db)", "D", "D#(Eb)", "E", "F",
                                            "F#(Gb)", "G", "G#(Ab)", "A", "A#(Bb)", "B"};
const std::array<const char*, kScaleCount> kScaleNames{"Major", "Minor", "Dorian", "Phrygian",
                                                       "Lydian)", "Mixolydian", "Locrian"};

namespace {

using Weights = std::array<double, 12>;

// Pitch classes of each scale relative to its tonic. Minor carries the raised
// seventh beside the natural one.
constexpr std::array<std::array<int, 12>, kScaleCount> kScaleTemplates{{
    {1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1},
    {1, 0, 1, 1, 0, 1, 0, 1, 1, 0, 1, 1},
    {1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 1, 0},
    {1, 1, 0, 1, 0, 1, 0, 1, 1, 0, 1, 0},
    {1, 0, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1},
    {1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 1, 0},
    {1, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0},
}};

// Major and minor key profiles; they decide between the two readings of a
// pitch collection that both scales cover.
constexpr std::array<std::array<double, 12>, 2> kKeyProfiles{{
    {0.748, 0.060, 0.488, 0.082, 0.670, 0.460, 0.096, 0.715, 0.104, 0.366, 0.057, 0.400},
    {0.712, 0.084, 0.474, 0.618, 0.049, 0.460, 0.105, 0.747, 0.404, 0.067, 0.133, 0.330},
}};

constexpr double kMinTonicWeight = 0.01;
constexpr double kMargin = 1e-8;

template <typename Row>
double fit(const Row& row, const Weights& w, int tonic) {
  double sum = 0.0;
  for (int i = 0; i < 12; ++i) sum += row[static_cast<std::size_t>(i)] * w[static_cast<std::size_t>((tonic + i) % 12)];
  return sum;
}

struct Candidate {
  int mode = 0;
  int tonic = 0;
  double score = 0.0;
};

// Best (mode, tonic) by a scoring row table; ties keep the first found.
template <typename Table>
Candidate bestFit(const Table& rows, int modes, const Weights& w) {
  Candidate best;
  for (int mode = 0; mode < modes; ++mode) {
    for (int tonic = 0; tonic < 12; ++tonic) {
      if (w[static_cast<std::size_t>(tonic)] < kMinTonicWeight) continue;
      const double score = fit(rows[static_cast<std::size_t>(mode)], w, tonic);
      if (score > best.score + kMargin) best = {mode, tonic, score};
    }
  }
  return best;
}

// The tonic nearest the mean key, the nearer one above preferred up to 4.5 semitones.
int placeKeyPitch(int tonic, double meanKey) {
  int k = tonic;
  while (meanKey > k) k += 12;
  return meanKey - (k - 9) > k - meanKey ? k : k - 12;
}

}  // namespace

std::optional<KeyEstimate> estimateKey(const std::array<const NoteSet*, 4>& sets, int reference) {
  Weights w{};
  double total = 0.0;
  double keySum = 0.0;
  int referenceCount = 0;
  for (int i = 0; i < 4; ++i) {
    for (NoteCode c : *sets[static_cast<std::size_t>(i)]) {
      if (isDrumCode(c)) continue;
      const double units = melodyLength(c) * kStepPixels;
      w[static_cast<std::size_t>(melodyKey(c) % 12)] += units;
      total += units;
      if (i == reference) {
        keySum += melodyKey(c);
        ++referenceCount;
      }
    }
  }
  if (total <= 0.0) return std::nullopt;
  for (double& v : w) v /= total;

  Candidate best = bestFit(kScaleTemplates, kScaleCount, w);
  if (best.mode <= 1) {
    best = bestFit(kKeyProfiles, 2, w);
    best.score = fit(kScaleTemplates[static_cast<std::size_t>(best.mode)], w, best.tonic);
  }
  KeyEstimate result{best.tonic, best.mode, best.score * 100.0, std::nullopt};
  if (referenceCount > 0) result.keyPitch = placeKeyPitch(best.tonic, keySum / referenceCount);
  return result;
}

std::string keyStatusText(const KeyEstimate& e) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %s %2.2f%%", kKeyNames[static_cast<std::size_t>(e.tonic)],
                kScaleNames[static_cast<std::size_t>(e.mode)], e.percent);
  return text;
}

}  // namespace quorvel

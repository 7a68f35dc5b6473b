// Measures of generated and real music, computed by the same code for both:
// voice leading of four voices, ranges and steps of a voice, key share of a
// melody, accents on strong steps of drums.
#pragma once

#include <vector>

#include "server/Token.h"

namespace quorvel::server {

// Voices top first, one pitch per step (-1 silent). A voice starts a note
// where its pitch changes, as in corpora that do not tell held from repeated.
using PitchGrid = std::vector<std::vector<int>>;

struct VoiceLeading {
  std::size_t onsets = 0;     // steps where any voice starts a note
  std::size_t parallels = 0;  // voice pairs in parallel fifths or octaves between consecutive onsets
  std::size_t crossings = 0;  // voice pairs out of order at an onset
  void add(const VoiceLeading& other);
  double parallelsPerOnset() const { return onsets ? static_cast<double>(parallels) / onsets : 0.0; }
  double crossingsPerOnset() const { return onsets ? static_cast<double>(crossings) / onsets : 0.0; }
};
VoiceLeading measureVoiceLeading(const PitchGrid& voices);

struct VoiceShape {
  int lowest = 1000, highest = -1;
  std::size_t notes = 0;
  double stepSum = 0.0;  // absolute semitones between consecutive notes
  std::size_t steps = 0;
  void add(const TokenLine& line);
  double meanStep() const { return steps ? stepSum / steps : 0.0; }
};
// Counts the notes of line outside the range of the reference voice.
std::size_t notesOutside(const TokenLine& line, const VoiceShape& reference);

// The major or harmonic minor scale that holds most of the context's note
// steps, as a set of pitch classes.
std::vector<bool> scaleOf(const TokenLine& context);
// Share of the line's notes whose pitch class lies in the scale.
struct Share {
  std::size_t in = 0, all = 0;
  void add(std::size_t a, std::size_t b) { in += a, all += b; }
  double value() const { return all ? static_cast<double>(in) / all : 0.0; }
};
Share notesInScale(const TokenLine& line, const std::vector<bool>& scale);

// Drum steps counted from the start of their section: hits and accented hits
// on strong steps (every fourth step, the beats of a 4/4 bar of sixteenths).
struct Meter {
  Share hits, accents;
};
void addMeter(Meter& meter, const TokenLine& drumSteps, std::size_t firstPosition);

}  // namespace quorvel::server

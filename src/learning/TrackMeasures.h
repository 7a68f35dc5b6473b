#pragma once
// What the analysis measures of each track of a multi-track file: how long
// it is, how much of it sounds, where it lies, whether it plays chords, and
// how much it doubles every other track.
#include <array>
#include <optional>
#include <vector>

#include "learning/LearningSong.h"

namespace quorvel {

inline constexpr int kMaxAnalysedTracks = 32;

// Flag bits of a track.
inline constexpr unsigned kChordalFlag = 1u << 20;
inline constexpr unsigned kDoublingFlag = 1u << 24;
inline constexpr unsigned kThinFlag = 1u << 28;

struct TrackRecord {
  bool empty = true;
  int length = 0;          // end x of the last note in set order
  int noteCount = 0;
  double soundRate = 0;    // sounding time / length
  double meanPitch = 0;    // duration-weighted mean key
  double overlap = 0;      // % of the sounding time with two pitch classes at once
  double weight = 0;       // noteCount * soundRate
  std::array<std::optional<double>, kMaxAnalysedTracks> doubling{};  // % of this track's sounding time
  unsigned flags = 0;
  double soundingTime() const { return length * soundRate; }
};

// Measures one track's melody notes (codes in set order); an empty line gives
// an empty record.
TrackRecord measureTrack(const Line& notes);

// Time in x during which notes of the two lines of the same pitch class
// (unison or octaves) sound together.
int sharedPitchClassTime(const Line& a, const Line& b);

// Measures every track and the doubling between every two non-empty ones.
std::vector<TrackRecord> measureTracks(const std::vector<Line>& tracks);

}  // namespace quorvel

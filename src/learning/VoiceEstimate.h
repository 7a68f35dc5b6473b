#pragma once
// Which tracks of a multi-track file are the voices: tracks that play chords,
// double another track or hardly play are flagged and taken last.
#include <vector>

#include "learning/TrackMeasures.h"

namespace quorvel {

struct VoiceChoice {
  int k = 0;                  // voices to fill: min(tracks, 4)
  int letter = 0;             // 0..4 for "A".."E": voices that had to come from flagged tracks
  std::vector<int> voices;    // track indices, highest mean pitch first (Soprano first)
};

// Sets the flags of the non-empty records.
void flagTracks(std::vector<TrackRecord>& records);

// Indices of the non-empty tracks by weight or mean pitch from the largest;
// among equal values the later track comes first.
std::vector<int> tracksByWeight(const std::vector<TrackRecord>& records);
std::vector<int> tracksByMeanPitch(const std::vector<TrackRecord>& records);

// Takes the k voices from flagged records: unflagged first, then by their
// highest flag (chordal, doubling, thin), each group by weight.
VoiceChoice chooseVoices(const std::vector<TrackRecord>& records);

}  // namespace quorvel

#pragma once
// Which tracks are good learning material on their own (a singable line that
// moves), and which groups of them make combination files.
#include <vector>

#include "learning/TrackMeasures.h"

namespace quorvel {

// The line a track makes when only one note may sound at a time: a note
// starting with the previous one is dropped, a note starting inside the
// previous one cuts it short. Drum codes are dropped.
Line strictLine(const Line& notes);

struct Candidate {
  int track = 0;
  double score = 0;  // repeated + largest single-key share + leaps + silence + overlap
  Line line;         // the strict line
};

struct CandidateLists {
  std::vector<Candidate> first, second;  // first: the voices still wanted; second: the rest
};

// Walks the tracks from the highest mean pitch; rejects short, static, leaping,
// mostly silent or chordal tracks.
CandidateLists chooseCandidates(const std::vector<TrackRecord>& records, const std::vector<Line>& tracks);

// 100 - 100 * (notes of either line that start together with a note of the
// other) / (notes of both): 0 for lines in the same rhythm.
double compatibility(const Line& a, const Line& b);

struct CombinationPlan {
  std::vector<Candidate> tracks;  // the pruned first list, then the pruned second list
  int widest = 0;                 // min(tracks, 4)
  struct Run {
    std::size_t first = 0;  // index into tracks, always one of the first list
    std::size_t count = 0;
  };
  std::vector<Run> files;
};

// After pruning tracks that double another by more than 60: every first-list
// track alone, then runs of 2, 3 and 4 consecutive tracks of the first list
// followed by the second that start in the first list and whose neighbours'
// mean compatibility is below 76.
CombinationPlan planCombinations(const CandidateLists& lists, const std::vector<TrackRecord>& records);

}  // namespace quorvel

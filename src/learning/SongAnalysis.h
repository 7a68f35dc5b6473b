#pragma once
// The analysis of one multi-track song: measures, flags, the voices, the
// drums decision and the learning candidates.
#include <optional>
#include <string>
#include <vector>

#include "learning/LearningCandidates.h"
#include "learning/VoiceEstimate.h"

namespace quorvel {

struct Score;

struct DrumRecord {
  int length = 0;
  int noteCount = 0;
  double soundRate = 0;
};

struct SongAnalysis {
  std::vector<Line> tracks;      // melody notes of each imported track, in file order
  Line drums;                    // every drum note, duplicates removed
  std::vector<TrackRecord> records;
  std::optional<DrumRecord> drumRecord;  // when the file has drum notes
  bool drumsUsed = false;
  char drumClass = 'N';          // D balanced drums, B unbalanced, N none
  VoiceChoice voices;
  CandidateLists candidates;
};

// Takes the imported tracks and drums of a file read track by track.
void takeImportedTracks(Score& s, SongAnalysis& analysis);

// Everything but the reading, over analysis.tracks and analysis.drums.
void analyseTracks(SongAnalysis& analysis);

// Rewrites the song: the chosen voices over parts 3, 2, 1, 0 (highest first)
// and, when used, the drums; the imported sets are emptied.
void applyAnalysis(Score& s, const SongAnalysis& analysis);

}  // namespace quorvel

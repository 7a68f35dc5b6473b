#include "learning/TrackMeasures.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kLongestNoteX = kMaxMelodyLength * kStepPixels;

int durationX(NoteCode c) { return kStepPixels * melodyLength(c); }
int pitchClass(NoteCode c) { return melodyKey(c) % 12; }

// The notes of `line` that may sound during [start, end): those starting from
// one longest note before `start` up to `end`.
template <typename Visit>
void forEachSoundingDuring(const Line& line, int start, int end, Visit visit) {
  const int from = std::max(0, start - kLongestNoteX) / kStepPixels;
  for (auto it = std::lower_bound(line.begin(), line.end(), static_cast<NoteCode>(from) << kStartShift);
       it != line.end() && noteX(*it) < end; ++it) {
    const int shared = std::min(end, noteEndX(*it)) - std::max(start, noteX(*it));
    if (shared > 0) visit(*it, shared);
  }
}

// Pairs of the track's own notes of different pitch classes, each pair once:
// the later note (in set order) is compared while it starts before the
// earlier one ends.
int chordTime(const Line& notes) {
  int total = 0;
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const int end = noteEndX(notes[i]);
    for (std::size_t j = i + 1; j < notes.size() && noteX(notes[j]) < end; ++j)
      if (pitchClass(notes[j]) != pitchClass(notes[i])) total += std::max(0, std::min(end, noteEndX(notes[j])) - noteX(notes[j]));
  }
  return total;
}

}  // namespace

TrackRecord measureTrack(const Line& notes) {
  TrackRecord r;
  if (notes.empty()) return r;
  r.empty = false;
  r.length = noteEndX(notes.back());
  r.noteCount = static_cast<int>(notes.size());
  double sounding = 0, keyTime = 0;
  for (NoteCode c : notes) {
    sounding += durationX(c);
    keyTime += static_cast<double>(durationX(c)) * melodyKey(c);
  }
  r.soundRate = sounding / r.length;
  r.meanPitch = keyTime / sounding;
  r.overlap = chordTime(notes) / sounding * 100.0;
  r.weight = r.noteCount * r.soundRate;
  return r;
}

int sharedPitchClassTime(const Line& a, const Line& b) {
  int total = 0;
  for (NoteCode c : a)
    forEachSoundingDuring(b, noteX(c), noteEndX(c), [&](NoteCode other, int shared) {
      if (pitchClass(other) == pitchClass(c)) total += shared;
    });
  return total;
}

std::vector<TrackRecord> measureTracks(const std::vector<Line>& tracks) {
  std::vector<TrackRecord> records;
  for (const Line& t : tracks) records.push_back(measureTrack(t));
  for (std::size_t i = 0; i < records.size(); ++i) {
    for (std::size_t j = i + 1; j < records.size(); ++j) {
      if (records[i].empty || records[j].empty) continue;
      const double shared = sharedPitchClassTime(tracks[i], tracks[j]);
      records[i].doubling[j] = shared / records[i].soundingTime() * 100.0;
      records[j].doubling[i] = shared / records[j].soundingTime() * 100.0;
    }
  }
  return records;
}

}  // namespace quorvel

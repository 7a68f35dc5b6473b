#include "learning/SongAnalysis.h"

#include <algorithm>
#include <mutex>

#include "model/Score.h"

namespace quorvel {

namespace {

constexpr double kDrumsMinRate = 0.15;
constexpr double kDrumsMinNoteShare = 0.15;
constexpr int kDrumImbalance = 9;
constexpr int kAccentLevel = 3;

Line melodyCodes(const NoteSet& set) {
  Line line;
  for (NoteCode c : set)
    if (!isDrumCode(c)) line.push_back(c);
  return line;
}

DrumRecord measureDrums(const Line& drums) {
  DrumRecord r;
  const NoteCode last = drums.back();
  r.length = kStepPixels * (noteStart(last) + drumLength(last));
  r.noteCount = static_cast<int>(drums.size());
  double sounding = 0;
  for (NoteCode c : drums) sounding += kStepPixels * drumLength(c);
  r.soundRate = sounding / r.length;
  return r;
}

double meanNoteCount(const std::vector<TrackRecord>& records) {
  int sum = 0, tracks = 0;
  for (const TrackRecord& r : records)
    if (!r.empty) sum += r.noteCount, ++tracks;
  return tracks ? static_cast<double>(sum) / tracks : 0.0;
}

char drumClassOf(const Line& drums) {
  const auto accents = std::count_if(drums.begin(), drums.end(), [](NoteCode c) { return drumLevel(c) == kAccentLevel; });
  const auto others = static_cast<std::ptrdiff_t>(drums.size()) - accents;
  const bool balanced = accents <= kDrumImbalance * others && others <= kDrumImbalance * accents;
  return balanced ? 'D' : 'B';
}

void decideDrums(SongAnalysis& a) {
  if (a.drums.empty()) return;
  a.drumRecord = measureDrums(a.drums);
  a.drumsUsed = a.drumRecord->soundRate >= kDrumsMinRate ||
                a.drumRecord->noteCount >= kDrumsMinNoteShare * meanNoteCount(a.records);
  if (a.drumsUsed) a.drumClass = drumClassOf(a.drums);
}

}  // namespace

void takeImportedTracks(Score& s, SongAnalysis& analysis) {
  std::lock_guard lock(s.noteMutex);
  analysis.tracks.clear();
  for (const TrackInfo& info : s.trackInfo) {
    if (info.value < kImportedTrackLast) break;
    analysis.tracks.push_back(melodyCodes(setAt(s, info.value)));
  }
  const NoteSet& drums = setAt(s, kImportedDrums);
  analysis.drums.clear();
  for (NoteCode c : drums)
    if (analysis.drums.empty() || analysis.drums.back() != c) analysis.drums.push_back(c);
}

void analyseTracks(SongAnalysis& a) {
  a.records = measureTracks(a.tracks);
  flagTracks(a.records);
  a.voices = chooseVoices(a.records);
  decideDrums(a);
  a.candidates = chooseCandidates(a.records, a.tracks);
}

void applyAnalysis(Score& s, const SongAnalysis& a) {
  std::lock_guard lock(s.noteMutex);
  for (int set = kBassSet; set <= kDrumsView; ++set) setAt(s, set).clear();
  for (std::size_t v = 0; v < a.voices.voices.size(); ++v) {
    const int part = kSopranoSet - static_cast<int>(v);
    for (NoteCode c : a.tracks[static_cast<std::size_t>(a.voices.voices[v])]) {
      setAt(s, part).insert(withLowBits(c, part));
      setAt(s, kMelodyView).insert(withLowBits(c, part));
    }
  }
  if (a.drumsUsed) {
    for (NoteCode c : a.drums) {
      setAt(s, kDrumSet0 + drumLevel(c)).insert(c);
      setAt(s, kDrumsView).insert(c);
    }
  }
  for (int set = kImportedDrums; set <= kImportedTrackFirst; ++set) setAt(s, set).clear();
}

}  // namespace quorvel

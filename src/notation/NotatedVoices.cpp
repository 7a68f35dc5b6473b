#include "notation/NotatedVoices.h"

#include <algorithm>
#include <tuple>

#include "notation/NoteValues.h"

namespace quorvel::notation {

namespace {

bool sameNote(const PartNote& a, const PartNote& b) {
  return a.start == b.start && a.key == b.key && a.length == b.length;
}

// Joins the chord that starts with the note for as long; answers whether it did.
bool joinChord(std::vector<Voice>& voices, const PartNote& n) {
  for (Voice& v : voices) {
    Chord& last = v.back();
    if (last.start == n.start && last.length == n.length) {
      last.keys.push_back(n.key);
      return true;
    }
  }
  return false;
}

void placeNote(std::vector<Voice>& voices, const PartNote& n) {
  if (joinChord(voices, n)) return;
  for (Voice& v : voices) {
    if (v.back().start + v.back().length <= n.start) {
      v.push_back({n.start, n.length, {n.key}});
      return;
    }
  }
  voices.push_back({{n.start, n.length, {n.key}}});
}

// Splits one stretch (a chord or a rest) inside a measure into its notated values.
void appendStretch(MeasurePieces& out, int position, int length, const std::vector<int>& keys, bool tiedBefore,
                   bool tiedAfter) {
  const std::vector<int> lengths = notatedLengths(position, length);
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    Piece p{position, lengths[i], keys, false, false, false, false};
    if (!keys.empty()) {
      p.tieFromBefore = i > 0 || tiedBefore;
      p.tieToNext = i + 1 < lengths.size() || tiedAfter;
    }
    out.push_back(p);
    position += lengths[i];
  }
}

// Adds a stretch of the song, cut at the barlines.
void addSpan(std::vector<MeasurePieces>& measures, int start, int length, const std::vector<int>& keys) {
  const int end = start + length;
  for (int at = start; at < end;) {
    const int measure = at / kStepsPerMeasure;
    const int barEnd = (measure + 1) * kStepsPerMeasure;
    const int pieceEnd = std::min(end, barEnd);
    appendStretch(measures[static_cast<std::size_t>(measure)], at - measure * kStepsPerMeasure, pieceEnd - at, keys,
                  at > start, pieceEnd < end);
    at = pieceEnd;
  }
}

}  // namespace

std::vector<Voice> voicesOf(std::vector<PartNote> notes) {
  std::sort(notes.begin(), notes.end(), [](const PartNote& a, const PartNote& b) {
    return std::tie(a.start, a.length, a.key) < std::tie(b.start, b.length, b.key);
  });
  notes.erase(std::unique(notes.begin(), notes.end(), sameNote), notes.end());
  std::vector<Voice> voices;
  for (const PartNote& n : notes) placeNote(voices, n);
  return voices;
}

Voice strokesOf(std::vector<PartNote> strokes) {
  std::sort(strokes.begin(), strokes.end(), [](const PartNote& a, const PartNote& b) {
    return std::tie(a.start, a.key, a.length) < std::tie(b.start, b.key, b.length);
  });
  Voice voice;
  for (const PartNote& n : strokes) {
    if (!voice.empty() && voice.back().start == n.start) {
      Chord& chord = voice.back();
      chord.length = std::min(chord.length, n.length);
      if (chord.keys.back() != n.key) chord.keys.push_back(n.key);
      continue;
    }
    if (!voice.empty()) voice.back().length = std::min(voice.back().length, n.start - voice.back().start);
    voice.push_back({n.start, n.length, {n.key}});
  }
  return voice;
}

std::vector<MeasurePieces> piecesByMeasure(const Voice& voice, int measureCount, bool fillRests) {
  std::vector<MeasurePieces> measures(static_cast<std::size_t>(measureCount));
  const int songEnd = measureCount * kStepsPerMeasure;
  int at = 0;
  for (const Chord& c : voice) {
    if (c.start > at && fillRests) addSpan(measures, at, c.start - at, {});
    addSpan(measures, c.start, c.length, c.keys);
    at = c.start + c.length;
  }
  if (fillRests && at < songEnd) addSpan(measures, at, songEnd - at, {});
  if (!fillRests) {
    // Silences before a note in the same measure are gaps; a trailing silence needs none.
    for (MeasurePieces& m : measures) {
      MeasurePieces withGaps;
      int position = 0;
      for (const Piece& p : m) {
        if (p.position > position) withGaps.push_back({position, p.position - position, {}, false, false, true, false});
        withGaps.push_back(p);
        position = p.position + p.length;
      }
      m = std::move(withGaps);
    }
  }
  for (MeasurePieces& m : measures) {
    if (m.size() == 1 && m.front().keys.empty() && !m.front().gap && m.front().length == kStepsPerMeasure)
      m.front().wholeMeasureRest = true;
  }
  return measures;
}

}  // namespace quorvel::notation

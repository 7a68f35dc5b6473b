#include "generator/CounterMelody.h"

#include <algorithm>
#include <cstdlib>

namespace quorvel {

namespace {

struct PlainNote {
  int startX;
  int endX;
  int pitch;
};

// One note per start, the highest; NoteSet order puts the higher pitch first.
std::vector<PlainNote> topNotes(const NoteSet& part) {
  std::vector<PlainNote> notes;
  for (NoteCode c : part) {
    const int start = noteStart(c);
    if (!notes.empty() && notes.back().startX == kStepPixels * start) continue;
    notes.push_back({kStepPixels * start, kStepPixels * (start + melodyLength(c)), melodyKey(c)});
  }
  return notes;
}

}  // namespace

int CounterMelody::noteCount() const {
  int n = 0;
  for (const MelodyEntry& e : entries) n += e.isNote ? 1 : 0;
  return n;
}

std::vector<int> CounterMelody::pitches() const {
  std::vector<int> out;
  for (const MelodyEntry& e : entries)
    if (e.isNote) out.push_back(e.pitch);
  return out;
}

std::vector<NotePlace> CounterMelody::notePlaces() const {
  std::vector<NotePlace> out;
  int x = originX;
  for (const MelodyEntry& e : entries) {
    if (e.isNote) out.push_back({x, e.duration});
    x += e.duration;
  }
  return out;
}

CounterMelody readCounterMelody(const NoteSet& part, int keyNote) {
  const std::vector<PlainNote> notes = topNotes(part);
  CounterMelody melody;
  if (!notes.empty()) melody.originX = std::min(kSongStartX, notes.front().startX);
  int x = melody.originX;
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const PlainNote& n = notes[i];
    if (n.startX > x) melody.entries.push_back({-1, n.startX - x, false});
    const int end = i + 1 < notes.size() ? std::min(n.endX, notes[i + 1].startX) : n.endX;
    melody.entries.push_back({n.pitch + kCounterFrameKey - keyNote, end - n.startX, true});
    x = end;
  }
  return melody;
}

void limitLeaps(std::vector<int>& pitches, int key) {
  for (std::size_t i = 0; i + 1 < pitches.size(); ++i) {
    int& earlier = pitches[i];
    int& later = pitches[i + 1];
    int& moved = std::abs(earlier - key) >= std::abs(later - key) ? earlier : later;
    const int other = &moved == &earlier ? later : earlier;
    while (std::abs(moved - other) > kMaxMelodyLeap) moved += moved > other ? -12 : 12;
  }
}

}  // namespace quorvel

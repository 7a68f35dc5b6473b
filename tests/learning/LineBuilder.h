#pragma once
// Hand-made lines and songs for the learning-data tests.
#include <memory>
#include <vector>

#include "learning/LearningSong.h"
#include "midifile/MidiWriter.h"
#include "model/Score.h"

namespace quorvel::test {

struct NoteSpec {
  int start;   // step
  int key;
  int length;  // steps
};

inline Line line(const std::vector<NoteSpec>& notes, int part = kSopranoSet) {
  Line out;
  for (const NoteSpec& n : notes) out.push_back(makeMelodyNote(n.start, n.key, n.length, part));
  std::sort(out.begin(), out.end());
  return out;
}

// `count` notes of `length` steps from `start` on, one after the other,
// climbing a whole tone each and wrapping after an octave.
inline Line run(int start, int count, int length, int gap = 0) {
  std::vector<NoteSpec> notes;
  for (int i = 0; i < count; ++i) notes.push_back({start + i * (length + gap), 60 + (2 * i) % 12, length});
  return line(notes);
}

// A MIDI file of the given part lines (Soprano first) and drum codes.
inline Bytes songFile(const std::vector<Line>& partsFromTop, const Line& drums = {}) {
  auto s = std::make_unique<Score>();
  for (std::size_t i = 0; i < partsFromTop.size(); ++i)
    for (NoteCode c : partsFromTop[i]) s->noteSets[kSopranoSet - i].insert(withLowBits(c, kSopranoSet - static_cast<int>(i)));
  for (NoteCode c : drums) s->noteSets[kDrumsView].insert(c);
  WriteOptions options;
  options.drums = !drums.empty();
  return writeMidi(*s, kSopranoSet, kSopranoSet + 1 - static_cast<int>(partsFromTop.size()), kDrumsView, options);
}

}  // namespace quorvel::test

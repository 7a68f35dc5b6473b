#include "model/TopLine.h"

#include <algorithm>
#include <climits>
#include <vector>
#include <optional>

#include "model/Score.h"

namespace quorvel {

namespace {

constexpr int endStep(NoteCode c) { return noteStart(c) + melodyLength(c); }

constexpr NoteCode withMelodyKey(NoteCode c, int key) {
  return (c & ~(0xFFu << 10)) | (static_cast<std::uint32_t>(kMaxMelodyKey - key) << 10);
}

// The part of a note from step on: same pitch, same written end.
NoteCode resumedAt(NoteCode c, int step) { return withMelodyLength(withStart(c, step), endStep(c) - step); }

// The note cut short so that it ends at step.
NoteCode cutAt(NoteCode c, int step) { return withMelodyLength(c, step - noteStart(c)); }

// Source notes whose written span covers the current step, in code order.
using Sounding = std::vector<NoteCode>;

void addSounding(Sounding& sounding, NoteCode c) {
  sounding.insert(std::upper_bound(sounding.begin(), sounding.end(), c), c);
}

// Highest sounding note above the given pitch; among equal pitches the first in code order.
std::optional<NoteCode> highestAbove(const Sounding& sounding, int pitch) {
  std::optional<NoteCode> best;
  for (NoteCode c : sounding) {
    if (melodyKey(c) > (best ? melodyKey(*best) : pitch)) best = c;
  }
  return best;
}

class LineWriter {
 public:
  LineWriter(NoteSet& target, int part, int keyPitch, std::uint32_t mode)
      : target_(target), part_(part), keyPitch_(keyPitch), mode_(mode) {}

  void emit(NoteCode c) const {
    if (mode_ & kTopLineKeepParts) {
      target_.insert(c);
      return;
    }
    c = withLowBits(c, part_);
    if (!(mode_ & kTopLineSetPart)) c = withMelodyKey(c, foldedKey(melodyKey(c) + 60 - keyPitch_));
    target_.insert(c);
  }

 private:
  static int foldedKey(int key) {
    while (key < 36) key += 12;
    while (key > 84) key -= 12;
    return key;
  }

  NoteSet& target_;
  int part_;
  int keyPitch_;
  std::uint32_t mode_;
};

void dropEndedAt(Sounding& sounding, int step) {
  std::erase_if(sounding, [step](NoteCode c) { return endStep(c) == step; });
}

// Nothing happens between a start and the next end, so the walk jumps from
// one to the next. Answers INT_MAX when no note starts or ends any more.
using NoteIter = std::vector<NoteCode>::const_iterator;
int nextEventStep(NoteIter next, NoteIter end, const Sounding& sounding) {
  int step = next != end ? noteStart(*next) : INT_MAX;
  for (NoteCode c : sounding) step = std::min(step, endStep(c));
  return step;
}

}  // namespace

void extractTopLine(const NoteSet& source, NoteSet& target, int part, int keyPitch, std::uint32_t mode) {
  std::vector<NoteCode> notes;
  for (NoteCode c : source) {
    if (!isDrumCode(c)) notes.push_back(c);
  }
  if (notes.empty()) return;
  const LineWriter out(target, part, keyPitch, mode);
  Sounding sounding;
  NoteCode current = 0;  // the note being written; its end is always the end of a sounding note
  bool hasCurrent = false;
  auto next = notes.cbegin();
  for (int step = noteStart(notes.front()); step != INT_MAX; step = nextEventStep(next, notes.cend(), sounding)) {
    dropEndedAt(sounding, step);
    if (hasCurrent && endStep(current) == step) {
      out.emit(current);
      hasCurrent = false;
    }
    for (; next != notes.cend() && noteStart(*next) == step; ++next) {
      const NoteCode n = *next;
      addSounding(sounding, n);
      if (!hasCurrent) {
        const auto higher = highestAbove(sounding, melodyKey(n));
        current = higher ? resumedAt(*higher, step) : n;
        hasCurrent = true;
      } else if (noteStart(current) < step && melodyKey(current) <= melodyKey(n)) {
        out.emit(cutAt(current, step));
        current = n;
      }
    }
    if (!hasCurrent && !sounding.empty()) {
      current = resumedAt(*highestAbove(sounding, -1), step);
      hasCurrent = true;
    }
  }
  if (hasCurrent) out.emit(current);
}

int resolveKeyPitch(const Score& s, int keyPitch) {
  return keyPitch == kGeneratorKeyPitch ? s.settings.melody[kKeyNote] : keyPitch;
}

}  // namespace quorvel

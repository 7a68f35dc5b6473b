#include "midifile/TrackWriter.h"

#include <functional>
#include <limits>
#include <queue>
#include <vector>

namespace quorvel {

namespace {

constexpr std::uint8_t kMelodyNoteOn = 0x90, kMelodyNoteOff = 0x80, kDrumNote = 0x99, kDrumNoteOff = 0x89;
constexpr std::uint8_t kMelodyVelocity = 100, kDrumEndVelocity = 1;
constexpr std::uint32_t kLowFields = kStepDelta - 1;

// A scheduled note end: its step above the code's fields below the start, so
// that ends of one step come out in the order of their codes.
using PendingEnd = std::uint64_t;
PendingEnd pendingEnd(int endStep, NoteCode code) {
  return (static_cast<std::uint64_t>(endStep) << kStartShift) | (code & kLowFields);
}
int endStepOf(PendingEnd e) { return static_cast<int>(e >> kStartShift); }
NoteCode fieldsOf(PendingEnd e) { return static_cast<NoteCode>(e & kLowFields); }

// The MIDI key of a code, or -1 when it has none that can be written.
int keyOf(NoteCode code, const DrumKeys& drumKeys) {
  if (isDrumCode(code)) {
    const int lane = drumRow(code);
    return lane >= 1 && lane <= 12 ? drumKeys[static_cast<std::size_t>(lane - 1)] & 0x7F : -1;
  }
  const int key = melodyKey(code);
  return key >= 0 && key <= 127 ? key : -1;
}

class EventWriter {
 public:
  EventWriter(Bytes& out, const DrumKeys& keys, TrackStyle style) : out_(out), keys_(keys), style_(style) {}

  void setStep(int step) {
    pendingTicks_ += static_cast<std::uint32_t>((step - step_) * style_.ticksPerStep);
    step_ = step;
  }
  void noteOn(NoteCode code) {
    const int key = keyOf(code, keys_);
    if (isDrumCode(code)) event(kDrumNote, key, drumVelocity(code));
    else event(melodyStatus(kMelodyNoteOn), key, kMelodyVelocity);
  }
  void noteEnd(NoteCode fields) {
    const int key = keyOf(fields, keys_);
    if (isDrumCode(fields) && style_.drumNoteOffs) event(kDrumNoteOff, key, 0);
    else if (isDrumCode(fields)) event(kDrumNote, key, kDrumEndVelocity);
    else event(melodyStatus(kMelodyNoteOff), key, 0);
  }

 private:
  void event(std::uint8_t status, int key, int velocity) {
    appendVlq(out_, pendingTicks_);
    pendingTicks_ = 0;
    out_.push_back(status);
    out_.push_back(static_cast<std::uint8_t>(key));
    out_.push_back(static_cast<std::uint8_t>(velocity & 0x7F));
  }

  std::uint8_t melodyStatus(std::uint8_t status) const {
    return static_cast<std::uint8_t>(status | (style_.melodyChannel & 0x0F));
  }

  Bytes& out_;
  const DrumKeys& keys_;
  TrackStyle style_;
  int step_ = kSongStartStep;
  std::uint32_t pendingTicks_ = 0;
};

int lengthOf(NoteCode code) { return isDrumCode(code) ? drumLength(code) : melodyLength(code); }
bool hasEndEvent(NoteCode code) { return !isDrumCode(code) || drumLength(code) != kMaxDrumLength; }

}  // namespace

std::size_t writeTrackEvents(const NoteSet& notes, Bytes& out, const DrumKeys& drumKeys, TrackStyle style) {
  const std::size_t before = out.size();
  EventWriter writer(out, drumKeys, style);
  std::priority_queue<PendingEnd, std::vector<PendingEnd>, std::greater<>> ends;
  auto next = firstAtStep(notes, kSongStartStep);
  constexpr int kNone = std::numeric_limits<int>::max();
  while (next != notes.end() || !ends.empty()) {
    const int startStep = next != notes.end() ? noteStart(*next) : kNone;
    const int endStep = !ends.empty() ? endStepOf(ends.top()) : kNone;
    const int step = std::min(startStep, endStep);
    writer.setStep(step);
    for (; !ends.empty() && endStepOf(ends.top()) == step; ends.pop()) writer.noteEnd(fieldsOf(ends.top()));
    for (; next != notes.end() && noteStart(*next) == step; ++next) {
      if (keyOf(*next, drumKeys) < 0) continue;
      writer.noteOn(*next);
      if (hasEndEvent(*next)) ends.push(pendingEnd(step + lengthOf(*next), *next));
    }
  }
  return out.size() - before;
}

}  // namespace quorvel

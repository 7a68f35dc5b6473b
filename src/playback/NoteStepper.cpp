#include "playback/NoteStepper.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "model/Score.h"
#include "playback/MidiMessages.h"

namespace quorvel {

namespace {

NoteCode melodyReleaseCode(NoteCode c) { return c + (static_cast<NoteCode>(melodyLength(c)) << kStartShift); }
NoteCode drumReleaseCode(NoteCode c) { return c + (static_cast<NoteCode>(drumLength(c)) << kStartShift); }
int writtenEndX(NoteCode c) { return kStepPixels * (noteStart(c) + melodyLength(c)); }

// Removes the codes in [lo, hi) from a set and answers them in ascending order.
std::vector<NoteCode> takeRange(NoteSet& set, NoteCode lo, NoteCode hi) {
  const auto first = set.lower_bound(lo);
  const auto last = set.lower_bound(hi);
  std::vector<NoteCode> taken(first, last);
  set.erase(first, last);
  return taken;
}

}  // namespace

DueRange dueRangeAt(int x) {
  return {static_cast<NoteCode>(x / kStepPixels) << kStartShift,
          static_cast<NoteCode>((x + kStepPixels) / kStepPixels) << kStartShift};
}

void NoteStepper::send(std::uint32_t message) { out_.sendAt(message, due_); }

void NoteStepper::clear() {
  soundingNotes_.clear();
  soundingDrums_.clear();
  strictActive_.clear();
}

std::vector<NoteCode> NoteStepper::dueInScore(int setIndex, NoteCode lo, NoteCode hi) const {
  std::lock_guard lock(score_.noteMutex);
  const NoteSet& set = score_.noteSets[static_cast<std::size_t>(setIndex)];
  return {set.lower_bound(lo), set.lower_bound(hi)};
}

void NoteStepper::releaseDueNotes(NoteCode lo, NoteCode hi) {
  for (NoteCode r : takeRange(soundingNotes_, lo, hi)) send(melodyNoteOff(r));
}

void NoteStepper::releaseDueDrums(NoteCode lo, NoteCode hi, bool sendRelease) {
  for (NoteCode r : takeRange(soundingDrums_, lo, hi)) {
    if (sendRelease) sendDrumRelease(r);
  }
}

void NoteStepper::soundNote(NoteCode code) {
  send(melodyNoteOn(code, settings_.volume));
  soundingNotes_.insert(melodyReleaseCode(code));
}

int NoteStepper::drumKeyOf(NoteCode code) const {
  const int row = drumRow(code);
  if (row < 1 || row > static_cast<int>(settings_.drumKeys.size())) return -1;
  return settings_.drumKeys[static_cast<std::size_t>(row - 1)];
}

void NoteStepper::soundDrum(NoteCode code, bool alwaysRelease) {
  const int key = drumKeyOf(code);
  if (key < 0) return;  // no lane of the drum map: nothing to sound
  send(drumHit(key, drumVelocity(code)));
  // A hit of a full beat rings out on its own in normal play.
  if (alwaysRelease || drumLength(code) < kMaxDrumLength) soundingDrums_.insert(drumReleaseCode(code));
}

void NoteStepper::sendDrumRelease(NoteCode releaseCode) {
  const int key = drumKeyOf(releaseCode);
  if (key >= 0) send(drumRelease(key));
}

void NoteStepper::normalStep(int x, int setIndex, MuteState mute) {
  const auto [lo, hi] = dueRangeAt(x);
  releaseDueNotes(lo, hi);
  if (!mute.melody) {
    for (NoteCode n : dueInScore(setIndex, lo, hi)) soundNote(n);
  }
  releaseDueDrums(lo, hi, settings_.drumNoteOff);
  if (!mute.drums) {
    for (NoteCode d : dueInScore(kDrumsView, lo, hi)) soundDrum(d, false);
  }
}

void NoteStepper::strictStep(int x, int setIndex) {
  const auto [lo, hi] = dueRangeAt(x);
  std::array<bool, 4> partStruck{};  // a part ended or began a note at this tick
  std::array<NoteCode, 4> resume{};

  // Parts whose sounding note ends here may fall back on a note still written to last.
  for (NoteCode r : takeRange(soundingNotes_, lo, hi)) {
    send(melodyNoteOff(r));
    partStruck[static_cast<std::size_t>(melodyPart(r))] = true;
  }
  std::erase_if(strictActive_, [x](NoteCode c) {
    const int end = writtenEndX(c);
    return end >= x && end < x + kStepPixels;
  });
  for (NoteCode c : strictActive_) {
    const auto p = static_cast<std::size_t>(melodyPart(c));
    if (!partStruck[p]) continue;
    if (resume[p] == 0 || melodyKey(resume[p]) < melodyKey(c)) resume[p] = c;
  }

  partStruck.fill(false);
  for (NoteCode n : dueInScore(setIndex, lo, hi)) {
    const auto p = static_cast<std::size_t>(melodyPart(n));
    partStruck[p] = true;
    auto sounding = std::find_if(soundingNotes_.begin(), soundingNotes_.end(),
                                 [&](NoteCode s) { return melodyPart(s) == melodyPart(n); });
    if (sounding != soundingNotes_.end()) {
      if (melodyKey(*sounding) <= melodyKey(n)) {
        send(melodyNoteOff(*sounding));
        soundingNotes_.erase(sounding);
        soundNote(n);
      }
    } else if (resume[p] != 0 && melodyKey(resume[p]) > melodyKey(n)) {
      soundNote(resume[p]);
    } else {
      soundNote(n);
    }
    strictActive_.insert(n);
  }
  for (std::size_t p = 0; p < resume.size(); ++p) {
    if (!partStruck[p] && resume[p] != 0) soundNote(resume[p]);
  }
}

void NoteStepper::previewStep(int x, int setIndex) {
  const auto [lo, hi] = dueRangeAt(x);
  releaseDueNotes(lo, hi);
  releaseDueDrums(lo, hi, true);
  for (NoteCode n : dueInScore(setIndex, lo, hi)) {
    if (isDrumCode(n)) {
      soundDrum(n, true);
    } else {
      soundNote(n);
    }
  }
}

void NoteStepper::releaseEverything() {
  for (NoteCode r : soundingNotes_) send(melodyNoteOff(r));
  for (NoteCode r : soundingDrums_) sendDrumRelease(r);
  soundingNotes_.clear();
  soundingDrums_.clear();
}

}  // namespace quorvel

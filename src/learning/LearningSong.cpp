#include "learning/LearningSong.h"

#include <mutex>

#include "base/QuietUi.h"
#include "midifile/MidiReader.h"
#include "model/Score.h"

namespace quorvel {

namespace {

void dropDrumCodes(NoteSet& set) {
  std::erase_if(set, [](NoteCode c) { return isDrumCode(c); });
}

void emptyImportedSets(Score& work) {
  for (int i = kImportedTrackFirst; i >= kImportedDrums; --i) work.noteSets[static_cast<std::size_t>(i)].clear();
  work.trackInfo = {};
}

}  // namespace

int readLearningSong(Score& work, ByteView file, int partsWanted, LearningSong& song) {
  song = LearningSong{};
  QuietUi ui;
  ImportResult result;
  if (readMidiBytes(work, ui, file, ReadOptions{}, result) != 0) return -1;
  std::lock_guard lock(work.noteMutex);
  int part = kSopranoSet;
  for (const ImportedTrack& track : result.tracks) {
    if (part < kSopranoSet + 1 - partsWanted) break;
    if (!track.melody) continue;
    NoteSet& target = song.parts[static_cast<std::size_t>(part--)];
    target.swap(work.noteSets[static_cast<std::size_t>(track.setIndex)]);
    if (track.drums) dropDrumCodes(target);
  }
  song.drums.swap(work.noteSets[kImportedDrums]);
  emptyImportedSets(work);
  return 0;
}

Line lineOf(const NoteSet& set) { return Line(set.begin(), set.end()); }

}  // namespace quorvel

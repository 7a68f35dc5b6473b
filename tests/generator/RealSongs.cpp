#include "RealSongs.h"

#include <algorithm>
#include <map>

#include "base/FileIo.h"
#include "generator/CounterMelody.h"
#include "midifile/FileHead.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"
#include "tools/KeyTools.h"
#include "tools/RegulateChain.h"

namespace quorvel::testing {

namespace {

bool readInto(Score& score, Ui& ui, ByteView bytes, const ReadOptions& options, ImportResult& imported) {
  if (readMidiBytes(score, ui, bytes, options, imported) != 0) return false;
  clipToTimeline(score);
  takeFileHead(score, imported.info);
  return true;
}

bool detectKeyOf(Score& score, Ui& ui) { return detectKey(score, ui, true).has_value(); }

}  // namespace

bool loadRegulatedSong(Score& score, Ui& ui, const std::filesystem::path& file) {
  const auto bytes = readWholeFile(file.string());
  if (!bytes) return false;
  ReadOptions merged;
  merged.merged = true;
  merged.readDrums = true;
  Score raw;
  ImportResult imported;
  if (!readInto(raw, ui, *bytes, merged, imported) || !regulateSong(raw, ui)) return false;
  WriteOptions write;
  write.drums = true;
  const Bytes regulated = writeMidi(raw, kSopranoSet, kBassSet, kDrumsView, write);
  ImportResult again;
  return readInto(score, ui, regulated, merged, again) && detectKeyOf(score, ui);
}

bool loadChoraleSoprano(Score& score, Ui& ui, const std::filesystem::path& file) {
  const auto bytes = readWholeFile(file.string());
  if (!bytes) return false;
  ImportResult imported;
  if (!readInto(score, ui, *bytes, ReadOptions{}, imported)) return false;
  const auto soprano = std::find_if(imported.tracks.begin(), imported.tracks.end(),
                                    [](const ImportedTrack& t) { return t.melody; });
  if (soprano == imported.tracks.end()) return false;
  const int part = score.editPart();
  for (NoteCode c : score.noteSets[static_cast<std::size_t>(soprano->setIndex)])
    if (!isDrumCode(c)) addNote(score, part, withLowBits(c, part));
  clipToTimeline(score);
  return detectKeyOf(score, ui);
}

VoiceLines counterLinesOf(const Score& score, int voiceCount) {
  const int top = score.editPart();
  const int keyNote = score.settings.melody[kKeyNote];
  const CounterMelody melody = readCounterMelody(score.noteSets[static_cast<std::size_t>(top)], keyNote);
  std::vector<int> pitches = melody.pitches();
  limitLeaps(pitches, kCounterFrameKey);
  VoiceLines lines = emptyLines(static_cast<int>(pitches.size()));
  std::copy(pitches.begin(), pitches.end(), lines[0].begin());
  const std::vector<NotePlace> places = melody.notePlaces();
  for (int k = 1; k < voiceCount; ++k) {
    std::map<int, int> byStart;
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(top - k)]) byStart[noteStart(c)] = melodyKey(c);
    for (std::size_t i = 0; i < places.size(); ++i) {
      const auto found = byStart.find(places[i].x / kStepPixels);
      if (found != byStart.end())
        lines[static_cast<std::size_t>(k)][i] = found->second - keyNote + kCounterFrameKey;
    }
  }
  return lines;
}

int notesBelow(const Score& score, int voiceCount, int lowest) {
  int count = 0;
  for (int k = 1; k < voiceCount; ++k)
    for (NoteCode c : score.noteSets[static_cast<std::size_t>(score.editPart() - k)])
      count += melodyKey(c) < lowest ? 1 : 0;
  return count;
}

}  // namespace quorvel::testing

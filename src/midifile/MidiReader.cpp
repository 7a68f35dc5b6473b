#include "midifile/MidiReader.h"

#include <algorithm>
#include <mutex>

#include "base/Messages.h"
#include "base/Ui.h"
#include "midifile/FileDialogs.h"
#include "base/FileIo.h"
#include "midifile/GatheredNotes.h"
#include "midifile/SmfHeader.h"
#include "midifile/TrackReader.h"
#include "model/Score.h"

namespace quorvel {

namespace {

constexpr int kMaxImportedTracks = kImportedTrackFirst - kImportedTrackLast + 1;  // 32

// Emptied last set first: the node pool hands out the node freed last first,
// and a set frees its nodes from its last code back, so the next read gets
// the nodes in the order it fills the sets (18 up to 50, each in code order)
// and finds them side by side in memory. Emptied in any other order, they
// scatter further with every read and filling the sets waits on the memory.
void clearImportedSets(Score& s) {
  std::lock_guard lock(s.noteMutex);
  for (int i = kImportedTrackFirst; i >= kImportedDrums; --i) setAt(s, i).clear();
  s.trackInfo = {};
}

ByteView bodyOf(ByteView file, const TrackChunk& chunk) { return file.subspan(chunk.offset, chunk.length); }

std::vector<TrackChunk> allTracks(ByteView file, const SmfHeader& header) {
  std::vector<TrackChunk> tracks{header.firstTrack};
  const auto more = findTracks(file, header.firstTrack.offset + header.firstTrack.length, header.trackCount - 1);
  tracks.insert(tracks.end(), more.begin(), more.end());
  return tracks;
}

void readMerged(Score& s, Ui& ui, ByteView file, const SmfHeader& header, const ReadOptions& options,
                ImportResult& result) {
  clearAll(s, ui);
  clearImportedSets(s);
  const int target = s.editPart();
  const int drumMode = options.readDrums ? kDrumsToDrumSets : kDrumsIgnored;
  const ChannelRemap remap{options.allAsDrums, options.allAsRegular};
  std::string name;
  GatheredNotes notes;
  for (const TrackChunk& chunk : allTracks(file, header)) {
    const int got = readTrack(notes, bodyOf(file, chunk), target, header.division, result.info, drumMode, remap, name);
    if (got > 0 && (got & kTrackHasDrums)) result.anyDrums = true;
  }
  notes.storeInto(s);
  {
    std::lock_guard lock(s.noteMutex);
    if (options.removeDuplicates) removeDuplicateCodes(setAt(s, target));
    setAt(s, kMelodyView) = setAt(s, target);
  }
  ui.redraw(RedrawTarget::Melody);
  ui.redraw(RedrawTarget::Drums);
}

void readTrackByTrack(Score& s, ByteView file, const SmfHeader& header, const ReadOptions& options,
                      ImportResult& result) {
  clearImportedSets(s);
  const ChannelRemap remap{options.allAsDrums, options.allAsRegular};
  int nextSet = kImportedTrackFirst;
  int trackNumber = 0;
  GatheredNotes notes;
  for (const TrackChunk& chunk : allTracks(file, header)) {
    ++trackNumber;
    if (static_cast<int>(result.tracks.size()) == kMaxImportedTracks) break;
    ImportedTrack track;
    const int got = readTrack(notes, bodyOf(file, chunk), nextSet, header.division, result.info, kDrumsToTrackSet,
                              remap, track.name);
    if (got == kConductorTrack) continue;
    track.setIndex = nextSet--;
    track.trackNumber = trackNumber;
    track.melody = (got & kTrackHasMelody) != 0;
    track.drums = (got & kTrackHasDrums) != 0;
    result.anyDrums = result.anyDrums || track.drums;
    s.trackInfo[result.tracks.size()] = {trackNumber, track.setIndex};
    result.tracks.push_back(std::move(track));
  }
  notes.storeInto(s);
  if (options.removeDuplicates) {
    std::lock_guard lock(s.noteMutex);
    for (int i = kImportedDrums; i <= kImportedTrackFirst; ++i) removeDuplicateCodes(setAt(s, i));
  }
}

// The second line says what is wrong with the file, so that a text file, an
// empty file and a cut-off one do not read alike.
std::string problemLine(const HeaderProblem& problem, int language) {
  if (problem.text == nullptr) return {};
  std::string line = localized(problem.text, language);
  const auto at = line.find("%d");
  if (at != std::string::npos) line.replace(at, 2, std::to_string(problem.value));
  return "\n" + line;
}

void reportFailure(Score& s, Ui& ui, const std::string& text, const std::string& caption, bool quiet,
                   const HeaderProblem& problem = {}) {
  const int language = s.settings.general.language;
  if (!quiet)
    ui.messageBox(localized(text, language) + problemLine(problem, language), caption, MsgIcon::Exclamation,
                  MsgButtons::Ok);
  s.fileName.clear();
}

}  // namespace

ReadOptions ReadOptions::from(const FileSettings& file) {
  ReadOptions o;
  o.merged = file.isOn(kReadFormat0);
  o.readDrums = file.isOn(kReadDrumsTrack);
  o.removeDuplicates = file.isOn(kRemoveDuplicates);
  o.allAsDrums = file.isOn(kReadAllAsDrums);
  o.allAsRegular = !o.allAsDrums && file.isOn(kReadAllAsRegular);
  return o;
}

void removeDuplicateCodes(NoteSet& set) {
  for (auto it = set.begin(); it != set.end();) {
    const auto next = set.upper_bound(*it);
    if (std::next(it) != next) set.erase(std::next(it), next);
    it = next;
  }
}

int readMidiBytes(Score& s, Ui& ui, ByteView file, const ReadOptions& options, ImportResult& result) {
  result = ImportResult{};
  SmfHeader header;
  if (parseHeader(file, header) < 0) return -1;
  if (options.merged) readMerged(s, ui, file, header, options, result);
  else readTrackByTrack(s, file, header, options, result);
  return 0;
}

int readMidiFile(Score& s, Ui& ui, const std::string& path, bool quiet, ImportResult& result,
                 std::string& chosenPath) {
  chosenPath = path.empty() ? askMidiOpenPath(s, ui) : path;
  if (chosenPath.empty()) return -1;
  const auto bytes = readWholeFile(chosenPath);
  if (!bytes) {
    reportFailure(s, ui, "File could not be created or opened", chosenPath, quiet);
    return -1;
  }
  if (readMidiBytes(s, ui, *bytes, ReadOptions::from(s.settings.file), result) != 0) {
    reportFailure(s, ui, "Please check if the file is right", chosenPath, quiet, diagnoseHeader(*bytes));
    return -1;
  }
  return 0;
}

}  // namespace quorvel

#include "midifile/SongFiles.h"

#include <filesystem>
#include <mutex>

#include "base/Messages.h"
#include "base/Ui.h"
#include "midifile/FileDialogs.h"
#include "midifile/FileHead.h"
#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"
#include "midifile/TrackAssignment.h"
#include "model/Score.h"

namespace quorvel {

namespace {

constexpr int kExportFirstSet = kImportedTrackFirst;  // sets 50..47 take Soprano..Bass
constexpr int kExportDrumsSet = 46;

int language(const Score& s) { return s.settings.general.language; }

void finishMergedRead(Score& s, Ui& ui, const ImportResult& imported, const std::string& path) {
  s.undo[static_cast<std::size_t>(s.editPart())].clear();
  markSaved(s, path, localized("Read.", language(s)), ui);
  clipToTimeline(s);
  takeFileHead(s, imported.info);
}

// Writes the bytes; on failure tells the user and forgets the song's file name.
int writeOrReport(Score& s, Ui& ui, const std::string& path, const Bytes& bytes) {
  if (replaceFileContents(path, bytes)) return 0;
  ui.messageBox(localized("File could not be created or opened", language(s)), path, MsgIcon::Exclamation,
                MsgButtons::Ok);
  s.fileName.clear();
  return -1;
}

int writeSongTo(Score& s, Ui& ui, const std::string& path) {
  WriteOptions options = WriteOptions::from(s.settings.file);
  options.partNames = true;  // reopening finds each part by name, even below an empty one
  const Bytes bytes = writeMidi(s, kSopranoSet, kBassSet, kDrumsView, options);
  if (writeOrReport(s, ui, path, bytes) != 0) return -1;
  // With "Export drums." off the drums are not in the file: the user must know before they are lost.
  const bool drumsLeftOut = !options.drums && !setAt(s, kDrumsView).empty();
  markSaved(s, path, localized(drumsLeftOut ? "Saved without drums" : "Saved.", language(s)), ui);
  return 0;
}

// Copies the codes between the locators into an export set, moved so that the
// left locator lands on the song's beginning.
void copyBetweenLocators(Score& s, int from, int to, int leftStep, int rightStep) {
  const NoteCode first = static_cast<NoteCode>(leftStep) << kStartShift;
  const NoteCode last = static_cast<NoteCode>(rightStep) << kStartShift;
  const NoteCode shift = static_cast<NoteCode>(leftStep - kSongStartStep) << kStartShift;
  NoteSet& target = setAt(s, to);
  target.clear();
  const NoteSet& source = setAt(s, from);
  for (auto it = source.lower_bound(first); it != source.end() && *it <= last; ++it)
    target.insert(target.end(), *it - shift);
}

void clearWorkAndImportSets(Score& s) {
  std::lock_guard lock(s.noteMutex);
  for (int i = kWorkSetFirst; i <= kImportedTrackFirst; ++i) setAt(s, i).clear();
}

}  // namespace

int openSongFile(Score& s, Ui& ui, const std::string& path) {
  ImportResult imported;
  std::string chosen;
  if (readMidiFile(s, ui, path, false, imported, chosen) != 0) return -1;
  if (ReadOptions::from(s.settings.file).merged) {
    finishMergedRead(s, ui, imported, chosen);
    return 0;
  }
  TrackAssignment model = makeTrackAssignment(imported, language(s));
  if (!ui.runTrackAssignment(model)) {
    discardImport(s);
    return -1;
  }
  applyTrackAssignment(s, ui, model, imported, chosen);
  return 0;
}

int saveSong(Score& s, Ui& ui) {
  if (!s.isModified()) return -2;
  if (s.fileName.empty()) return saveSongAs(s, ui);
  return writeSongTo(s, ui, s.fileName);
}

int saveSongAs(Score& s, Ui& ui) {
  const std::string path = askMidiSavePath(s, ui, s.fileName);
  if (path.empty()) return -1;
  return writeSongTo(s, ui, path);
}

int exportBetweenLocators(Score& s, Ui& ui) {
  const int left = s.leftLocator.load();
  const int right = s.rightLocator.load();
  if (right <= left) {
    ui.messageBox(localized("No space between locators", language(s)), "Quorvel", MsgIcon::Exclamation,
                  MsgButtons::Ok);
    return -1;
  }
  const std::string path = askMidiSavePath(s, ui, "");
  if (path.empty()) return -1;
  const WriteOptions options = WriteOptions::from(s.settings.file);
  {
    std::lock_guard lock(s.noteMutex);
    for (int part = kSopranoSet; part >= kBassSet; --part)
      copyBetweenLocators(s, part, kExportFirstSet - (kSopranoSet - part), left / kStepPixels, right / kStepPixels);
    if (options.drums) copyBetweenLocators(s, kDrumsView, kExportDrumsSet, left / kStepPixels, right / kStepPixels);
  }
  const Bytes bytes = writeMidi(s, kExportFirstSet, kExportFirstSet - 3, kExportDrumsSet, options);
  clearWorkAndImportSets(s);
  return writeOrReport(s, ui, path, bytes);
}

}  // namespace quorvel

#pragma once
// The one song being edited: notes of four melody parts and four drum sets,
// markers, selection, flags, settings and undo histories. Owned by the
// application and passed by reference; changed only on the window thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "model/NoteSet.h"
#include "model/UndoHistory.h"
#include "base/SettingsRecord.h"

namespace quorvel {

class Ui;

// Indices into Score::noteSets.
enum NoteSetIndex : int {
  kBassSet = 0,
  kTenorSet = 1,
  kAltoSet = 2,
  kSopranoSet = 3,
  kDrumSet0 = 4,  // drum sets 4..7 hold the notes of level 0..3
  kDrumSet3 = 7,
  kMelodyView = 8,
  kDrumsView = 9,
  kDragSet = 10,
  kSelection = 12,
  kWorkSetFirst = 13,
  kWorkSetLast = 17,
  kImportedDrums = 18,
  kImportedTrackLast = 19,  // the 32nd imported track
  kImportedTrackFirst = 50, // the first imported track that has notes
  kNoteSetCount = 51
};

// stateFlags bits.
enum StateFlag : std::uint32_t {
  kFlagPlaying = 0x20,
  kFlagFlushNotes = 0x80,
  kFlagModified = 0x100,
  kFlagUntouchedResult = 0x200,
  kFlagGenerating = 0x4000,
  kFlagInfinite = 0x8000,
  kFlagDrumsEdit = 0x10000,
  kFlagDrumsEdit2 = 0x20000,
  kFlagDrumsBand = 0x40000,
  kFlagAnalysing = 0x80000,  // the folder analysis is running
};

struct TrackInfo {
  std::int32_t trackIndex = 0;
  std::int32_t value = -1;
};

struct Bounds {
  std::int32_t left = 65535, top = 65535, right = 0, bottom = 0;
  bool empty() const { return left == 65535 && top == 65535 && right == 0 && bottom == 0; }
};

inline constexpr int kDefaultCue = 10, kDefaultLeftLocator = 10, kDefaultRightLocator = 330,
                     kDefaultEndIndicator = 5130;

struct Score {
  Score();
  Score(const Score&) = delete;
  Score& operator=(const Score&) = delete;

  // Persisted settings, including `tempo`, `volume`, `language` (general),
  // `editPart` (parts), `drumSet` and `drumVelocity` (drums).
  Settings settings;

  std::array<NoteSet, kNoteSetCount> noteSets;
  std::array<TrackInfo, 32> trackInfo;
  NoteSet moveScratch;
  NoteSet clipboard;

  // Shared with the player thread.
  std::atomic<std::uint32_t> stateFlags{kFlagDrumsBand};
  std::atomic<std::int32_t> cueIndicator{kDefaultCue};
  std::atomic<std::int32_t> leftLocator{kDefaultLeftLocator};
  std::atomic<std::int32_t> rightLocator{kDefaultRightLocator};
  std::atomic<std::int32_t> endIndicator{kDefaultEndIndicator};

  Bounds selectionBounds;
  std::string fileName;  // UTF-8 path; empty: the song has no file yet
  int keyBase = 72;      // octave base of the keyboards: (key note / 12) * 12

  std::array<UndoHistory, 8> undo;
  std::uint32_t lastCommandMark = 0;  // the mark of the last command undone as one step

  // Taken by every primitive that changes a note set, and by the player for
  // each step it reads. Recursive so that a bulk edit may hold it around calls.
  mutable std::recursive_mutex noteMutex;

  // Convenience views of the live settings.
  int& tempo() { return settings.general.tempo; }
  int& language() { return settings.general.language; }
  int editPart() const { return settings.parts.editPart; }
  int drumSet() const { return settings.drums.drumSet; }
  bool drumsEditMode() const { return (stateFlags.load() & kFlagDrumsEdit) != 0; }
  // The set that edits, selection and undo act on.
  int activeSet() const { return drumsEditMode() ? drumSet() : editPart(); }
  bool isModified() const { return (stateFlags.load() & kFlagModified) != 0; }
  void setFlag(std::uint32_t bits) { stateFlags.fetch_or(bits); }
  void clearFlag(std::uint32_t bits) { stateFlags.fetch_and(~bits); }
  bool hasFlag(std::uint32_t bits) const { return (stateFlags.load() & bits) != 0; }
};

// One note set of the score by its NoteSetIndex.
inline NoteSet& setAt(Score& s, int index) { return s.noteSets[static_cast<std::size_t>(index)]; }
inline const NoteSet& setAt(const Score& s, int index) { return s.noteSets[static_cast<std::size_t>(index)]; }

// View set (8 melody, 9 drums) that mirrors a part or drum set.
constexpr int viewSetOf(int setIndex) { return setIndex <= kSopranoSet ? kMelodyView : kDrumsView; }

// Note-set primitives that keep the view sets in step.
void addNote(Score& s, int setIndex, NoteCode code);
void removeNote(Score& s, int setIndex, NoteCode code);
void removeSet(Score& s, int setIndex);
void moveSelection(Score& s, std::uint32_t delta, int targetSet, Ui& ui);
void clearSelection(Score& s, Ui& ui);
Bounds computeSelectionBounds(const Score& s);
void copySelection(Score& s);
void cutSelection(Score& s, Ui& ui);
void paste(Score& s);
void deleteSelection(Score& s, Ui& ui);

// Bulk clearing. Mask bit 3 (8) melodies, bit 7 (128) drums.
inline constexpr int kClearMelodies = 8, kClearDrums = 128, kNewSongMask = 136;
void clearMelodies(Score& s, Ui& ui);
void clearDrums(Score& s, Ui& ui);
// Clears as the mask says and forgets the file; the caller has already asked
// the save-changes question.
void newSong(Score& s, int mask, Ui& ui);
void clearAll(Score& s, Ui& ui);

void markModified(Score& s, Ui& ui);
// statusText: "Saved." or "Read." in the current language.
void markSaved(Score& s, const std::string& fileName, const std::string& statusText, Ui& ui);
void clipToTimeline(Score& s);

// Undo and redo on the active set.
void undo(Score& s, Ui& ui);
void redo(Score& s, Ui& ui);
void clearAllUndo(Score& s);

}  // namespace quorvel

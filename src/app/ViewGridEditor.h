#pragma once
// Mouse editing of the melody grid and the drum grid: hit testing, selection
// by click, Ctrl+click and rubber band, dragging (single note, selection move,
// Ctrl copy, new note, paste placement), key-note dragging and deletion.
// Works in client pixels of the grid; every committed edit is one undo step.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/ViewGeometry.h"
#include "model/Score.h"

namespace quorvel {

class Ui;

struct ViewModifiers {
  bool ctrl = false;
  bool shift = false;
};

enum class DragKind { None, Single, Move, Copy, NewNote, Paste };

// stateFlags bits of the grid drags.
enum ViewDragFlag : std::uint32_t {
  kFlagDraggingNotes = 0x1,
  kFlagCreatingOrCopying = 0x2,
  kFlagMovingSelection = 0x4,
  kFlagRubberBand = 0x8,
  kFlagKeyNoteDrag = 0x400,
  kGridDragFlags = 0x1 | 0x2 | 0x4 | 0x8 | 0x400,
};

// Corners of a rubber band in timeline coordinates, in drag order.
struct BandRect {
  GridPoint anchor;
  GridPoint corner;
  int left() const;
  int right() const;
  int top() const;
  int bottom() const;
};

class ViewGridEditor {
 public:
  ViewGridEditor(Score& score, Ui& ui, ViewState& view, GridKind kind);

  void leftDown(int cx, int cy, ViewModifiers mods);
  void mouseMove(int cx, int cy, bool leftHeld, ViewModifiers mods);
  void leftUp();
  void leftDoubleClick(int cx, int cy, ViewModifiers mods);
  void rightDown();
  void rightDoubleClick(int cx, int cy);

  // Puts the clipboard into the drag set; the notes follow the mouse and the
  // next left click drops them, a right click drops the paste.
  void beginPaste();
  void cancelPaste();

  // Makes this grid the edited one; switching clears the other's selection.
  void makeEdited();
  // Selects every note of the active set.
  void selectAll();

  // The last note in the row whose span holds the point, if any.
  std::optional<NoteCode> hitTest(GridPoint p) const;

  // Drawing state.
  DragKind drag() const { return drag_; }
  GridPoint dragOffset() const { return offset_; }
  std::optional<BandRect> rubberBand() const { return band_; }
  std::optional<NoteCode> clickedNote() const { return clicked_; }
  bool draggingKeyNote() const { return keyDrag_; }
  GridKind kind() const { return kind_; }

  // Called when a key-note drag ends, so that the options page can refresh.
  std::function<void()> onKeyNoteDropped;

 private:
  bool drums() const { return kind_ == GridKind::Drums; }
  // A generation run pumps events: the song must not change under it.
  bool locked() const { return score_.hasFlag(kFlagGenerating); }
  int activeSet() const { return score_.activeSet(); }
  NoteSet& set(int index) { return score_.noteSets[static_cast<std::size_t>(index)]; }
  NoteSet& selection() { return set(kSelection); }
  NoteSet& dragSet() { return set(kDragSet); }
  GridPoint snap(int cx, int cy) const;
  std::string pointerText(GridPoint p) const;
  int rowMin() const { return drums() ? kDrumLaneFirst : 0; }
  int rowMax() const { return drums() ? kDrumLaneLast : kMelodyRowCount - 1; }
  bool inTimeline(int x) const { return x >= kSongStartX && x < kTimelineEndX; }
  bool onKeyNoteBand(GridPoint p) const;

  void pressOnNote(NoteCode note, GridPoint p, ViewModifiers mods);
  void pressOnEmpty(GridPoint p, ViewModifiers mods);
  void startBand(GridPoint p);
  void followKeyNote(GridPoint p);
  void liftNotes(bool ctrl);
  void updateOffset(GridPoint p);
  GridPoint clampOffset(GridPoint wanted) const;
  std::uint32_t codeDelta() const;
  void selectInBand();
  void commitDrag();
  void commitSingle(std::uint32_t delta);
  void commitMove(std::uint32_t delta);
  void commitAdded(std::uint32_t delta, bool selectResult);
  void finishEdit();
  void resetDrag();
  NoteCode pasteCode(NoteCode c) const;
  bool acceptsCode(NoteCode c) const { return isDrumCode(c) == drums(); }
  void createNote(GridPoint p);

  Score& score_;
  Ui& ui_;
  ViewState& view_;
  GridKind kind_;

  DragKind drag_ = DragKind::None;
  bool dragStarted_ = false;
  bool keyDrag_ = false;
  bool removeOnRelease_ = false;
  std::optional<NoteCode> clicked_;
  std::optional<BandRect> band_;
  GridPoint origin_;
  GridPoint offset_;
};

}  // namespace quorvel

#include "app/ViewGridEditor.h"

#include <algorithm>
#include <climits>

#include "base/Ui.h"
#include "playback/CueAdvance.h"

namespace quorvel {

int BandRect::left() const { return std::min(anchor.x, corner.x); }
int BandRect::right() const { return std::max(anchor.x, corner.x); }
int BandRect::top() const { return std::min(anchor.y, corner.y); }
int BandRect::bottom() const { return std::max(anchor.y, corner.y); }

namespace {

constexpr int kBandStartSize = 6;

// Clamps without requiring lo <= hi: an impossible range pins to lo.
int clampLoose(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

struct Extent {
  int firstStart = INT_MAX, lastEnd = INT_MIN, firstRow = INT_MAX, lastRow = INT_MIN;
};

Extent extentOf(const NoteSet& notes, bool drums) {
  Extent e;
  for (NoteCode c : notes) {
    const int start = noteStart(c);
    const int length = drums ? drumLength(c) : melodyLength(c);
    const int row = drums ? drumRow(c) : melodyRow(c);
    e.firstStart = std::min(e.firstStart, start);
    e.lastEnd = std::max(e.lastEnd, start + length);
    e.firstRow = std::min(e.firstRow, row);
    e.lastRow = std::max(e.lastRow, row);
  }
  return e;
}

}  // namespace

ViewGridEditor::ViewGridEditor(Score& score, Ui& ui, ViewState& view, GridKind kind)
    : score_(score), ui_(ui), view_(view), kind_(kind) {}

GridPoint ViewGridEditor::snap(int cx, int cy) const {
  return snapPoint(cx, cy, view_.scrollX, drums() ? 0 : view_.scrollY);
}

bool ViewGridEditor::onKeyNoteBand(GridPoint p) const {
  return !drums() && p.x < kSongStartX && p.y == keyNoteRowY(score_.settings.melody[kKeyNote]);
}

void ViewGridEditor::makeEdited() {
  if (score_.drumsEditMode() == drums()) return;
  clearSelection(score_, ui_);
  if (drums()) {
    score_.setFlag(kFlagDrumsEdit | kFlagDrumsEdit2);
  } else {
    score_.clearFlag(kFlagDrumsEdit | kFlagDrumsEdit2);
  }
}

std::optional<NoteCode> ViewGridEditor::hitTest(GridPoint p) const {
  const NoteSet& notes = score_.noteSets[static_cast<std::size_t>(activeSet())];
  const int step = floorDiv(p.x, kStepPixels);
  if (step < 0) return std::nullopt;
  const int longest = drums() ? kMaxDrumLength : kMaxMelodyLength;
  auto it = notes.upper_bound((static_cast<NoteCode>(step) + 1) << kStartShift);
  while (it != notes.begin()) {
    --it;
    if (noteStart(*it) < step - longest) break;
    const NoteRect r = decodeNote(*it, drums());
    if (r.y == p.y && r.x <= p.x && p.x < r.x + r.width) return *it;
  }
  return std::nullopt;
}

void ViewGridEditor::leftDown(int cx, int cy, ViewModifiers mods) {
  if (locked()) return;
  if (drag_ == DragKind::Paste) {
    updateOffset(snap(cx, cy));
    commitAdded(codeDelta(), true);
    resetDrag();
    return;
  }
  makeEdited();
  resetDrag();
  const GridPoint p = snap(cx, cy);
  if (onKeyNoteBand(p)) {
    keyDrag_ = true;
    score_.setFlag(kFlagKeyNoteDrag);
    return;
  }
  if (const auto note = hitTest(p)) {
    pressOnNote(*note, p, mods);
  } else if (p.x >= kSongStartX) {
    pressOnEmpty(p, mods);
  }
}

void ViewGridEditor::pressOnNote(NoteCode note, GridPoint p, ViewModifiers mods) {
  clicked_ = note;
  origin_ = p;
  offset_ = {};
  const bool selected = selection().count(note) != 0;
  if (mods.ctrl) {
    if (selected) {
      removeOnRelease_ = true;
    } else {
      selection().insert(note);
      score_.selectionBounds = computeSelectionBounds(score_);
    }
  } else if (!selected) {
    clearSelection(score_, ui_);
  }
}

void ViewGridEditor::pressOnEmpty(GridPoint p, ViewModifiers mods) {
  if (!mods.ctrl) clearSelection(score_, ui_);
  if (view_.tool == ViewTool::Select) startBand(p);
}

void ViewGridEditor::startBand(GridPoint p) {
  band_ = BandRect{p, {p.x + kBandStartSize, p.y + kBandStartSize}};
  score_.setFlag(kFlagRubberBand);
}

// Where the mouse is, in the song's terms: bar and beat, and the key under it.
std::string ViewGridEditor::pointerText(GridPoint p) const {
  std::string text = positionText(std::max(p.x, kSongStartX), score_.settings.general.language);
  const int row = rowOfY(p.y);
  if (!drums() && row >= 0 && row < kMelodyRowCount) text += "  " + keyName(kMaxMelodyKey - row);
  return text;
}

void ViewGridEditor::mouseMove(int cx, int cy, bool leftHeld, ViewModifiers mods) {
  ui_.setStatus(3, pointerText(snap(cx, cy)));
  if (drag_ == DragKind::Paste) {
    updateOffset(snap(cx, cy));
    return;
  }
  if (!leftHeld) return;
  if (keyDrag_) {
    followKeyNote(snap(cx, cy));
    return;
  }
  if (!band_ && !clicked_ && drag_ == DragKind::None) return;
  autoScroll(view_, cx);
  const GridPoint p = snap(cx, cy);
  if (band_) {
    const int top = drums() ? kBandTopDrums : kBandTopMelody;
    const int bottom = drums() ? kBandBottomDrums : kBandBottomMelody;
    band_->corner = {std::clamp(p.x, kSongStartX, kTimelineEndX), std::clamp(p.y, top, bottom)};
    return;
  }
  if (clicked_ && !dragStarted_) liftNotes(mods.ctrl);
  updateOffset(p);
}

void ViewGridEditor::followKeyNote(GridPoint p) {
  const int key = std::clamp(keyOfRowY(p.y), kKeyNoteLowest, kKeyNoteHighest);
  auto& keyNote = score_.settings.melody[kKeyNote];
  if (key == keyNote) return;
  keyNote = key;
  score_.keyBase = (key / 12) * 12;
  ui_.redraw(RedrawTarget::KeyNote);
}

void ViewGridEditor::liftNotes(bool ctrl) {
  const NoteCode note = *clicked_;
  dragStarted_ = true;
  removeOnRelease_ = false;
  if (selection().count(note) == 0) {
    removeNote(score_, activeSet(), note);
    dragSet() = NoteSet{note};
    drag_ = DragKind::Single;
    score_.setFlag(kFlagDraggingNotes);
  } else if (ctrl) {
    dragSet() = selection();
    drag_ = DragKind::Copy;
    score_.setFlag(kFlagCreatingOrCopying);
  } else {
    dragSet() = selection();
    removeSet(score_, kSelection);
    drag_ = DragKind::Move;
    score_.setFlag(kFlagMovingSelection);
  }
}

void ViewGridEditor::updateOffset(GridPoint p) {
  offset_ = clampOffset({p.x - origin_.x, p.y - origin_.y});
}

GridPoint ViewGridEditor::clampOffset(GridPoint wanted) const {
  const Extent e = extentOf(score_.noteSets[kDragSet], drums());
  if (e.firstStart == INT_MAX) return {};
  const int steps = clampLoose(floorDiv(wanted.x, kStepPixels), kSongStartStep - e.firstStart,
                               kTimelineEndStep - e.lastEnd);
  const int rows = clampLoose(floorDiv(wanted.y, kRowPixels), rowMin() - e.firstRow, rowMax() - e.lastRow);
  return {steps * kStepPixels, rows * kRowPixels};
}

std::uint32_t ViewGridEditor::codeDelta() const {
  const auto steps = static_cast<std::uint32_t>(offset_.x / kStepPixels);
  const auto rows = static_cast<std::uint32_t>(offset_.y / kRowPixels);
  return steps * kStepDelta + rows * (drums() ? kDrumRowDelta : kMelodyRowDelta);
}

void ViewGridEditor::leftUp() {
  if (drag_ == DragKind::Paste) return;
  if (keyDrag_) {
    if (onKeyNoteDropped) onKeyNoteDropped();
  } else if (band_) {
    selectInBand();
  } else if (drag_ != DragKind::None) {
    commitDrag();
  } else if (clicked_) {
    // A click without a drag: Ctrl takes a selected note out, a plain click selects the note.
    if (removeOnRelease_) {
      eraseOne(selection(), *clicked_);
    } else if (selection().count(*clicked_) == 0) {
      selection().insert(*clicked_);
    }
    score_.selectionBounds = computeSelectionBounds(score_);
  }
  resetDrag();
}

void ViewGridEditor::selectInBand() {
  const int left = band_->left(), right = band_->right(), top = band_->top(), bottom = band_->bottom();
  const NoteSet& notes = score_.noteSets[static_cast<std::size_t>(activeSet())];
  NoteSet found;
  for (auto it = firstAtStep(notes, std::max(0, (left - kLongestNotePixels) / kStepPixels));
       it != notes.end() && noteStart(*it) * kStepPixels <= right; ++it) {
    const NoteRect r = decodeNote(*it, drums());
    if (r.y >= top && r.y < bottom && r.x + r.width > left) found.insert(*it);
  }
  // Ctrl bands add to a selection: never select one note twice.
  for (auto it = found.begin(); it != found.end(); it = found.upper_bound(*it)) {
    const auto wanted = found.count(*it);
    for (auto have = selection().count(*it); have < wanted; ++have) selection().insert(*it);
  }
  score_.selectionBounds = computeSelectionBounds(score_);
}

void ViewGridEditor::commitDrag() {
  const std::uint32_t delta = codeDelta();
  switch (drag_) {
    case DragKind::Single: commitSingle(delta); break;
    case DragKind::Move: commitMove(delta); break;
    case DragKind::Copy:
      // Copies on top of their originals would be invisible duplicates.
      if (delta != 0) commitAdded(delta, true);
      break;
    case DragKind::NewNote: commitAdded(delta, false); break;
    case DragKind::None:
    case DragKind::Paste: break;
  }
}

void ViewGridEditor::commitSingle(std::uint32_t delta) {
  const NoteCode moved = *dragSet().begin() + delta;
  addNote(score_, activeSet(), moved);
  selection() = NoteSet{moved};
  if (delta != 0) {
    score_.undo[static_cast<std::size_t>(activeSet())].record(delta, NoteSet{moved});
    finishEdit();
  }
  score_.selectionBounds = computeSelectionBounds(score_);
}

void ViewGridEditor::commitMove(std::uint32_t delta) {
  moveSelection(score_, delta, activeSet(), ui_);
  if (delta == 0) return;
  score_.undo[static_cast<std::size_t>(activeSet())].record(delta, selection());
  finishEdit();
}

void ViewGridEditor::commitAdded(std::uint32_t delta, bool selectResult) {
  NoteSet added;
  for (NoteCode c : dragSet()) added.insert(c + delta);
  if (added.empty()) return;
  for (NoteCode c : added) addNote(score_, activeSet(), c);
  score_.undo[static_cast<std::size_t>(activeSet())].record(kUndoAdded, added);
  if (selectResult) selection() = added;
  finishEdit();
}

void ViewGridEditor::finishEdit() {
  score_.selectionBounds = computeSelectionBounds(score_);
  markModified(score_, ui_);
}

void ViewGridEditor::resetDrag() {
  dragSet().clear();
  drag_ = DragKind::None;
  dragStarted_ = false;
  keyDrag_ = false;
  removeOnRelease_ = false;
  clicked_.reset();
  band_.reset();
  offset_ = {};
  score_.clearFlag(kGridDragFlags);
}

void ViewGridEditor::leftDoubleClick(int cx, int cy, ViewModifiers mods) {
  if (locked()) return;
  if (drag_ == DragKind::Paste) {
    leftDown(cx, cy, mods);
    return;
  }
  makeEdited();
  const GridPoint p = snap(cx, cy);
  if (view_.tool == ViewTool::Select && p.x >= kSongStartX) {
    resetDrag();
    pressOnEmpty(p, mods);
    return;
  }
  const bool plain = !mods.ctrl && !mods.shift;
  if (view_.tool == ViewTool::Generate && plain && selection().empty() && inTimeline(p.x) &&
      rowOfY(p.y) >= rowMin() && rowOfY(p.y) <= rowMax()) {
    resetDrag();
    createNote(p);
    return;
  }
  leftDown(cx, cy, mods);
}

void ViewGridEditor::createNote(GridPoint p) {
  NoteCode code = 0;
  if (drums()) {
    const int level = score_.drumSet() & 3;
    const int width = std::min(view_.newDrumLength, kTimelineEndX - p.x);
    code = encodeNote(p.x, p.y, width, level, velocityOfLevel(level, score_.settings.drums.drumVelocity), true);
  } else {
    const int width = std::min(view_.newNoteLength, kTimelineEndX - p.x);
    code = encodeNote(p.x, p.y, width, score_.editPart(), 0, false);
  }
  dragSet() = NoteSet{code};
  drag_ = DragKind::NewNote;
  dragStarted_ = true;
  origin_ = p;
  offset_ = {};
  score_.setFlag(kFlagDraggingNotes | kFlagCreatingOrCopying);
}

void ViewGridEditor::rightDown() {
  if (locked()) return;
  makeEdited();
  if (drag_ == DragKind::Paste) resetDrag();
}

void ViewGridEditor::rightDoubleClick(int cx, int cy) {
  if (locked()) return;
  makeEdited();
  const auto note = hitTest(snap(cx, cy));
  if (!note) return;
  eraseOne(selection(), *note);
  removeNote(score_, activeSet(), *note);
  score_.undo[static_cast<std::size_t>(activeSet())].recordOne(*note);
  finishEdit();
}

NoteCode ViewGridEditor::pasteCode(NoteCode c) const {
  if (!drums()) return withLowBits(c, score_.editPart());
  // A drum note lives in the set of its level: the pasted note takes the
  // active set's level and keeps its own velocity.
  const auto level = static_cast<std::uint32_t>(score_.drumSet() & 3);
  return (c & ~(3u << 10)) | (level << 10);
}

void ViewGridEditor::beginPaste() {
  if (locked()) return;
  makeEdited();
  resetDrag();
  NoteSet placed;
  for (NoteCode c : score_.clipboard) {
    if (acceptsCode(c)) placed.insert(pasteCode(c));
  }
  if (placed.empty()) return;
  dragSet() = placed;
  const Extent e = extentOf(placed, drums());
  origin_ = {e.firstStart * kStepPixels, rowY(e.firstRow)};
  drag_ = DragKind::Paste;
  score_.setFlag(kFlagDraggingNotes | kFlagCreatingOrCopying);
}

void ViewGridEditor::cancelPaste() {
  if (drag_ == DragKind::Paste) resetDrag();
}

void ViewGridEditor::selectAll() {
  makeEdited();
  selection() = score_.noteSets[static_cast<std::size_t>(activeSet())];
  score_.selectionBounds = computeSelectionBounds(score_);
}

}  // namespace quorvel

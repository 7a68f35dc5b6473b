#include "ui/views/NoteGridView.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/views/ViewPalette.h"

namespace quorvel::views {

namespace {

bool isBlackKey(int key) {
  const int k = key % 12;
  return k == 1 || k == 3 || k == 6 || k == 8 || k == 10;
}

ViewModifiers modifiersOf(const QMouseEvent* e) {
  return {(e->modifiers() & Qt::ControlModifier) != 0, (e->modifiers() & Qt::ShiftModifier) != 0};
}

}  // namespace

NoteGridView::NoteGridView(Score& score, ViewState& view, ViewGridEditor& editor, QWidget* parent)
    : PixmapView(editor.kind() == GridKind::Drums ? "drumsMainC" : "mainC", parent),
      score_(score),
      view_(view),
      editor_(editor) {
  setMouseTracking(true);
  if (drums()) setFixedHeight(kDrumGridHeight);
}

int NoteGridView::gridHeight() const { return drums() ? kDrumGridHeight : kMelodyGridHeight; }

QRect NoteGridView::noteRect(NoteCode code) const {
  const NoteRect r = decodeNote(code, drums());
  return {r.x - view_.scrollX, r.y - scrollY(), r.width, kRowPixels};
}

void NoteGridView::render(QPainter& p) {
  const int left = view_.scrollX;
  const int right = left + width();
  p.fillRect(rect(), kOutside);
  p.save();
  p.translate(-view_.scrollX, -scrollY());
  drawRows(p, left, right);
  drawBeatLines(p, left, right);
  if (!drums()) drawKeyNoteBand(p, left, right);
  drawNotes(p, left, right);
  drawDragged(p);
  drawRubberBand(p);
  p.restore();
}

void NoteGridView::drawRows(QPainter& p, int left, int right) {
  const int end = std::min(right, kGridWidth);
  p.fillRect(QRect(left, 0, end - left, gridHeight()), kGridBackground);
  if (drums()) {
    drawDrumLanes(p, left, end);
  } else {
    drawMelodyRows(p, left, end);
  }
  if (right > kTimelineEndX) p.fillRect(QRect(kTimelineEndX, 0, right - kTimelineEndX, gridHeight()), kOutside);
}

void NoteGridView::drawMelodyRows(QPainter& p, int left, int right) {
  for (int row = 0; row < kMelodyRowCount; ++row) {
    const int key = kMaxMelodyKey - row;
    const int y = rowY(row);
    if (isBlackKey(key)) p.fillRect(QRect(left, y, right - left, kRowPixels), kBlackKeyRow);
    // Lines under every C (octave) and every F (the E-F half step).
    if (key % 12 == 0 || key % 12 == 5) {
      p.setPen(key % 12 == 0 ? kOctaveLine : kFifthLine);
      p.drawLine(left, y + kRowPixels, right, y + kRowPixels);
    }
  }
}

void NoteGridView::drawDrumLanes(QPainter& p, int left, int right) {
  for (int lane = kDrumLaneFirst; lane <= kDrumLaneLast; ++lane) {
    if (lane % 2 == 0) p.fillRect(QRect(left, rowY(lane), right - left, kRowPixels), kBlackKeyRow);
  }
  p.setPen(kOctaveLine);
  p.drawLine(left, rowY(kDrumLaneFirst), right, rowY(kDrumLaneFirst));
  p.drawLine(left, rowY(kDrumLaneLast + 1), right, rowY(kDrumLaneLast + 1));
}

void NoteGridView::drawBeatLines(QPainter& p, int left, int right) {
  const int firstBar = std::max(0, (left - kSongStartX) / kBarPixels);
  for (int x0 = kSongStartX + firstBar * kBarPixels; x0 <= std::min(right, kTimelineEndX); x0 += kBarPixels) {
    p.setPen(kBeatLine);
    if (x0 < kTimelineEndX) {
      for (int beat = 20; beat < kBarPixels; beat += 20) p.drawLine(x0 + beat, 0, x0 + beat, gridHeight());
    }
    p.setPen(kBarLine);
    p.drawLine(x0, 0, x0, gridHeight());
  }
}

void NoteGridView::drawKeyNoteBand(QPainter& p, int left, int right) {
  const int y = keyNoteRowY(score_.settings.melody[kKeyNote]);
  p.fillRect(QRect(left, y, right - left, 6), kKeyNoteBand);
  // The handle in the left margin that drags the key note.
  p.setPen(Qt::NoPen);
  p.setBrush(kKeyNoteMarker);
  const QPoint handle[3] = {QPoint(1, y - 2), QPoint(9, y + 3), QPoint(1, y + 8)};
  p.drawPolygon(handle, 3);
}

void NoteGridView::drawNotes(QPainter& p, int left, int right) {
  const int active = score_.activeSet();
  const bool editingHere = score_.drumsEditMode() == drums();
  const int first = drums() ? kDrumSet0 : kBassSet;
  const int last = drums() ? kDrumSet3 : kSopranoSet;
  for (int set = first; set <= last; ++set) {
    if (editingHere && set == active) continue;
    const QColor base = drums() ? levelColour(set - kDrumSet0) : partColour(set);
    drawSet(p, set, left, right, fadedColour(base));
  }
  if (editingHere) {
    drawSet(p, active, left, right, drums() ? levelColour(active - kDrumSet0) : partColour(active));
    drawSelection(p, left, right);
  } else if (!drums()) {
    drawSet(p, score_.editPart(), left, right, partColour(score_.editPart()));
  }
}

void NoteGridView::drawSet(QPainter& p, int setIndex, int left, int right, const QColor& colour) {
  const NoteSet& notes = score_.noteSets[static_cast<std::size_t>(setIndex)];
  const int longest = (drums() ? kMaxDrumLength : kMaxMelodyLength) * kStepPixels;
  const QColor outline = outlineColour(colour);
  for (auto it = firstAtStep(notes, std::max(0, (left - longest) / kStepPixels));
       it != notes.end() && noteStart(*it) * kStepPixels <= right; ++it) {
    drawNote(p, *it, 0, 0, colour, outline);
  }
}

void NoteGridView::drawSelection(QPainter& p, int left, int right) {
  const auto clicked = editor_.clickedNote();
  for (NoteCode c : score_.noteSets[kSelection]) {
    const NoteRect r = decodeNote(c, drums());
    if (r.x + r.width >= left && r.x <= right) drawNote(p, c, 0, 0, kSelectionFill, kSelectionOutline);
  }
  if (clicked && editor_.drag() == DragKind::None) drawNote(p, *clicked, 0, 0, kSelectionFill, kSelectionOutline);
}

void NoteGridView::drawDragged(QPainter& p) {
  if (editor_.drag() == DragKind::None) return;
  const GridPoint offset = editor_.dragOffset();
  for (NoteCode c : score_.noteSets[kDragSet]) {
    drawNote(p, c, offset.x, offset.y, kSelectionFill, colourOf(c));
  }
}

void NoteGridView::drawRubberBand(QPainter& p) {
  const auto band = editor_.rubberBand();
  if (!band) return;
  QPen pen(kRubberBand);
  pen.setStyle(Qt::DashLine);
  p.setPen(pen);
  p.setBrush(QColor(kRubberBand.red(), kRubberBand.green(), kRubberBand.blue(), 40));
  p.drawRect(QRect(QPoint(band->left(), band->top()), QPoint(band->right() - 1, band->bottom() - 1)));
}

void NoteGridView::drawNote(QPainter& p, NoteCode code, int dx, int dy, const QColor& fill, const QColor& outline) {
  const NoteRect r = decodeNote(code, drums());
  const QRect box(r.x + dx, r.y + dy, r.width, kRowPixels);
  p.fillRect(box, outline);
  if (r.width > 2) p.fillRect(box.adjusted(1, 1, -1, -1), fill);
}

QColor NoteGridView::colourOf(NoteCode code) const {
  return drums() ? levelColour(drumLevel(code)) : partColour(melodyPart(code));
}

void NoteGridView::mousePressEvent(QMouseEvent* event) {
  emit pressed();
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    editor_.leftDown(pos.x(), pos.y(), modifiersOf(event));
  } else if (event->button() == Qt::RightButton) {
    editor_.rightDown();
  }
  emit changed();
}

void NoteGridView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const bool held = (event->buttons() & Qt::LeftButton) != 0;
  editor_.mouseMove(pos.x(), pos.y(), held, modifiersOf(event));
  // A plain hover only writes the position; nothing needs drawing.
  if (held || editor_.drag() == DragKind::Paste) emit changed();
}

void NoteGridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  editor_.leftUp();
  emit changed();
}

void NoteGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  emit pressed();
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    editor_.leftDoubleClick(pos.x(), pos.y(), modifiersOf(event));
  } else if (event->button() == Qt::RightButton) {
    editor_.rightDoubleClick(pos.x(), pos.y());
  }
  emit changed();
}

}  // namespace quorvel::views

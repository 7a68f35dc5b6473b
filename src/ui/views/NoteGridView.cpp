#include "ui/views/NoteGridView.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "model/NoteCode.h"
#include "ui/views/ViewPalette.h"

namespace quorvel::views {

namespace {

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
  if (drums()) setMinimumHeight(kDrumGridHeight);
}

int NoteGridView::gridHeight() const { return drums() ? kDrumGridHeight : kMelodyGridHeight; }

ScreenMap NoteGridView::screenMap() const { return {view_.scrollX, scrollY(), view_.zoomX, rowScale()}; }

double NoteGridView::rowScale() const {
  if (!drums()) return view_.zoomY;
  return std::max(1.0, static_cast<double>(height()) / kDrumGridHeight);
}

QRect NoteGridView::noteRect(NoteCode code) const {
  const NoteRect r = decodeNote(code, drums());
  return screenMap().rect(r.x, r.y, r.width, kRowPixels);
}

QPoint NoteGridView::gridPoint(QPointF screen) const {
  return {static_cast<int>(screen.x() / view_.zoomX), static_cast<int>(screen.y() / rowScale())};
}

void NoteGridView::render(QPainter& p) {
  const ScreenMap map = screenMap();
  const int left = view_.scrollX;
  const int right = map.rightEdge(width());
  p.fillRect(rect(), kOutside);
  drawRows(p, map, left, right);
  drawBeatLines(p, map, left, right);
  if (!drums()) drawKeyNoteBand(p, map, left, right);
  drawNotes(p, map, left, right);
  drawDragged(p, map);
  drawRubberBand(p, map);
}

void NoteGridView::drawRows(QPainter& p, const ScreenMap& map, int left, int right) {
  const int end = std::min(right, kGridWidth);
  p.fillRect(map.rect(left, 0, end - left, gridHeight()), kGridBackground);
  if (drums()) {
    drawDrumLanes(p, map, left, end);
  } else {
    drawMelodyRows(p, map, left, end);
  }
  if (right > kTimelineEndX) p.fillRect(map.rect(kTimelineEndX, 0, right - kTimelineEndX, gridHeight()), kOutside);
}

void NoteGridView::drawMelodyRows(QPainter& p, const ScreenMap& map, int left, int right) {
  for (int row = 0; row < kMelodyRowCount; ++row) {
    const int key = kMaxMelodyKey - row;
    const int y = rowY(row);
    if (isBlackKey(key)) p.fillRect(map.rect(left, y, right - left, kRowPixels), kBlackKeyRow);
    // Lines under every C (octave) and every F (the E-F half step).
    if (key % 12 == 0 || key % 12 == 5) {
      p.setPen(key % 12 == 0 ? kOctaveLine : kFifthLine);
      p.drawLine(map.x(left), map.y(y + kRowPixels), map.x(right), map.y(y + kRowPixels));
    }
  }
}

void NoteGridView::drawDrumLanes(QPainter& p, const ScreenMap& map, int left, int right) {
  for (int lane = kDrumLaneFirst; lane <= kDrumLaneLast; ++lane) {
    if (lane % 2 == 0) p.fillRect(map.rect(left, rowY(lane), right - left, kRowPixels), kBlackKeyRow);
  }
  p.setPen(kOctaveLine);
  p.drawLine(map.x(left), map.y(rowY(kDrumLaneFirst)), map.x(right), map.y(rowY(kDrumLaneFirst)));
  p.drawLine(map.x(left), map.y(rowY(kDrumLaneLast + 1)), map.x(right), map.y(rowY(kDrumLaneLast + 1)));
}

// Zoomed far out, beat lines and then most bar lines would fill the grid grey:
// only lines at least a few pixels apart are drawn.
void NoteGridView::drawBeatLines(QPainter& p, const ScreenMap& map, int left, int right) {
  constexpr int kBeat = kBarPixels / 4;
  const bool beats = kBeat * map.zoomX >= 6.0;
  const int barStride = std::max(1, static_cast<int>(std::ceil(4.0 / (kBarPixels * map.zoomX))));
  const int bottom = map.y(gridHeight());
  const int firstBar = std::max(0, (left - kSongStartX) / kBarPixels);
  for (int bar = firstBar; kSongStartX + bar * kBarPixels <= std::min(right, kTimelineEndX); ++bar) {
    const int x0 = kSongStartX + bar * kBarPixels;
    if (beats && x0 < kTimelineEndX) {
      p.setPen(kBeatLine);
      for (int beat = kBeat; beat < kBarPixels; beat += kBeat) p.drawLine(map.x(x0 + beat), map.y(0), map.x(x0 + beat), bottom);
    }
    if (bar % barStride != 0) continue;
    p.setPen(kBarLine);
    p.drawLine(map.x(x0), map.y(0), map.x(x0), bottom);
  }
}

void NoteGridView::drawKeyNoteBand(QPainter& p, const ScreenMap& map, int left, int right) {
  const int y = keyNoteRowY(score_.settings.melody[kKeyNote]);
  p.fillRect(map.rect(left, y, right - left, 6), kKeyNoteBand);
  // The handle in the left margin that drags the key note.
  p.setPen(Qt::NoPen);
  p.setBrush(kKeyNoteMarker);
  const QPoint handle[3] = {QPoint(map.x(1), map.y(y - 2)), QPoint(map.x(9), map.y(y + 3)), QPoint(map.x(1), map.y(y + 8))};
  p.drawPolygon(handle, 3);
}

void NoteGridView::drawNotes(QPainter& p, const ScreenMap& map, int left, int right) {
  const int active = score_.activeSet();
  const bool editingHere = score_.drumsEditMode() == drums();
  const int first = drums() ? kDrumSet0 : kBassSet;
  const int last = drums() ? kDrumSet3 : kSopranoSet;
  for (int set = first; set <= last; ++set) {
    if (editingHere && set == active) continue;
    const QColor base = drums() ? levelColour(set - kDrumSet0) : partColour(set);
    drawSet(p, map, set, left, right, fadedColour(base));
  }
  if (editingHere) {
    drawSet(p, map, active, left, right, drums() ? levelColour(active - kDrumSet0) : partColour(active));
    drawSelection(p, map, left, right);
  }
}

void NoteGridView::drawSet(QPainter& p, const ScreenMap& map, int setIndex, int left, int right, const QColor& colour) {
  const NoteSet& notes = score_.noteSets[static_cast<std::size_t>(setIndex)];
  const int longest = (drums() ? kMaxDrumLength : kMaxMelodyLength) * kStepPixels;
  const QColor outline = outlineColour(colour);
  for (auto it = firstAtStep(notes, std::max(0, (left - longest) / kStepPixels));
       it != notes.end() && noteStart(*it) * kStepPixels <= right; ++it) {
    drawNote(p, map, *it, 0, 0, colour, outline);
  }
}

void NoteGridView::drawSelection(QPainter& p, const ScreenMap& map, int left, int right) {
  const auto clicked = editor_.clickedNote();
  for (NoteCode c : score_.noteSets[kSelection]) {
    const NoteRect r = decodeNote(c, drums());
    if (r.x + r.width >= left && r.x <= right) drawNote(p, map, c, 0, 0, kSelectionFill, kSelectionOutline);
  }
  if (clicked && editor_.drag() == DragKind::None) drawNote(p, map, *clicked, 0, 0, kSelectionFill, kSelectionOutline);
}

void NoteGridView::drawDragged(QPainter& p, const ScreenMap& map) {
  if (editor_.drag() == DragKind::None) return;
  const GridPoint offset = editor_.dragOffset();
  for (NoteCode c : score_.noteSets[kDragSet]) {
    drawNote(p, map, c, offset.x, offset.y, kSelectionFill, colourOf(c));
  }
}

void NoteGridView::drawRubberBand(QPainter& p, const ScreenMap& map) {
  const auto band = editor_.rubberBand();
  if (!band) return;
  QPen pen(kRubberBand);
  pen.setStyle(Qt::DashLine);
  p.setPen(pen);
  p.setBrush(QColor(kRubberBand.red(), kRubberBand.green(), kRubberBand.blue(), 40));
  const QRect r = map.rect(band->left(), band->top(), band->right() - band->left(), band->bottom() - band->top());
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

void NoteGridView::drawNote(QPainter& p, const ScreenMap& map, NoteCode code, int dx, int dy, const QColor& fill,
                            const QColor& outline) {
  const NoteRect r = decodeNote(code, drums());
  const QRect box = map.rect(r.x + dx, r.y + dy, r.width, kRowPixels);
  p.fillRect(box, outline);
  if (box.width() > 2 && box.height() > 2) p.fillRect(box.adjusted(1, 1, -1, -1), fill);
}

QColor NoteGridView::colourOf(NoteCode code) const {
  return drums() ? levelColour(drumLevel(code)) : partColour(melodyPart(code));
}

void NoteGridView::mousePressEvent(QMouseEvent* event) {
  emit pressed();
  const QPoint pos = gridPoint(event->position());
  if (event->button() == Qt::LeftButton) {
    editor_.leftDown(pos.x(), pos.y(), modifiersOf(event));
  } else if (event->button() == Qt::RightButton) {
    editor_.rightDown();
  }
  emit changed();
}

void NoteGridView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = gridPoint(event->position());
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
  const QPoint pos = gridPoint(event->position());
  if (event->button() == Qt::LeftButton) {
    editor_.leftDoubleClick(pos.x(), pos.y(), modifiersOf(event));
  } else if (event->button() == Qt::RightButton) {
    editor_.rightDoubleClick(pos.x(), pos.y());
  }
  emit changed();
}

}  // namespace quorvel::views

#include "ui/views/PianoRoll.h"

#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QSplitter>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/ViewZoom.h"
#include "base/Messages.h"
#include "base/TextFormat.h"
#include "ui/views/DrumLaneView.h"
#include "ui/views/KeyboardView.h"
#include "ui/views/LengthStripView.h"
#include "ui/views/NoteGridView.h"
#include "ui/views/RulerView.h"

namespace quorvel::views {

namespace {

constexpr int kMarkerPollMs = 30;
constexpr int kFirstVisibleRowY = 190;  // opens around the middle octaves
constexpr int kWheelBarPixels = 80;
constexpr int kWheelRowPixels = 30;
constexpr int kLengthStripWidth = 190;
constexpr int kDrumsPaneHeight = 2 * kDrumGridHeight + 28;  // lanes of 10 px, and the drum length strip

}  // namespace

PianoRoll::PianoRoll(Score& score, Ui& ui, ViewState& view, ViewTransport& transport, QWidget* parent)
    : QWidget(parent),
      score_(score),
      ui_(ui),
      view_(view),
      melodyEditor_(score, ui, view, GridKind::Melody),
      drumEditor_(score, ui, view, GridKind::Drums),
      rulerEditor_(score, ui, view, transport) {
  if (view_.scrollY == 0) view_.scrollY = kFirstVisibleRowY;
  buildLayout();
  connectViews();
  setDrumsBandVisible(score_.hasFlag(kFlagDrumsBand));
  markerTimer_ = new QTimer(this);
  connect(markerTimer_, &QTimer::timeout, this, &PianoRoll::pollMarkers);
  markerTimer_->start(kMarkerPollMs);
  syncScrollBars();
}

PianoRoll::~PianoRoll() = default;

// Two panes under one splitter: the melody area on top and the drums band
// below, whose height the user drags; the drum lanes grow with it.
void PianoRoll::buildLayout() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->setObjectName("drumsSplitter");
  splitter_->setChildrenCollapsible(false);
  outer->addWidget(splitter_);
  splitter_->addWidget(buildMelodyPane());
  splitter_->addWidget(buildDrumsPane());
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->setSizes({400, kDrumsPaneHeight});

  for (QWidget* w : {static_cast<QWidget*>(melodyGrid_), static_cast<QWidget*>(drumGrid_),
                     static_cast<QWidget*>(ruler_), static_cast<QWidget*>(keyboard_)}) {
    w->installEventFilter(this);
  }
}

QWidget* PianoRoll::buildMelodyPane() {
  auto* pane = new QWidget(this);
  auto* grid = new QGridLayout(pane);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  ruler_ = new RulerView(score_, view_, rulerEditor_, pane);
  keyboard_ = new KeyboardView(score_, view_, pane);
  melodyGrid_ = new NoteGridView(score_, view_, melodyEditor_, pane);
  hBar_ = new QScrollBar(Qt::Horizontal, pane);
  vBar_ = new QScrollBar(Qt::Vertical, pane);
  auto* corner = new QWidget(pane);
  corner->setFixedSize(kKeyboardWidth, kRulerHeight);

  auto* lengthBand = new QWidget(pane);
  auto* lengthRow = new QHBoxLayout(lengthBand);
  lengthRow->setContentsMargins(0, 0, 0, 0);
  lengthRow->setSpacing(4);
  auto* lengthLabel = new QLabel(QString::fromStdString(localized("New note length:", score_.language())), lengthBand);
  lengthLabel->setObjectName("lengthLabel");
  lengthStrip_ = new LengthStripView(score_, view_, false, lengthBand);
  lengthStrip_->setFixedWidth(kLengthStripWidth);
  lengthBar_ = new QScrollBar(Qt::Horizontal, lengthBand);
  lengthBar_->setObjectName("lengthBar");
  lengthBar_->setToolTip(lengthLabel->text());
  lengthBar_->setRange(kMinNewNoteLength / kStepPixels, kMaxNewNoteLength / kStepPixels);
  lengthBar_->setPageStep(4);
  lengthRow->addWidget(lengthLabel);
  lengthRow->addWidget(lengthStrip_);
  lengthRow->addWidget(lengthBar_, 1);

  grid->addWidget(corner, 0, 0);
  grid->addWidget(ruler_, 0, 1);
  grid->addWidget(keyboard_, 1, 0);
  grid->addWidget(melodyGrid_, 1, 1);
  grid->addWidget(vBar_, 1, 2);
  grid->addWidget(hBar_, 2, 1);
  grid->addWidget(lengthBand, 3, 0, 1, 3);
  grid->setRowStretch(1, 1);
  grid->setColumnStretch(1, 1);
  return pane;
}

QWidget* PianoRoll::buildDrumsPane() {
  drumsBand_ = new QWidget(this);
  drumsBand_->setObjectName("drumsBand");
  auto* grid = new QGridLayout(drumsBand_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  drumLanes_ = new DrumLaneView(score_, drumsBand_);
  drumLengthStrip_ = new LengthStripView(score_, view_, true, drumsBand_);
  drumGrid_ = new NoteGridView(score_, view_, drumEditor_, drumsBand_);
  grid->addWidget(drumLanes_, 0, 0);
  grid->addWidget(drumGrid_, 0, 1);
  grid->addWidget(drumLengthStrip_, 1, 0);
  // Keeps the drum grid's right edge under the melody grid's, beside the vertical scroll bar.
  grid->addItem(new QSpacerItem(style()->pixelMetric(QStyle::PM_ScrollBarExtent), 0, QSizePolicy::Fixed), 0, 2);
  grid->setRowStretch(0, 1);
  grid->setColumnStretch(1, 1);
  return drumsBand_;
}

void PianoRoll::connectViews() {
  connect(melodyGrid_, &NoteGridView::pressed, this, [this] { drumEditor_.cancelPaste(); });
  connect(drumGrid_, &NoteGridView::pressed, this, [this] { melodyEditor_.cancelPaste(); });
  connect(melodyGrid_, &NoteGridView::changed, this, &PianoRoll::editedSetMayHaveChanged);
  connect(drumGrid_, &NoteGridView::changed, this, &PianoRoll::editedSetMayHaveChanged);
  connect(melodyGrid_, &NoteGridView::changed, this, [this] { afterGridEvent(*melodyGrid_); });
  connect(drumGrid_, &NoteGridView::changed, this, [this] { afterGridEvent(*drumGrid_); });
  connect(ruler_, &RulerView::changed, this, [this] { pollMarkers(); });
  connect(ruler_, &RulerView::markerSetFromMenu, this,
          [this](int command) { emit scaleMenuCommand(command, ruler_->menuX()); });
  connect(keyboard_, &KeyboardView::keyPressed, this, &PianoRoll::pianoKeyPressed);
  connect(keyboard_, &KeyboardView::keyReleased, this, &PianoRoll::pianoKeyReleased);
  connect(drumLanes_, &DrumLaneView::lanePressed, this, &PianoRoll::drumLanePressed);
  connect(drumLanes_, &DrumLaneView::laneReleased, this, &PianoRoll::drumLaneReleased);
  melodyEditor_.onKeyNoteDropped = [this] { emit keyNoteDropped(); };

  connect(hBar_, &QScrollBar::valueChanged, this, [this](int x) {
    if (syncing_) return;
    view_.scrollX = x;
    ruler_->refresh();
    refreshGrids();
  });
  connect(vBar_, &QScrollBar::valueChanged, this, [this](int y) {
    if (syncing_) return;
    view_.scrollY = y;
    melodyGrid_->refresh();
    keyboard_->refresh();
  });
  connect(lengthBar_, &QScrollBar::valueChanged, this, [this](int steps) {
    if (syncing_) return;
    view_.newNoteLength = clampNewLength(steps * kStepPixels, false);
    lengthStrip_->refresh();
  });
}

// Keyboard edits wait while notes hang on the mouse: they would act on a
// song that is missing the lifted notes.
bool PianoRoll::mouseDragActive() const {
  for (const ViewGridEditor* e : {&melodyEditor_, &drumEditor_}) {
    if (e->drag() != DragKind::None && e->drag() != DragKind::Paste) return true;
  }
  return false;
}

ViewGridEditor& PianoRoll::activeEditor() { return score_.drumsEditMode() ? drumEditor_ : melodyEditor_; }

void PianoRoll::afterGridEvent(NoteGridView& grid) {
  if (grid.editor().draggingKeyNote()) {
    showKeyNote();
    keyboard_->refresh();
  }
  const int scrolledFrom = hBar_->value();
  syncScrollBars();
  if (view_.scrollX != scrolledFrom) ruler_->refresh();
  refreshGrids();
}

void PianoRoll::syncScrollBars() {
  syncing_ = true;
  clampScroll(view_);
  hBar_->setRange(0, maxScrollX(view_));
  hBar_->setPageStep(std::max(1, view_.clientWidth));
  hBar_->setSingleStep(20);
  hBar_->setValue(view_.scrollX);
  vBar_->setRange(0, maxScrollY(view_));
  vBar_->setPageStep(std::max(1, view_.clientHeight));
  vBar_->setSingleStep(kRowPixels);
  vBar_->setValue(view_.scrollY);
  lengthBar_->setValue(view_.newNoteLength / kStepPixels);
  syncing_ = false;
}

void PianoRoll::refreshGrids() {
  melodyGrid_->refresh();
  if (drumGrid_->isVisible()) drumGrid_->refresh();
}

void PianoRoll::refreshAll() {
  syncScrollBars();
  ruler_->refresh();
  keyboard_->refresh();
  melodyGrid_->refresh();
  lengthStrip_->refresh();
  drumLanes_->refresh();
  drumGrid_->refresh();
  drumLengthStrip_->refresh();
}

void PianoRoll::showKeyNote() {
  const int language = score_.settings.general.language;
  ui_.setStatus(2, formatWithString(localized("key: %s", language), keyName(score_.settings.melody[kKeyNote])));
}

void PianoRoll::redraw(RedrawTarget target) {
  adoptPendingPaste();
  switch (target) {
    case RedrawTarget::Melody:
      melodyGrid_->refresh();
      lengthStrip_->refresh();
      break;
    case RedrawTarget::Drums:
      drumGrid_->refresh();
      drumLengthStrip_->refresh();
      break;
    case RedrawTarget::Ruler: ruler_->refresh(); break;
    case RedrawTarget::KeyNote:
      showKeyNote();
      melodyGrid_->refresh();
      keyboard_->refresh();
      break;
    case RedrawTarget::All:
      // Pane 2 is left alone here: it may be showing "Read." or "Saved.".
      refreshAll();
      break;
  }
}

// A paste fills the drag set; the notes then follow the mouse until a click drops them.
void PianoRoll::adoptPendingPaste() {
  if (score_.noteSets[kDragSet].empty()) return;
  if (melodyEditor_.drag() != DragKind::None || drumEditor_.drag() != DragKind::None) return;
  startPasteUnderMouse();
}

void PianoRoll::startPasteUnderMouse() {
  ViewGridEditor& editor = activeEditor();
  editor.beginPaste();
  NoteGridView& grid = score_.drumsEditMode() ? *drumGrid_ : *melodyGrid_;
  const QPoint mouse = grid.mapFromGlobal(QCursor::pos());
  if (grid.rect().contains(mouse)) editor.mouseMove(mouse.x(), mouse.y(), false, {});
  grid.refresh();
}

void PianoRoll::setDrumsBandVisible(bool shown) {
  drumsBand_->setVisible(shown);
  if (shown) {
    drumGrid_->refresh();
    drumLanes_->refresh();
    drumLengthStrip_->refresh();
  }
}

void PianoRoll::selectAll() {
  if (mouseDragActive()) return;
  activeEditor().selectAll();
  refreshGrids();
}

void PianoRoll::copy() { copySelection(score_); }

void PianoRoll::cut() {
  if (mouseDragActive()) return;
  cutSelection(score_, ui_);
  refreshGrids();
}

void PianoRoll::paste() {
  if (mouseDragActive()) return;
  melodyEditor_.cancelPaste();
  drumEditor_.cancelPaste();
  startPasteUnderMouse();
}

void PianoRoll::deleteSelection() {
  if (mouseDragActive()) return;
  quorvel::deleteSelection(score_, ui_);
  refreshGrids();
}

void PianoRoll::undo() {
  if (mouseDragActive()) return;
  quorvel::undo(score_, ui_);
  refreshGrids();
}

void PianoRoll::redo() {
  if (mouseDragActive()) return;
  quorvel::redo(score_, ui_);
  refreshGrids();
}

void PianoRoll::setSoundingKeys(std::vector<int> keys) { keyboard_->setSoundingKeys(std::move(keys)); }

void PianoRoll::scrollToX(int x) {
  view_.scrollX = x;
  syncScrollBars();
  ruler_->refresh();
  refreshGrids();
}

void PianoRoll::pollMarkers() {
  const int markers[4] = {score_.cueIndicator.load(), score_.leftLocator.load(), score_.rightLocator.load(),
                          score_.endIndicator.load()};
  if (std::equal(markers, markers + 4, lastMarkers_)) return;
  const bool cueMoved = markers[0] != lastMarkers_[0];
  std::copy(markers, markers + 4, lastMarkers_);
  // The view follows the cue (playback, Prev, Fwd.) but not while the user drags it.
  if (cueMoved && rulerEditor_.dragging() == Marker::None && scrollToShow(view_, markers[0])) {
    syncScrollBars();
    refreshGrids();
  }
  ruler_->refresh();
}

// Ctrl+wheel zooms the time axis, Ctrl+Shift+wheel the pitch axis around the
// row under the mouse; the wheel alone scrolls.
bool PianoRoll::wheelZoom(QWheelEvent* event, QObject* watched) {
  const QPoint delta = event->angleDelta();
  const int notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
  if (notches == 0) return true;
  bool changed = false;
  if (event->modifiers() & Qt::ShiftModifier) {
    const int mouseY = watched == melodyGrid_ || watched == keyboard_ ? static_cast<int>(event->position().y())
                                                                      : view_.screenHeight / 2;
    changed = zoomPitchSteps(view_, notches, view_.scrollY + clientYOf(view_, mouseY));
  } else {
    changed = zoomTimeSteps(view_, score_, notches);
  }
  if (changed) refreshAll();
  return true;
}

bool PianoRoll::wheelScroll(QWheelEvent* event, bool verticalAllowed) {
  const QPoint delta = event->angleDelta();
  const bool horizontal = delta.x() != 0 || !verticalAllowed || (event->modifiers() & Qt::ShiftModifier);
  const int notches = (delta.x() != 0 ? delta.x() : delta.y()) / 120;
  if (notches == 0) return true;
  if (horizontal) {
    hBar_->setValue(hBar_->value() - notches * kWheelBarPixels);
  } else {
    vBar_->setValue(vBar_->value() - notches * kWheelRowPixels);
  }
  return true;
}

// The status bar is there once the window shows: the key note goes to pane 2.
void PianoRoll::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) showKeyNote();
}

bool PianoRoll::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) return wheelZoom(wheel, watched);
    const bool vertical = watched == melodyGrid_ || watched == keyboard_;
    return wheelScroll(wheel, vertical);
  }
  if (event->type() == QEvent::Resize && watched == melodyGrid_) {
    setScreenSize(view_, melodyGrid_->width(), melodyGrid_->height());
    syncScrollBars();
    ruler_->refresh();
    keyboard_->refresh();
    if (drumGrid_->isVisible()) drumGrid_->refresh();
  }
  if (event->type() == QEvent::Resize && watched == drumGrid_) drumLanes_->setRowScale(drumGrid_->rowScale());
  return QWidget::eventFilter(watched, event);
}

}  // namespace quorvel::views

#pragma once
// The piano-roll area of the main window: the ruler, keyboard, note grid,
// length strip and the drums band (lane labels, drum grid, drum length
// strip), with shared scrolling, the cue display and mouse editing.
#include <QWidget>
#include <vector>

#include "base/Ui.h"
#include "app/ViewGridEditor.h"
#include "app/ViewRuler.h"
#include "app/ViewState.h"
#include "app/ViewTransport.h"

class QScrollBar;
class QSplitter;
class QTimer;

namespace quorvel::views {

class NoteGridView;
class RulerView;
class KeyboardView;
class DrumLaneView;
class LengthStripView;

class PianoRoll : public QWidget {
  Q_OBJECT
 public:
  PianoRoll(Score& score, Ui& ui, ViewState& view, ViewTransport& transport, QWidget* parent = nullptr);
  ~PianoRoll() override;

  NoteGridView& melodyGrid() { return *melodyGrid_; }
  NoteGridView& drumGrid() { return *drumGrid_; }
  RulerView& ruler() { return *ruler_; }
  KeyboardView& keyboard() { return *keyboard_; }
  DrumLaneView& drumLanes() { return *drumLanes_; }
  QSplitter& splitter() { return *splitter_; }
  QScrollBar& horizontalBar() { return *hBar_; }
  QScrollBar& lengthBar() { return *lengthBar_; }
  ViewGridEditor& activeEditor();

 public slots:
  // What the Ui port's redraw requests land on.
  void redraw(quorvel::RedrawTarget target);
  void setDrumsBandVisible(bool shown);
  // Edit commands on the active view.
  void selectAll();
  void copy();
  void cut();
  void paste();
  void deleteSelection();
  void undo();
  void redo();
  // Scrolls the shared horizontal position (timeline x at the left edge).
  void scrollToX(int x);
  // Keys sounding from the computer keyboard or a MIDI keyboard: lit on the keyboard.
  void setSoundingKeys(std::vector<int> keys);

 signals:
  // A press in a grid may have switched between melody and drums editing.
  void editedSetMayHaveChanged();
  // A key-note drag ended: the options page shows the new key note.
  void keyNoteDropped();
  // A "Scale Menu" command set a marker (command id, timeline x).
  void scaleMenuCommand(int command, int x);
  // The keyboard and the drum lane labels, for note preview.
  void pianoKeyPressed(int key);
  void pianoKeyReleased(int key);
  void drumLanePressed(int lane);
  void drumLaneReleased(int lane);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void buildLayout();
  QWidget* buildMelodyPane();
  QWidget* buildDrumsPane();
  void connectViews();
  void afterGridEvent(NoteGridView& grid);
  bool mouseDragActive() const;
  void adoptPendingPaste();
  void startPasteUnderMouse();
  void syncScrollBars();
  void refreshGrids();
  void refreshAll();
  void showKeyNote();
  void pollMarkers();
  bool wheelScroll(QWheelEvent* event, bool verticalAllowed);
  bool wheelZoom(QWheelEvent* event, QObject* watched);

  Score& score_;
  Ui& ui_;
  ViewState& view_;
  ViewGridEditor melodyEditor_;
  ViewGridEditor drumEditor_;
  ViewRuler rulerEditor_;

  RulerView* ruler_ = nullptr;
  KeyboardView* keyboard_ = nullptr;
  NoteGridView* melodyGrid_ = nullptr;
  LengthStripView* lengthStrip_ = nullptr;
  DrumLaneView* drumLanes_ = nullptr;
  NoteGridView* drumGrid_ = nullptr;
  LengthStripView* drumLengthStrip_ = nullptr;
  QWidget* drumsBand_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QScrollBar* hBar_ = nullptr;
  QScrollBar* vBar_ = nullptr;
  QScrollBar* lengthBar_ = nullptr;
  QTimer* markerTimer_ = nullptr;
  int lastMarkers_[4] = {-1, -1, -1, -1};
  bool syncing_ = false;
};

}  // namespace quorvel::views

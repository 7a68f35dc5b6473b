#pragma once
// "mainC" and "drumsMainC": the melody note grid and the drum grid. Draws the
// visible part of the timeline and hands mouse input to the grid editor.
#include "app/ViewGridEditor.h"
#include "ui/views/PixmapView.h"
#include "ui/views/ScreenMap.h"

namespace quorvel::views {

class NoteGridView : public PixmapView {
  Q_OBJECT
 public:
  NoteGridView(Score& score, ViewState& view, ViewGridEditor& editor, QWidget* parent);

  ViewGridEditor& editor() { return editor_; }
  // A note's rectangle as drawn, in screen pixels of this pane.
  QRect noteRect(NoteCode code) const;
  // A screen point in client pixels of the unzoomed grid, as the editor takes it.
  QPoint gridPoint(QPointF screen) const;
  // Screen pixels per row pixel: the pitch zoom, or the drums band's height.
  double rowScale() const;

 signals:
  // After every mouse event that may have changed the score or the view.
  void changed();
  void pressed();

 protected:
  void render(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool drums() const { return editor_.kind() == GridKind::Drums; }
  int scrollY() const { return drums() ? 0 : view_.scrollY; }
  int gridHeight() const;
  ScreenMap screenMap() const;
  void drawRows(QPainter& p, const ScreenMap& map, int left, int right);
  void drawMelodyRows(QPainter& p, const ScreenMap& map, int left, int right);
  void drawDrumLanes(QPainter& p, const ScreenMap& map, int left, int right);
  void drawBeatLines(QPainter& p, const ScreenMap& map, int left, int right);
  void drawKeyNoteBand(QPainter& p, const ScreenMap& map, int left, int right);
  void drawNotes(QPainter& p, const ScreenMap& map, int left, int right);
  void drawSet(QPainter& p, const ScreenMap& map, int setIndex, int left, int right, const QColor& colour);
  void drawSelection(QPainter& p, const ScreenMap& map, int left, int right);
  void drawDragged(QPainter& p, const ScreenMap& map);
  void drawRubberBand(QPainter& p, const ScreenMap& map);
  void drawNote(QPainter& p, const ScreenMap& map, NoteCode code, int dx, int dy, const QColor& fill,
                const QColor& outline);
  QColor colourOf(NoteCode code) const;

  Score& score_;
  ViewState& view_;
  ViewGridEditor& editor_;
};

}  // namespace quorvel::views

#pragma once
// "mainC" and "drumsMainC": the melody note grid and the drum grid. Draws the
// visible part of the timeline and hands mouse input to the grid editor.
#include "app/ViewGridEditor.h"
#include "ui/views/PixmapView.h"

namespace quorvel::views {

class NoteGridView : public PixmapView {
  Q_OBJECT
 public:
  NoteGridView(Score& score, ViewState& view, ViewGridEditor& editor, QWidget* parent);

  ViewGridEditor& editor() { return editor_; }
  // Timeline rectangle of a note as drawn, in client pixels.
  QRect noteRect(NoteCode code) const;

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
  void drawRows(QPainter& p, int left, int right);
  void drawMelodyRows(QPainter& p, int left, int right);
  void drawDrumLanes(QPainter& p, int left, int right);
  void drawBeatLines(QPainter& p, int left, int right);
  void drawKeyNoteBand(QPainter& p, int left, int right);
  void drawNotes(QPainter& p, int left, int right);
  void drawSet(QPainter& p, int setIndex, int left, int right, const QColor& colour);
  void drawSelection(QPainter& p, int left, int right);
  void drawDragged(QPainter& p);
  void drawRubberBand(QPainter& p);
  void drawNote(QPainter& p, NoteCode code, int dx, int dy, const QColor& fill, const QColor& outline);
  QColor colourOf(NoteCode code) const;

  Score& score_;
  ViewState& view_;
  ViewGridEditor& editor_;
};

}  // namespace quorvel::views

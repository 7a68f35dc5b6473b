#pragma once
// "drumsKeyC": the labels of the twelve drum lanes, drawn as one octave of
// keys from B (lane 1) down to C (lane 12) with the lane's drum key and name.
// The lanes are as tall as the drum grid's, which the drums band's height sets.
#include "model/Score.h"
#include "ui/views/PixmapView.h"

namespace quorvel::views {

inline constexpr int kDrumLaneWidth = 64;

class DrumLaneView : public PixmapView {
  Q_OBJECT
 public:
  DrumLaneView(Score& score, QWidget* parent);

  // Screen pixels per row pixel, as in the drum grid.
  void setRowScale(double scale);
  // The label of a lane: "36 Kick".
  QString laneLabel(int lane) const;

 signals:
  void lanePressed(int lane);
  void laneReleased(int lane);

 protected:
  void render(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Score& score_;
  int pressedLane_ = 0;
  double rowScale_ = 1.0;
};

}  // namespace quorvel::views

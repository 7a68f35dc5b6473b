#include "ui/views/DrumLaneView.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/ViewGeometry.h"
#include "ui/views/ViewPalette.h"

namespace quorvel::views {

namespace {

constexpr int kBlackKeyWidth = 22;

// Lane 1 is B, lane 12 is C: the black keys are A#, G#, F#, D#, C#.
bool isBlackLane(int lane) { return lane == 2 || lane == 4 || lane == 6 || lane == 9 || lane == 11; }

}  // namespace

DrumLaneView::DrumLaneView(Score& score, QWidget* parent) : PixmapView("drumsKeyC", parent), score_(score) {
  setFixedSize(kDrumLaneWidth, kDrumGridHeight);
}

void DrumLaneView::render(QPainter& p) {
  p.fillRect(rect(), kOutside);
  p.fillRect(QRect(0, rowY(kDrumLaneFirst), width(), 12 * kRowPixels), Qt::white);
  QFont font = p.font();
  font.setPixelSize(6);
  p.setFont(font);
  for (int lane = kDrumLaneFirst; lane <= kDrumLaneLast; ++lane) {
    const int y = rowY(lane);
    const QColor key = lane == pressedLane_ ? kSelectionFill : (isBlackLane(lane) ? QColor(Qt::black) : QColor(Qt::white));
    p.fillRect(QRect(0, y, isBlackLane(lane) ? kBlackKeyWidth : width(), kRowPixels), key);
    // The General MIDI key the lane plays.
    const int drumKey = score_.settings.drums.drumKeys[static_cast<std::size_t>(lane - 1)];
    p.setPen(Qt::black);
    p.drawText(QRect(kBlackKeyWidth + 2, y - 1, width() - kBlackKeyWidth - 3, kRowPixels + 2),
               Qt::AlignRight | Qt::AlignVCenter, QString::number(drumKey));
  }
  p.setPen(kOctaveLine);
  p.drawLine(0, rowY(kDrumLaneFirst), width(), rowY(kDrumLaneFirst));
  p.drawLine(0, rowY(kDrumLaneLast + 1), width(), rowY(kDrumLaneLast + 1));
  p.drawLine(width() - 1, 0, width() - 1, height());
}

void DrumLaneView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int lane = rowOfY(snapRowY(event->position().toPoint().y(), 0));
  if (lane < kDrumLaneFirst || lane > kDrumLaneLast) return;
  pressedLane_ = lane;
  refresh();
  emit lanePressed(lane);
}

void DrumLaneView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || pressedLane_ == 0) return;
  const int lane = pressedLane_;
  pressedLane_ = 0;
  refresh();
  emit laneReleased(lane);
}

}  // namespace quorvel::views

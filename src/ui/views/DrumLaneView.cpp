#include "ui/views/DrumLaneView.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "app/DrumNames.h"
#include "app/ViewGeometry.h"
#include "ui/views/ScreenMap.h"
#include "ui/views/ViewPalette.h"

namespace quorvel::views {

namespace {

// Lane 1 is B, lane 12 is C: the black keys are A#, G#, F#, D#, C#.
bool isBlackLane(int lane) { return lane == 2 || lane == 4 || lane == 6 || lane == 9 || lane == 11; }

}  // namespace

DrumLaneView::DrumLaneView(Score& score, QWidget* parent) : PixmapView("drumsKeyC", parent), score_(score) {
  setFixedWidth(kDrumLaneWidth);
  setMinimumHeight(kDrumGridHeight);
}

void DrumLaneView::setRowScale(double scale) {
  rowScale_ = scale;
  refresh();
}

QString DrumLaneView::laneLabel(int lane) const {
  const int drumKey = score_.settings.drums.drumKeys[static_cast<std::size_t>(lane - 1)];
  return QStringLiteral("%1 %2").arg(drumKey).arg(QString::fromLatin1(drumShortName(drumKey)));
}

void DrumLaneView::render(QPainter& p) {
  const ScreenMap map{0, 0, 1.0, rowScale_};
  p.fillRect(rect(), kOutside);
  p.fillRect(map.rect(0, rowY(kDrumLaneFirst), width(), 12 * kRowPixels), Qt::white);
  const int rowHeight = map.rect(0, rowY(kDrumLaneFirst), 1, kRowPixels).height();
  QFont font = p.font();
  font.setPixelSize(std::clamp(rowHeight - 1, 6, 11));
  p.setFont(font);
  for (int lane = kDrumLaneFirst; lane <= kDrumLaneLast; ++lane) {
    const QRect row = map.rect(0, rowY(lane), width(), kRowPixels);
    const QColor key = lane == pressedLane_ ? kSelectionFill : (isBlackLane(lane) ? QColor(0x60, 0x60, 0x60) : QColor(Qt::white));
    p.fillRect(row, key);
    p.setPen(isBlackLane(lane) && lane != pressedLane_ ? Qt::white : Qt::black);
    p.drawText(row.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, laneLabel(lane));
  }
  p.setPen(kOctaveLine);
  p.drawLine(0, map.y(rowY(kDrumLaneFirst)), width(), map.y(rowY(kDrumLaneFirst)));
  p.drawLine(0, map.y(rowY(kDrumLaneLast + 1)), width(), map.y(rowY(kDrumLaneLast + 1)));
  p.drawLine(width() - 1, 0, width() - 1, height());
}

void DrumLaneView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int lane = rowOfY(snapRowY(static_cast<int>(event->position().y() / rowScale_), 0));
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

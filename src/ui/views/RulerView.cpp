#include "ui/views/RulerView.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/ViewZoom.h"

#include "app/MenuTable.h"
#include "ui/views/ViewPalette.h"

namespace quorvel::views {

RulerView::RulerView(Score& score, ViewState& view, ViewRuler& ruler, QWidget* parent)
    : PixmapView("scaleC", parent), score_(score), view_(view), ruler_(ruler), menu_(this) {
  setFixedHeight(kRulerHeight);
  buildMenu();
}

void RulerView::buildMenu() {
  const int language = score_.settings.general.language;
  const auto items = rulerMenuItems();
  menu_.setObjectName("Scale Menu");
  menu_.setTitle(QString::fromUtf8(menuText(items.front(), language)));
  for (const MenuItem& item : items.subspan(1)) {
    QAction* action = menu_.addAction(QString::fromUtf8(menuText(item, language)));
    action->setData(item.id);
    connect(action, &QAction::triggered, this, [this, command = item.id] {
      if (ruler_.applyMenuCommand(command, menuX_)) emit markerSetFromMenu(command);
      emit changed();
    });
  }
}

void RulerView::render(QPainter& p) {
  p.fillRect(rect(), kRulerBackground);
  p.setRenderHint(QPainter::Antialiasing, false);
  const ScreenMap map{view_.scrollX, 0, view_.zoomX, 1.0};
  drawMarkers(p, map);
  drawBars(p, map, view_.scrollX, map.rightEdge(width()));
}

// Zoomed out, only every n-th bar is numbered and ticked, so that the numbers
// never run into each other.
void RulerView::drawBars(QPainter& p, const ScreenMap& map, int left, int right) {
  constexpr double kLabelSpacing = 28.0;
  QFont font = p.font();
  font.setPixelSize(10);
  p.setFont(font);
  p.setPen(kBarLine);
  const double barWidth = kBarPixels * map.zoomX;
  const int stride = barWidth >= kLabelSpacing ? 1 : static_cast<int>(std::ceil(kLabelSpacing / barWidth));
  const bool ticks = barWidth >= 24.0;
  int bar = std::max(0, (left - kSongStartX) / kBarPixels - 1);
  bar -= bar % stride;
  for (; kSongStartX + bar * kBarPixels < std::min(right, kTimelineEndX); bar += stride) {
    const int x0 = kSongStartX + bar * kBarPixels;
    const int sx = map.x(x0);
    p.drawLine(sx, 0, sx, kRulerHeight);
    p.drawText(sx + 4, 11, QString::number(bar + 1));
    if (!ticks) continue;
    p.drawLine(map.x(x0 + 20), 22, map.x(x0 + 20), kRulerHeight);
    p.drawLine(map.x(x0 + 60), 22, map.x(x0 + 60), kRulerHeight);
    p.drawLine(map.x(x0 + 40), 19, map.x(x0 + 40), kRulerHeight);
  }
  p.drawLine(map.x(kTimelineEndX), 0, map.x(kTimelineEndX), kRulerHeight);
  if (right > kTimelineEndX) p.fillRect(QRect(map.x(kTimelineEndX) + 1, 0, width(), kRulerHeight), kOutside);
}

// Marker shapes keep their size on screen at every zoom.
void RulerView::drawMarkers(QPainter& p, const ScreenMap& map) {
  p.save();
  p.setPen(Qt::NoPen);
  // Locators: flags that reach into their grab zones, left to the right of
  // its line and right to the left of its line.
  const int left = map.x(score_.leftLocator.load());
  const int right = map.x(score_.rightLocator.load());
  const int end = map.x(score_.endIndicator.load());
  const int cue = map.x(score_.cueIndicator.load());
  constexpr int grab = 14;
  p.setBrush(kLocator);
  const QPoint leftFlag[3] = {QPoint(left, 0), QPoint(left + grab, 0), QPoint(left, 14)};
  const QPoint rightFlag[3] = {QPoint(right, 0), QPoint(right - grab, 0), QPoint(right, 14)};
  p.drawPolygon(leftFlag, 3);
  p.drawPolygon(rightFlag, 3);
  p.fillRect(QRect(left, 0, 1, 15), kLocator.darker());
  p.fillRect(QRect(right, 0, 1, 15), kLocator.darker());
  p.setBrush(kEndIndicator);
  const QPoint endMark[4] = {QPoint(end, 0), QPoint(end + 7, 7), QPoint(end, 14), QPoint(end - 7, 7)};
  p.drawPolygon(endMark, 4);
  p.setBrush(kCue);
  const QPoint cueMark[3] = {QPoint(cue - 7, 17), QPoint(cue + 7, 17), QPoint(cue, 31)};
  p.drawPolygon(cueMark, 3);
  p.restore();
}

QPoint RulerView::gridPoint(QPointF screen) const { return {clientXOf(view_, screen.x()), static_cast<int>(screen.y())}; }

void RulerView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = gridPoint(event->position());
  ruler_.leftDown(pos.x(), pos.y());
  emit changed();
}

void RulerView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = gridPoint(event->position());
  const bool held = (event->buttons() & Qt::LeftButton) != 0;
  if (!held) return;
  ruler_.mouseMove(pos.x(), pos.y(), held);
  emit changed();
}

void RulerView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = gridPoint(event->position());
  if (event->button() == Qt::LeftButton) {
    ruler_.leftUp();
    emit changed();
  } else if (event->button() == Qt::RightButton) {
    if (const auto x = ruler_.menuPosition(pos.x())) {
      menuX_ = *x;
      menu_.popup(mapToGlobal(event->position().toPoint()));
    }
  }
}

}  // namespace quorvel::views

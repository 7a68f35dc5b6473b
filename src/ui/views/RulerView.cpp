#include "ui/views/RulerView.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

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
  p.save();
  p.translate(-view_.scrollX, 0);
  drawMarkers(p);
  drawBars(p, view_.scrollX, view_.scrollX + width());
  p.restore();
}

void RulerView::drawBars(QPainter& p, int left, int right) {
  QFont font = p.font();
  font.setPixelSize(10);
  p.setFont(font);
  p.setPen(kBarLine);
  const int firstBar = std::max(0, (left - kSongStartX) / kBarPixels - 1);
  for (int x0 = kSongStartX + firstBar * kBarPixels; x0 < std::min(right, kTimelineEndX); x0 += kBarPixels) {
    p.drawLine(x0, 0, x0, kRulerHeight);
    p.drawText(x0 + 4, 11, QString::number((x0 - kSongStartX) / kBarPixels + 1));
    p.drawLine(x0 + 20, 22, x0 + 20, kRulerHeight);
    p.drawLine(x0 + 60, 22, x0 + 60, kRulerHeight);
    p.drawLine(x0 + 40, 19, x0 + 40, kRulerHeight);
  }
  p.drawLine(kTimelineEndX, 0, kTimelineEndX, kRulerHeight);
  if (right > kTimelineEndX) p.fillRect(QRect(kTimelineEndX + 1, 0, right - kTimelineEndX, kRulerHeight), kOutside);
}

void RulerView::drawMarkers(QPainter& p) {
  p.save();
  p.setPen(Qt::NoPen);
  // Locators: flags that reach into their grab zones, left to the right of
  // its line and right to the left of its line.
  const int left = score_.leftLocator.load();
  const int right = score_.rightLocator.load();
  const int end = score_.endIndicator.load();
  const int cue = score_.cueIndicator.load();
  p.setBrush(kLocator);
  const QPoint leftFlag[3] = {QPoint(left, 0), QPoint(left + 14, 0), QPoint(left, 14)};
  const QPoint rightFlag[3] = {QPoint(right, 0), QPoint(right - 14, 0), QPoint(right, 14)};
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

void RulerView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  ruler_.leftDown(pos.x(), pos.y());
  emit changed();
}

void RulerView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const bool held = (event->buttons() & Qt::LeftButton) != 0;
  if (!held) return;
  ruler_.mouseMove(pos.x(), pos.y(), held);
  emit changed();
}

void RulerView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    ruler_.leftUp();
    emit changed();
  } else if (event->button() == Qt::RightButton) {
    if (const auto x = ruler_.menuPosition(pos.x())) {
      menuX_ = *x;
      menu_.popup(mapToGlobal(pos));
    }
  }
}

}  // namespace quorvel::views

#include "ui/views/PixmapView.h"

#include <QPainter>
#include <QResizeEvent>

namespace quorvel::views {

PixmapView::PixmapView(const QString& className, QWidget* parent) : QWidget(parent) {
  setObjectName(className);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void PixmapView::refresh() {
  if (pixmap_.size() != size()) pixmap_ = QPixmap(size().expandedTo(QSize(1, 1)));
  QPainter painter(&pixmap_);
  render(painter);
  update();
}

void PixmapView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawPixmap(event->rect(), pixmap_, event->rect());
}

void PixmapView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  refresh();
}

}  // namespace quorvel::views

#pragma once
// "scaleC": the bar ruler with bar numbers, beat ticks and the four markers,
// and the "Scale Menu" that sets a marker at the clicked bar position.
#include <QMenu>

#include "app/ViewRuler.h"
#include "ui/views/PixmapView.h"
#include "ui/views/ScreenMap.h"

namespace quorvel::views {

inline constexpr int kRulerHeight = 32;

class RulerView : public PixmapView {
  Q_OBJECT
 public:
  RulerView(Score& score, ViewState& view, ViewRuler& ruler, QWidget* parent);

  QMenu& scaleMenu() { return menu_; }
  // The timeline x the open menu applies to.
  int menuX() const { return menuX_; }

 signals:
  void changed();
  void markerSetFromMenu(int command);

 protected:
  void render(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void buildMenu();
  QPoint gridPoint(QPointF screen) const;
  void drawBars(QPainter& p, const ScreenMap& map, int left, int right);
  void drawMarkers(QPainter& p, const ScreenMap& map);

  Score& score_;
  ViewState& view_;
  ViewRuler& ruler_;
  QMenu menu_;
  int menuX_ = kSongStartX;
};

}  // namespace quorvel::views

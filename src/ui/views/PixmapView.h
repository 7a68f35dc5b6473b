#pragma once
// A pane that draws into its own off-screen pixmap and only copies it to the
// screen when painted; background erasing is suppressed.
#include <QPixmap>
#include <QWidget>

class QPainter;

namespace quorvel::views {

class PixmapView : public QWidget {
  Q_OBJECT
 public:
  PixmapView(const QString& className, QWidget* parent);

  // Redraws the pixmap from the score and schedules the copy to the screen.
  void refresh();
  const QPixmap& pixmap() const { return pixmap_; }

 protected:
  virtual void render(QPainter& painter) = 0;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPixmap pixmap_;
};

}  // namespace quorvel::views

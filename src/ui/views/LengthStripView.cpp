#include "ui/views/LengthStripView.h"

#include <QPainter>
#include <algorithm>

#include "app/ViewGeometry.h"
#include "ui/views/ViewPalette.h"

namespace quorvel::views {

namespace {

constexpr int kLongestBar = 80;
constexpr int kMelodyStripHeight = 30;
constexpr int kDrumStripWidth = 50, kDrumStripHeight = 28;

}  // namespace

LengthStripView::LengthStripView(Score& score, ViewState& view, bool drums, QWidget* parent)
    : PixmapView(drums ? "drumsSubC" : "subC", parent), score_(score), view_(view), drums_(drums) {
  if (drums_) {
    setFixedSize(kDrumStripWidth, kDrumStripHeight);
  } else {
    setFixedHeight(kMelodyStripHeight);
  }
}

void LengthStripView::render(QPainter& p) {
  p.fillRect(rect(), kRulerBackground);
  const int length = drums_ ? view_.newDrumLength : view_.newNoteLength;
  const QColor colour = drums_ ? levelColour(score_.drumSet() & 3) : partColour(score_.editPart());
  const QRect bar(4, drums_ ? 4 : 10, std::min(length, kLongestBar), kRowPixels * 2);
  p.fillRect(bar, outlineColour(colour));
  p.fillRect(bar.adjusted(1, 1, -1, -1), colour);
  QFont font = p.font();
  font.setPixelSize(drums_ ? 9 : 12);
  p.setFont(font);
  p.setPen(Qt::black);
  const QRect textBox = drums_ ? QRect(2, 14, width() - 2, 13) : QRect(kLongestBar + 12, 0, width() - kLongestBar - 12, height());
  p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(lengthText(length)));
}

}  // namespace quorvel::views

#include "ui/views/KeyboardView.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "app/ViewGeometry.h"
#include "app/ViewZoom.h"
#include "model/NoteCode.h"
#include "ui/views/ScreenMap.h"
#include "ui/views/ViewPalette.h"

namespace quorvel::views {

namespace {

constexpr int kBlackKeyWidth = 36;

}  // namespace

KeyboardView::KeyboardView(Score& score, ViewState& view, QWidget* parent)
    : PixmapView("keyC", parent), score_(score), view_(view) {
  setFixedWidth(kKeyboardWidth);
}

int KeyboardView::keyAt(int screenY) const { return keyOfRowY(snapRowY(clientYOf(view_, screenY), view_.scrollY)); }

void KeyboardView::render(QPainter& p) {
  const ScreenMap map{0, view_.scrollY, 1.0, view_.zoomY};
  p.fillRect(rect(), kOutside);
  p.fillRect(map.rect(0, rowY(0), width(), kMelodyRowCount * kRowPixels), Qt::white);
  QFont font = p.font();
  font.setPixelSize(std::clamp(static_cast<int>(8 * view_.zoomY), 8, 12));
  p.setFont(font);
  for (int row = 0; row < kMelodyRowCount; ++row) {
    const int key = kMaxMelodyKey - row;
    const QRect line = map.rect(0, rowY(row), width(), kRowPixels);
    const bool lit = key == pressedKey_ || std::find(soundingKeys_.begin(), soundingKeys_.end(), key) != soundingKeys_.end();
    if (lit) p.fillRect(line, kSelectionFill);
    if (isBlackKey(key))
      p.fillRect(QRect(line.left(), line.top(), kBlackKeyWidth, line.height()), lit ? kSelectionFill : Qt::black);
    p.setPen(kOctaveLine);
    if (key % 12 == 0 || key % 12 == 5) p.drawLine(0, line.bottom() + 1, width(), line.bottom() + 1);
    if (key % 12 == 0) {
      p.setPen(key == score_.keyBase ? kKeyNoteMarker : Qt::darkGray);
      p.drawText(QRect(kBlackKeyWidth - 8, line.center().y() - 6, width() - kBlackKeyWidth + 6, 12),
                 Qt::AlignRight | Qt::AlignVCenter, QString("C%1").arg(key / 12 - 2));
    }
  }
  p.setPen(kOctaveLine);
  p.drawLine(width() - 1, 0, width() - 1, height());
}

void KeyboardView::setSoundingKeys(std::vector<int> keys) {
  if (keys == soundingKeys_) return;
  soundingKeys_ = std::move(keys);
  refresh();
}

void KeyboardView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int key = keyAt(event->position().toPoint().y());
  if (key < 0 || key > kMaxMelodyKey) return;
  pressedKey_ = key;
  refresh();
  emit keyPressed(key);
}

void KeyboardView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || pressedKey_ < 0) return;
  const int key = pressedKey_;
  pressedKey_ = -1;
  refresh();
  emit keyReleased(key);
}

}  // namespace quorvel::views

#pragma once
// "keyC": the piano keyboard beside the note grid, one 5-px row per key,
// scrolled with the grid. Pressing a key reports it for note preview.
#include <vector>

#include "app/ViewState.h"
#include "model/Score.h"
#include "ui/views/PixmapView.h"

namespace quorvel::views {

inline constexpr int kKeyboardWidth = 64;  // as wide as the drum lane labels

class KeyboardView : public PixmapView {
  Q_OBJECT
 public:
  KeyboardView(Score& score, ViewState& view, QWidget* parent);
  // Keys held on the computer keyboard or a MIDI keyboard, shown like a pressed key.
  void setSoundingKeys(std::vector<int> keys);

 signals:
  void keyPressed(int key);
  void keyReleased(int key);

 protected:
  void render(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int keyAt(int screenY) const;

  Score& score_;
  ViewState& view_;
  int pressedKey_ = -1;
  std::vector<int> soundingKeys_;
};

}  // namespace quorvel::views

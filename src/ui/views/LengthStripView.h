#pragma once
// "subC" and "drumsSubC": the length given to new notes, as a bar in the
// edited part's (or drum level's) colour and the text "%d + %d / 16".
#include "app/ViewState.h"
#include "model/Score.h"
#include "ui/views/PixmapView.h"

namespace quorvel::views {

class LengthStripView : public PixmapView {
  Q_OBJECT
 public:
  LengthStripView(Score& score, ViewState& view, bool drums, QWidget* parent);

 protected:
  void render(QPainter& painter) override;

 private:
  Score& score_;
  ViewState& view_;
  bool drums_;
};

}  // namespace quorvel::views

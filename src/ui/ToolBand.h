#pragma once
// The tool band: four toolbars whose buttons carry their command ids.
#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <array>

namespace quorvel {

struct AppContext;

class ToolBand {
 public:
  ToolBand(QMainWindow& window, AppContext& app);

  QToolBar* toolbar(int index) const { return toolbars_[static_cast<std::size_t>(index)]; }
  QAction* button(int commandId) const;
  QToolBar* drumsBand() const { return toolbar(3); }
  // Puts the part and drum-set buttons in line with the score.
  void syncWithScore();

 private:
  void addButtons(int index);

  AppContext& app_;
  std::array<QToolBar*, 4> toolbars_{};
};

}  // namespace quorvel

#pragma once
// The main window: menu bar, tool band, the piano-roll area and the status
// bar. Key chords, dropped files and closing go to the platform-neutral spine.
#include <QMainWindow>
#include <memory>

#include "ui/StatusFields.h"
#include "ui/ToolBand.h"

namespace quorvel {

struct AppContext;
namespace views {
class PianoRoll;
}

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(AppContext& app);

  ToolBand& toolBand() { return *toolBand_; }
  StatusFields* statusFields() const { return statusFields_; }
  views::PianoRoll* pianoRoll() const { return pianoRoll_; }
  int language() const;
  // Places the window at the rectangle stored in the settings.
  void applyStoredPlacement();
  // Shows or hides the drums band; the window keeps its size.
  void setDrumsBandShown(bool shown);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool handleKey(QObject* watched, QEvent* event);
  void embedPianoRoll();

  AppContext& app_;
  std::unique_ptr<ToolBand> toolBand_;
  StatusFields* statusFields_ = nullptr;
  views::PianoRoll* pianoRoll_ = nullptr;
  bool drumsBandShown_ = true;
};

}  // namespace quorvel

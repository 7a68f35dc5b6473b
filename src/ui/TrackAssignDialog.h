#pragma once
// The "Open" dialog: shows a TrackAssignment and lets the user change it.
// The choices live in the model; this class only mirrors them in widgets.
#include <QDialog>

#include "midifile/TrackAssignment.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace quorvel {

class TrackAssignDialog : public QDialog {
  Q_OBJECT

 public:
  TrackAssignDialog(TrackAssignment& model, QWidget* parent = nullptr, int language = 0);

  // Position of the running preview, 0..100.
  void setPreviewProgress(int percent);

 signals:
  // "Play": the imported set of the highlighted row, or of the first track;
  // "Stop" ends the preview.
  void previewRequested(int setIndex);
  void previewStopped();

 private:
  QString text(const char* english) const;
  QPushButton* makeToggle(const char* letter, const char* part, bool down);
  void buildLayout();
  int previewSet() const;
  void showSummary();
  void fillLists();
  void voiceRowChosen(int row);
  void drumRowChosen(int row);
  void moveSelected(bool up);

  TrackAssignment& model_;
  int language_ = 0;
  QLabel* summary_ = nullptr;
  QListWidget* voices_ = nullptr;
  QListWidget* drums_ = nullptr;
  QPushButton* voiceToggles_[TrackAssignment::kVoiceRows] = {};
  QPushButton* drumToggle_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

}  // namespace quorvel

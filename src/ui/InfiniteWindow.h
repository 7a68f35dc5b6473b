#pragma once
// The "Infinitely generating.." window: what runs, the stock of blocks as a
// line and a bar, a line for trouble, "Auto Save to MIDI file" and Stop.
// Modeless; the run polls it between its steps.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "base/Ui.h"

namespace quorvel {

class InfiniteWindow : public QDialog {
  Q_OBJECT

 public:
  InfiniteWindow(const InfiniteWindowText& text, bool autoSaveTicked, QWidget* parent);

  void setStock(const QString& line, int stock, int capacity);
  void setNote(const QString& note);
  void setAutoSave(bool ticked) { autoSave_->setChecked(ticked); }
  // What the user did to the check box since the last call.
  CheckChange takeAutoSaveChange();
  bool stopped() const { return stopped_; }

  QCheckBox* autoSaveBox() const { return autoSave_; }
  QPushButton* stopButton() const { return stop_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // Escape stops too

 private:
  QLabel* stockLine_;
  QProgressBar* bar_;
  QLabel* note_;
  QCheckBox* autoSave_;
  QPushButton* stop_;
  CheckChange change_ = CheckChange::None;
  bool stopped_ = false;
};

}  // namespace quorvel

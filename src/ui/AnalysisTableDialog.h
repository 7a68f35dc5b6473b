#pragma once
// The "Analyze MIDI File" dialog: the measures of every track in a table;
// Ctrl+C copies it, OK, Close and Convert close it.
#include <QDialog>

#include "base/Ui.h"

class QTableWidget;

namespace quorvel {

class AnalysisTableDialog : public QDialog {
  Q_OBJECT

 public:
  AnalysisTableDialog(const TableDialogRequest& request, QWidget* parent = nullptr);

  void copyToClipboard() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The table would copy only its current cell; Ctrl+C copies the whole of it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const TableDialogRequest& request_;
  QTableWidget* table_ = nullptr;
};

}  // namespace quorvel

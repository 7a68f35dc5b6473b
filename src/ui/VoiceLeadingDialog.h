#pragma once
// The "Check Voice Leading" window: a line of summary, the findings in a
// table, and Close. It stays open beside the piano roll; clicking a row
// selects that finding's notes there.
#include <QDialog>

#include "base/Ui.h"

class QLabel;
class QTableWidget;

namespace quorvel {

class VoiceLeadingDialog : public QDialog {
  Q_OBJECT

 public:
  explicit VoiceLeadingDialog(VoiceLeadingWindowRequest request, QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }

 private:
  void fillTable();
  void choose(int row);

  VoiceLeadingWindowRequest request_;
  QTableWidget* table_ = nullptr;
};

}  // namespace quorvel

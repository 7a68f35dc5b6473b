#pragma once
// "Choose Learning Type": how real-time input plays (partner voices,
// recording, monophonic). OK stays refused while the learning type asks for
// more partner voices than there are parts below the edited one.
#include <QDialog>
#include <optional>

#include "app/RealtimeInput.h"

class QButtonGroup;
class QCheckBox;

namespace quorvel {

class Ui;

class RealtimeDialog : public QDialog {
  Q_OBJECT
 public:
  RealtimeDialog(int editPart, int language, Ui& ui, QWidget* parent);

  RealtimeChoice choice() const;
  void accept() override;

  // Runs the dialog; nothing when it was cancelled.
  static std::optional<RealtimeChoice> ask(int editPart, int language, Ui& ui, QWidget* parent);

 private:
  int editPart_;
  int language_;
  Ui& ui_;
  QButtonGroup* types_ = nullptr;
  QCheckBox* record_ = nullptr;
  QCheckBox* monophonic_ = nullptr;
};

}  // namespace quorvel

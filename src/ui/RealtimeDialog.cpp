#include "ui/RealtimeDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/DialogTexts.h"
#include "base/Messages.h"
#include "base/Ui.h"

namespace quorvel {

RealtimeDialog::RealtimeDialog(int editPart, int language, Ui& ui, QWidget* parent)
    : QDialog(parent), editPart_(editPart), language_(language), ui_(ui) {
  const auto text = [language](const char* english) { return QString::fromStdString(dialogText(english, language)); };
  setWindowTitle(text("Choose Learning Type"));
  auto* layout = new QVBoxLayout(this);
  auto* typeBox = new QGroupBox(text("Learning Type"));
  auto* typeLayout = new QVBoxLayout(typeBox);
  types_ = new QButtonGroup(this);
  const char* labels[] = {"1 Part (0:1)", "2 Parts (1:1)", "3 Parts (2:1)", "4 Parts (3:1)"};
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(text(labels[i]));
    types_->addButton(r, i);
    typeLayout->addWidget(r);
  }
  types_->button(0)->setChecked(true);
  layout->addWidget(typeBox);
  record_ = new QCheckBox(text("Record performance."));
  monophonic_ = new QCheckBox(text("Force monophonic performance."));
  layout->addWidget(record_);
  layout->addWidget(monophonic_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(text("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromStdString(localized("Cancel", language)));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

RealtimeChoice RealtimeDialog::choice() const {
  return {types_->checkedId(), record_->isChecked(), monophonic_->isChecked()};
}

void RealtimeDialog::accept() {
  const std::string refusal = realtimeChoiceRefusal(choice(), editPart_);
  if (!refusal.empty()) {
    ui_.messageBox(localized(refusal, language_), "Quorvel", MsgIcon::Exclamation, MsgButtons::Ok);
    return;
  }
  QDialog::accept();
}

std::optional<RealtimeChoice> RealtimeDialog::ask(int editPart, int language, Ui& ui, QWidget* parent) {
  RealtimeDialog dialog(editPart, language, ui, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace quorvel

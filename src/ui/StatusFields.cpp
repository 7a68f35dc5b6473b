#include "ui/StatusFields.h"

#include <QFrame>

namespace quorvel {

StatusFields::StatusFields(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(false);
  for (int i = 0; i < kFieldCount; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("statusField%1").arg(i));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    fields_[static_cast<std::size_t>(i)] = label;
  }
  placeFields();
}

void StatusFields::setField(int field, const QString& text) {
  QLabel* label = fieldLabel(field);
  if (!label) return;
  label->setText(text);
  if (field == kMessageField) placeFields();
}

QString StatusFields::field(int field) const {
  const QLabel* label = fieldLabel(field);
  return label ? label->text() : QString();
}

QLabel* StatusFields::fieldLabel(int field) const {
  if (field < 0 || field >= kFieldCount) return nullptr;
  return fields_[static_cast<std::size_t>(field)];
}

void StatusFields::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  placeFields();
}

// Placed by hand rather than by the status bar's layout, whose margins would
// shift the edges. The message field widens for a long message ("Trimmed the
// opening silence: ...") instead of cutting it; the fields after it move on.
void StatusFields::placeFields() {
  int left = 0;
  for (int i = 0; i < kFieldCount; ++i) {
    QLabel* label = fields_[static_cast<std::size_t>(i)];
    int width = kFieldWidth;
    if (i == kMessageField) width = std::max(kFieldWidth, label->sizeHint().width() + 8);
    if (i + 1 == kFieldCount) width = std::max(0, this->width() - left);
    label->setGeometry(left, 0, width, height());
    left += width;
  }
}

}  // namespace quorvel

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
  if (QLabel* label = fieldLabel(field)) label->setText(text);
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

// Placed by hand rather than by the status bar's layout, whose margins would shift the edges.
void StatusFields::placeFields() {
  for (int i = 0; i < kFieldCount; ++i) {
    const int left = i * kFieldWidth;
    const int width = i + 1 < kFieldCount ? kFieldWidth : std::max(0, this->width() - left);
    fields_[static_cast<std::size_t>(i)]->setGeometry(left, 0, width, height());
  }
}

}  // namespace quorvel

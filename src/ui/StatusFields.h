#pragma once
// The status bar: four text fields whose right edges sit at 140, 280 and 420
// pixels (the message field, 1, wider while its text needs it), the last one
// reaching the window's edge.
#include <QLabel>
#include <QStatusBar>
#include <array>

namespace quorvel {

class StatusFields : public QStatusBar {
  Q_OBJECT
 public:
  static constexpr int kFieldCount = 4;
  static constexpr int kFieldWidth = 140;
  static constexpr int kMessageField = 1;

  explicit StatusFields(QWidget* parent = nullptr);
  void setField(int field, const QString& text);
  QString field(int field) const;
  QLabel* fieldLabel(int field) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placeFields();
  std::array<QLabel*, kFieldCount> fields_{};
};

}  // namespace quorvel

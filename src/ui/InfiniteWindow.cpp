#include "ui/InfiniteWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace quorvel {

InfiniteWindow::InfiniteWindow(const InfiniteWindowText& text, bool autoSaveTicked, QWidget* parent)
    : QDialog(parent),
      stockLine_(new QLabel(QString::fromStdString(text.stockLine), this)),
      bar_(new QProgressBar(this)),
      note_(new QLabel(this)),
      autoSave_(new QCheckBox(QString::fromStdString(text.autoSaveLabel), this)),
      stop_(new QPushButton(QString::fromStdString(text.stopLabel), this)) {
  setWindowTitle(QString::fromStdString(text.title));
  setModal(false);
  bar_->setTextVisible(false);
  bar_->setRange(0, 16);
  bar_->setValue(0);
  note_->setWordWrap(true);
  note_->hide();
  autoSave_->setChecked(autoSaveTicked);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(autoSave_);
  buttons->addStretch();
  buttons->addWidget(stop_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromStdString(text.text), this));
  layout->addWidget(bar_);
  layout->addWidget(stockLine_);
  layout->addWidget(note_);
  layout->addLayout(buttons);
  setMinimumWidth(360);

  // Only the user's clicks count: the run unticks the box itself when no folder was chosen.
  connect(autoSave_, &QCheckBox::clicked, this,
          [this](bool ticked) { change_ = ticked ? CheckChange::Ticked : CheckChange::Unticked; });
  connect(stop_, &QPushButton::clicked, this, [this] {
    stopped_ = true;
    hide();
  });
}

void InfiniteWindow::setStock(const QString& line, int stock, int capacity) {
  stockLine_->setText(line);
  bar_->setRange(0, capacity);
  bar_->setValue(stock);
}

void InfiniteWindow::setNote(const QString& note) {
  note_->setText(note);
  note_->setVisible(!note.isEmpty());
}

CheckChange InfiniteWindow::takeAutoSaveChange() {
  const CheckChange change = change_;
  change_ = CheckChange::None;
  return change;
}

void InfiniteWindow::closeEvent(QCloseEvent* event) {
  stopped_ = true;
  QDialog::closeEvent(event);
}

void InfiniteWindow::reject() {
  stopped_ = true;
  QDialog::reject();
}

}  // namespace quorvel

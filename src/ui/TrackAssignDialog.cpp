#include "ui/TrackAssignDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quorvel {

namespace {

constexpr const char* kVoiceLetters[TrackAssignment::kVoiceRows] = {"S", "A", "T", "B"};

QPushButton* toggle(const QString& text, bool down, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setCheckable(true);
  b->setChecked(down);
  b->setFixedWidth(32);
  return b;
}

int highlightedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> items = list.selectedItems();
  return items.isEmpty() ? -1 : list.row(items.front());
}

}  // namespace

TrackAssignDialog::TrackAssignDialog(TrackAssignment& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle("Open");
  setObjectName("trackAssignDialog");
  buildLayout();
  fillLists();
}

void TrackAssignDialog::buildLayout() {
  auto* grid = new QGridLayout;
  voices_ = new QListWidget(this);
  voices_->setObjectName("voiceTracks");
  drums_ = new QListWidget(this);
  drums_->setObjectName("drumTracks");

  // The four toggles sit beside the first four rows of the voice list: rows
  // as tall as the toggles, no gaps, both starting inside the list frame.
  auto* toggles = new QVBoxLayout;
  toggles->setSpacing(0);
  toggles->setContentsMargins(0, voices_->frameWidth(), 0, 0);
  for (int row = 0; row < TrackAssignment::kVoiceRows; ++row) {
    auto* b = toggle(kVoiceLetters[row], model_.voiceOn[static_cast<std::size_t>(row)], this);
    connect(b, &QPushButton::toggled, this, [this, row](bool on) { model_.voiceOn[static_cast<std::size_t>(row)] = on; });
    voiceToggles_[row] = b;
    toggles->addWidget(b);
  }
  toggles->addStretch();
  drumToggle_ = toggle("D", model_.drumsOn, this);
  connect(drumToggle_, &QPushButton::toggled, this, [this](bool on) { model_.drumsOn = on; });
  auto* drumSide = new QVBoxLayout;
  drumSide->addWidget(drumToggle_);
  drumSide->addStretch();

  auto* up = new QPushButton("Up", this);
  auto* down = new QPushButton("Down", this);
  connect(up, &QPushButton::clicked, this, [this] { moveSelected(true); });
  connect(down, &QPushButton::clicked, this, [this] { moveSelected(false); });
  auto* order = new QVBoxLayout;
  order->addWidget(up);
  order->addWidget(down);
  order->addStretch();

  grid->addLayout(toggles, 0, 0);
  grid->addWidget(voices_, 0, 1);
  grid->addLayout(order, 0, 2);
  grid->addLayout(drumSide, 0, 3);
  grid->addWidget(drums_, 0, 4);

  auto* play = new QPushButton("Play", this);
  auto* stop = new QPushButton("Stop", this);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  auto* ok = new QPushButton("OK", this);
  auto* close = new QPushButton("Close", this);
  ok->setDefault(true);
  connect(play, &QPushButton::clicked, this, [this] {
    if (model_.selectedSet() >= 0) emit previewRequested(model_.selectedSet());
  });
  connect(stop, &QPushButton::clicked, this, &TrackAssignDialog::previewStopped);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(play);
  buttons->addWidget(stop);
  buttons->addWidget(progress_, 1);
  buttons->addWidget(ok);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  // The model follows the highlighted row, not the current one: a list that
  // takes the focus makes its first row current without highlighting it.
  connect(voices_, &QListWidget::itemSelectionChanged, this, [this] { voiceRowChosen(highlightedRow(*voices_)); });
  connect(drums_, &QListWidget::itemSelectionChanged, this, [this] { drumRowChosen(highlightedRow(*drums_)); });
}

void TrackAssignDialog::fillLists() {
  const QSignalBlocker blockVoices(voices_);
  const QSignalBlocker blockDrums(drums_);
  voices_->clear();
  const int rowHeight = voiceToggles_[0]->sizeHint().height();
  for (const TrackRow& row : model_.voiceRows) {
    auto* item = new QListWidgetItem(QString::fromStdString(row.label), voices_);
    item->setSizeHint(QSize(0, rowHeight));
  }
  drums_->clear();
  for (const TrackRow& row : model_.drumRows) drums_->addItem(QString::fromStdString(row.label));
  voices_->setCurrentRow(model_.selectedVoice);
  drums_->setCurrentRow(model_.selectedDrum);
}

void TrackAssignDialog::voiceRowChosen(int row) {
  if (row < 0) return;
  model_.selectVoice(row);
  const QSignalBlocker block(drums_);
  drums_->setCurrentRow(-1);
}

void TrackAssignDialog::drumRowChosen(int row) {
  if (row < 0) return;
  model_.selectDrum(row);
  const QSignalBlocker block(voices_);
  voices_->setCurrentRow(-1);
}

void TrackAssignDialog::moveSelected(bool up) {
  if (up ? model_.moveUp() : model_.moveDown()) fillLists();
}

void TrackAssignDialog::setPreviewProgress(int percent) { progress_->setValue(percent); }

}  // namespace quorvel

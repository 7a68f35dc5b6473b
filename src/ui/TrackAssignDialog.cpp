#include "ui/TrackAssignDialog.h"

#include <algorithm>

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/Messages.h"

namespace quorvel {

namespace {

constexpr const char* kVoiceLetters[TrackAssignment::kVoiceRows] = {"S", "A", "T", "B"};
constexpr const char* kVoiceNames[TrackAssignment::kVoiceRows] = {"Soprano", "Alto", "Tenor", "Bass"};
constexpr int kRowHeight = 22;
constexpr int kTracksShown = 32;  // every track a file can bring

// On: filled and bold; off: pale and struck through, so the state reads at a glance.
constexpr const char* kToggleStyle =
    "QPushButton { background: #eeeeee; color: #9a9a9a; text-decoration: line-through; border: 1px solid #c0c0c0; }"
    "QPushButton:checked { background: #2e8b3e; color: white; font-weight: bold; text-decoration: none;"
    " border: 1px solid #1e6b2e; }";

int highlightedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> items = list.selectedItems();
  return items.isEmpty() ? -1 : list.row(items.front());
}

}  // namespace

TrackAssignDialog::TrackAssignDialog(TrackAssignment& model, QWidget* parent, int language)
    : QDialog(parent), model_(model), language_(language) {
  setWindowTitle(text("Open"));
  setObjectName("trackAssignDialog");
  buildLayout();
  fillLists();
  showSummary();
}

QString TrackAssignDialog::text(const char* english) const {
  return QString::fromStdString(localized(english, language_));
}

QPushButton* TrackAssignDialog::makeToggle(const char* letter, const char* part, bool down) {
  auto* b = new QPushButton(QString::fromLatin1(letter), this);
  b->setObjectName(QStringLiteral("toggle%1").arg(QLatin1String(letter)));
  b->setCheckable(true);
  b->setChecked(down);
  b->setFixedSize(32, kRowHeight);
  b->setStyleSheet(kToggleStyle);
  // Enter belongs to OK; a toggle flips only when clicked.
  b->setAutoDefault(false);
  const std::string tip = localized(part, language_) + ": " +
                          localized(part == std::string("Drums") ? "on reads the chosen drum track, off reads no drums"
                                                                   : "on reads the track beside it, off leaves the part empty",
                                    language_);
  b->setToolTip(QString::fromStdString(tip));
  return b;
}

void TrackAssignDialog::buildLayout() {
  auto* grid = new QGridLayout;
  voices_ = new QListWidget(this);
  voices_->setObjectName("voiceTracks");
  drums_ = new QListWidget(this);
  drums_->setObjectName("drumTracks");
  // Tall enough for every track a file can bring, as far as the screen allows.
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
  const int roomy = kTracksShown * kRowHeight + 2 * voices_->frameWidth();
  const int screenRoom = screen ? screen->availableGeometry().height() - 220 : roomy;
  voices_->setMinimumHeight(std::max(8 * kRowHeight, std::min(roomy, screenRoom)));
  voices_->setMinimumWidth(260);
  drums_->setMinimumWidth(180);

  // The four toggles sit beside the first four rows of the voice list: rows
  // as tall as the toggles, no gaps, both starting inside the list frame.
  auto* toggles = new QVBoxLayout;
  toggles->setSpacing(0);
  toggles->setContentsMargins(0, voices_->frameWidth(), 0, 0);
  for (int row = 0; row < TrackAssignment::kVoiceRows; ++row) {
    auto* b = makeToggle(kVoiceLetters[row], kVoiceNames[row], model_.voiceOn[static_cast<std::size_t>(row)]);
    connect(b, &QPushButton::toggled, this, [this, row](bool on) {
      model_.voiceOn[static_cast<std::size_t>(row)] = on;
      showSummary();
    });
    voiceToggles_[row] = b;
    toggles->addWidget(b);
  }
  toggles->addStretch();
  drumToggle_ = makeToggle("D", "Drums", model_.drumsOn);
  connect(drumToggle_, &QPushButton::toggled, this, [this](bool on) {
    model_.drumsOn = on;
    showSummary();
  });
  auto* drumSide = new QVBoxLayout;
  drumSide->setContentsMargins(0, drums_->frameWidth(), 0, 0);
  drumSide->addWidget(drumToggle_);
  drumSide->addStretch();

  auto* up = new QPushButton(text("Up"), this);
  up->setObjectName("upButton");
  auto* down = new QPushButton(text("Down"), this);
  down->setObjectName("downButton");
  connect(up, &QPushButton::clicked, this, [this] { moveSelected(true); });
  connect(down, &QPushButton::clicked, this, [this] { moveSelected(false); });
  auto* order = new QVBoxLayout;
  order->addWidget(up);
  order->addWidget(down);
  order->addStretch();

  const auto header = [this](const char* english, const char* name) {
    auto* label = new QLabel(text(english), this);
    label->setObjectName(QLatin1String(name));
    return label;
  };
  grid->addWidget(header("Part", "partHeader"), 0, 0);
  grid->addWidget(header("Voice tracks (S, A, T, B from the top)", "voiceHeader"), 0, 1);
  grid->addWidget(header("Drum tracks", "drumHeader"), 0, 3, 1, 2);
  grid->addLayout(toggles, 1, 0);
  grid->addWidget(voices_, 1, 1);
  grid->addLayout(order, 1, 2);
  grid->addLayout(drumSide, 1, 3);
  grid->addWidget(drums_, 1, 4);
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(4, 2);

  summary_ = new QLabel(this);
  summary_->setObjectName("importSummary");
  auto* hint = new QLabel(text("Switch parts on or off with S, A, T, B and D; Up and Down reorder the voices; "
                               "Play listens to the highlighted track."),
                          this);
  hint->setObjectName("hint");
  hint->setStyleSheet(QStringLiteral("color: #505050;"));

  auto* play = new QPushButton(text("Play"), this);
  play->setObjectName("playButton");
  auto* stop = new QPushButton(text("Stop"), this);
  stop->setObjectName("stopButton");
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("okButton");
  auto* close = new QPushButton(text("Close"), this);
  close->setObjectName("closeButton");
  ok->setDefault(true);
  for (QPushButton* b : {up, down, play, stop, close}) b->setAutoDefault(false);
  connect(play, &QPushButton::clicked, this, [this] {
    const int set = previewSet();
    if (set >= 0) emit previewRequested(set);
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
  layout->addWidget(summary_);
  layout->addWidget(hint);
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
  for (const TrackRow& row : model_.voiceRows) {
    auto* item = new QListWidgetItem(QString::fromStdString(row.label), voices_);
    item->setSizeHint(QSize(0, kRowHeight));
  }
  drums_->clear();
  for (const TrackRow& row : model_.drumRows) {
    auto* item = new QListWidgetItem(QString::fromStdString(row.label), drums_);
    item->setSizeHint(QSize(0, kRowHeight));
  }
  voices_->setCurrentRow(model_.selectedVoice);
  drums_->setCurrentRow(model_.selectedDrum);
}

// "Play" without a highlighted row plays the first track that has one.
int TrackAssignDialog::previewSet() const {
  if (model_.selectedSet() >= 0) return model_.selectedSet();
  for (const TrackRow& row : model_.voiceRows)
    if (row.setIndex >= 0) return row.setIndex;
  for (const TrackRow& row : model_.drumRows)
    if (row.setIndex >= 0) return row.setIndex;
  return -1;
}

// One line that says what OK will read: each part's track, or that it is off.
void TrackAssignDialog::showSummary() {
  const QString off = text("off");
  QStringList parts;
  for (int row = 0; row < TrackAssignment::kVoiceRows; ++row) {
    const auto& track = model_.voiceRows[static_cast<std::size_t>(row)];
    const bool on = model_.voiceOn[static_cast<std::size_t>(row)] && track.setIndex >= 0;
    parts << QString::fromLatin1(kVoiceLetters[row]) + QStringLiteral(": ") + (on ? QString::fromStdString(track.label) : off);
  }
  const auto source = static_cast<std::size_t>(model_.drumSource);
  const bool drumsOn = model_.drumsOn && source < model_.drumRows.size() && model_.drumRows[source].setIndex >= 0;
  parts << QStringLiteral("D: ") + (drumsOn ? QString::fromStdString(model_.drumRows[source].label) : off);
  summary_->setText(text("Will read:") + QStringLiteral("  ") + parts.join(QStringLiteral("   ")));
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
  showSummary();
}

void TrackAssignDialog::moveSelected(bool up) {
  if (up ? model_.moveUp() : model_.moveDown()) {
    fillLists();
    showSummary();
  }
}

void TrackAssignDialog::setPreviewProgress(int percent) { progress_->setValue(percent); }

}  // namespace quorvel

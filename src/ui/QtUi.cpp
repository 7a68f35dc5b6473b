#include "ui/QtUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include "app/SongTitle.h"
#include "playback/Player.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/TrackAssignDialog.h"
#include "ui/views/PianoRoll.h"

namespace quorvel {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::Ok: break;
  }
  return QMessageBox::Ok;
}

MsgAnswer answerOf(int button) {
  switch (button) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    default: return MsgAnswer::Cancel;
  }
}

// "MIDI(*.mid,*.midi)" becomes "MIDI (*.mid *.midi)", the form Qt's dialogs read.
QString qtFilter(const std::string& filter) {
  QString f = QString::fromStdString(filter);
  f.replace(QLatin1Char(','), QLatin1Char(' '));
  f.replace(QRegularExpression(QStringLiteral("(\\S)\\(")), QStringLiteral("\\1 ("));
  return f;
}

QString progressLabel(const ProgressWindowText& t) {
  QStringList lines{QString::fromStdString(t.text)};
  for (const std::string& line : {t.segmentLine, t.retryLine})
    if (!line.empty()) lines << QString::fromStdString(line);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

void QtUi::songStateChanged(const SongState& state) {
  if (window_) window_->setWindowTitle(QString::fromStdString(songWindowTitle(state)));
}

void QtUi::setStatus(int field, const std::string& text) {
  if (window_) window_->statusFields()->setField(field, QString::fromStdString(text));
}

MsgAnswer QtUi::messageBox(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(qtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text), qtButtons(buttons),
                  window_.data());
  return answerOf(box.exec());
}

void QtUi::redraw(RedrawTarget target) {
  if (!window_) return;
  if (target == RedrawTarget::All) window_->toolBand().syncWithScore();
  window_->pianoRoll()->redraw(target);
}

void QtUi::pumpEvents() { QCoreApplication::processEvents(); }

void QtUi::openUrl(const std::string& url) { openPage(QUrl(QString::fromStdString(url)), window_.data()); }

void QtUi::showDrumsBand(bool shown) {
  if (window_) window_->setDrumsBandShown(shown);
}

void QtUi::requestClose() {
  if (window_) window_->close();
}

void QtUi::openProgressWindow(const ProgressWindowText& text, int rangeMax) {
  closeProgressWindow();
  progressText_ = text;
  progress_ = new QProgressDialog(progressLabel(text), QString::fromStdString(text.cancelLabel), 0, rangeMax,
                                  window_.data());
  progress_->setWindowTitle(QString::fromStdString(text.title));
  progress_->setAttribute(Qt::WA_DeleteOnClose);
  progress_->setAutoClose(false);
  progress_->setAutoReset(false);
  progress_->setMinimumDuration(0);
  progress_->setWindowModality(Qt::NonModal);
  progressCancelled_ = false;
  QObject::connect(progress_, &QProgressDialog::canceled, [this] { progressCancelled_ = true; });
  progress_->show();
}

void QtUi::setProgressPosition(int position) {
  if (progress_) progress_->setValue(position);
}

void QtUi::setProgressLines(const std::string& segmentLine, const std::string& retryLine) {
  if (!progress_) return;
  progressText_.segmentLine = segmentLine;
  progressText_.retryLine = retryLine;
  progress_->setLabelText(progressLabel(progressText_));
}

void QtUi::closeProgressWindow() {
  if (progress_) progress_->close();
}

bool QtUi::progressCancelled() { return progressCancelled_; }

void QtUi::openInfiniteWindow(const InfiniteWindowText& text, bool autoSaveTicked) {
  closeInfiniteWindow();
  infinite_ = new InfiniteWindow(text, autoSaveTicked, window_.data());
  infinite_->show();
}

void QtUi::setInfiniteStock(const std::string& stockLine, int stock, int capacity) {
  if (infinite_) infinite_->setStock(QString::fromStdString(stockLine), stock, capacity);
}

void QtUi::setInfiniteNote(const std::string& note) {
  if (infinite_) infinite_->setNote(QString::fromStdString(note));
}

void QtUi::setInfiniteAutoSave(bool ticked) {
  if (infinite_) infinite_->setAutoSave(ticked);
}

CheckChange QtUi::takeInfiniteAutoSaveChange() {
  return infinite_ ? infinite_->takeAutoSaveChange() : CheckChange::None;
}

bool QtUi::infiniteWindowOpen() { return infinite_ && !infinite_->stopped(); }

void QtUi::closeInfiniteWindow() {
  if (infinite_) infinite_->deleteLater();
  infinite_.clear();
}

std::string QtUi::askOpenFileName(const FileDialogRequest& request) {
  return QFileDialog::getOpenFileName(window_.data(), QString(), QString::fromStdString(request.folder),
                                      qtFilter(request.filter))
      .toStdString();
}

std::string QtUi::askSaveFileName(const FileDialogRequest& request) {
  QFileDialog dialog(window_.data(), QString(), QString::fromStdString(request.folder), qtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (!request.initialName.empty()) dialog.selectFile(QString::fromStdString(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toStdString();
}

// "Play" in the dialog auditions one imported track; a timer follows the
// audition and ends it when the player reports it finished.
bool QtUi::runTrackAssignment(TrackAssignment& model) {
  if (acceptProposedTracks_) return true;
  TrackAssignDialog dialog(model, window_.data(), window_ ? window_->language() : 0);
  QTimer follow;
  bool previewing = false;
  Player* player = player_;
  const auto stop = [player, &previewing] {
    if (!previewing) return;
    previewing = false;
    player->stopPreview();
  };
  if (player) {
    QObject::connect(&dialog, &TrackAssignDialog::previewRequested, [player, &previewing](int set) {
      previewing = true;
      player->previewSet(set);
    });
    QObject::connect(&dialog, &TrackAssignDialog::previewStopped, stop);
    QObject::connect(&follow, &QTimer::timeout, [player, &dialog, &previewing, stop] {
      if (!previewing) return;
      dialog.setPreviewProgress(player->previewProgress());
      if (player->previewFinished()) stop();
    });
    follow.start(50);
  }
  const bool accepted = dialog.exec() == QDialog::Accepted;
  stop();
  return accepted;
}

}  // namespace quorvel

#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/CloseSequence.h"
#include "app/CommandIds.h"
#include "app/FileDrop.h"
#include "app/SongTitle.h"
#include "app/KeyInput.h"
#include "base/Messages.h"
#include "ui/Menus.h"
#include "ui/QtKeys.h"
#include "ui/views/PianoRoll.h"

namespace quorvel {

MainWindow::MainWindow(AppContext& app) : app_(app) {
  setObjectName(QStringLiteral("mainC"));
  setWindowTitle(QString::fromStdString(songWindowTitle({"", false, app.score.settings.general.language})));
  buildMenuBar(*menuBar(), app);
  toolBand_ = std::make_unique<ToolBand>(*this, app);
  statusFields_ = new StatusFields(this);
  setStatusBar(statusFields_);
  setAcceptDrops(true);
  drumsBandShown_ = switchOn(app.score.settings.window.drumsBandShown);
  if (drumsBandShown_)
    app.score.setFlag(kFlagDrumsBand);
  else
    app.score.clearFlag(kFlagDrumsBand);
  embedPianoRoll();
  toolBand_->drumsBand()->setVisible(drumsBandShown_);
  toolBand_->syncWithScore();
  // Shortcuts are decoded from key events wherever the focus is inside this window.
  qApp->installEventFilter(this);
}

// The panes carry out the edit commands themselves: they know the pane under
// the mouse (paste) and redraw what changed. The table keeps the refusal rules.
void MainWindow::embedPianoRoll() {
  pianoRoll_ = new views::PianoRoll(app_.score, app_.ui, app_.view, app_.transport, this);
  setCentralWidget(pianoRoll_);
  const auto onPanes = [this](int id, void (*edit)(views::PianoRoll&)) {
    app_.commands.bind(id, [this, edit](AppContext&, int) {
      edit(*pianoRoll_);
      return 0;
    });
  };
  onPanes(cmd::kSelectAll, [](views::PianoRoll& p) { p.selectAll(); });
  onPanes(cmd::kCopy, [](views::PianoRoll& p) { p.copy(); });
  onPanes(cmd::kCut, [](views::PianoRoll& p) { p.cut(); });
  onPanes(cmd::kPaste, [](views::PianoRoll& p) { p.paste(); });
  onPanes(cmd::kDelete, [](views::PianoRoll& p) { p.deleteSelection(); });
  onPanes(cmd::kUndo, [](views::PianoRoll& p) { p.undo(); });
  onPanes(cmd::kRedo, [](views::PianoRoll& p) { p.redo(); });
  // A click in the other grid switches between melody and drums editing.
  connect(pianoRoll_, &views::PianoRoll::editedSetMayHaveChanged, this, [this] { toolBand_->syncWithScore(); });
  connect(pianoRoll_, &views::PianoRoll::scaleMenuCommand, this, [this](int command, int) {
    if (command == cmd::kSetLeftLocatorHere && app_.ops.resetRemoteAlternatives) app_.ops.resetRemoteAlternatives(app_);
  });
}

int MainWindow::language() const { return app_.score.settings.general.language; }

void MainWindow::applyStoredPlacement() {
  const WindowSettings& w = app_.score.settings.window;
  setGeometry(w.left, w.top, w.width, w.height);
}

void MainWindow::setDrumsBandShown(bool shown) {
  if (shown == drumsBandShown_) return;
  drumsBandShown_ = shown;
  toolBand_->drumsBand()->setVisible(shown);
  toolBand_->button(cmd::kDrums)->setChecked(shown);
  // The window keeps its size: the melody area takes the band's room.
  pianoRoll_->setDrumsBandVisible(shown);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && handleKey(watched, event))
    return true;
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::handleKey(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (event->type() == QEvent::KeyRelease) {
    // An auto-repeating key sends release/press pairs; only the real release ends the note.
    if (!key->isAutoRepeat()) handleKeyUp(app_, toKeyChord(*key));
    return false;
  }
  return handleKeyDown(app_, toKeyChord(*key));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  const QRect r = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  const WindowPlacement placement{r.left(), r.top(), r.width(), r.height()};
  if (runCloseSequence(app_, placement, drumsBandShown_))
    event->accept();
  else
    event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  event->acceptProposedAction();
  dropFiles(app_, paths);
}

}  // namespace quorvel

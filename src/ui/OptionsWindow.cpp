#include "ui/OptionsWindow.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/DialogTexts.h"

namespace quorvel {

namespace {

constexpr double kUnfocusedOpacity = 192.0 / 255.0;
constexpr int kButtonWidth = 100, kButtonHeight = 28, kButtonY = 660;

}  // namespace

OptionsWindow::OptionsWindow(AppContext& app, SettingsListener& listener, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool), app_(app), model_(app, listener), main_(mainWindow) {
  const int language = app.score.language();
  setObjectName(QStringLiteral("Options"));
  setWindowTitle(QString::fromStdString(dialogText("Options", language)));
  setFixedSize(kWidth, kHeight);
  tabs_ = new QTabWidget(this);
  tabs_->setGeometry(10, 10, 510, 640);
  // All eight page names stay in sight: no scroll arrows, a little less padding.
  tabs_->setUsesScrollButtons(false);
  tabs_->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 5px; }"));
  pages_ = buildOptionsPages(model_, app.score.settings, language, [this](int tab) { pageChanged(tab); });
  static constexpr const char* kTitles[] = {"General", "Melody", "Parts", "Drums", "File", "AI Type", "Counter NN",
                                            "Generator NN"};
  for (std::size_t i = 0; i < pages_.size(); ++i)
    tabs_->addTab(pages_[i].widget, QString::fromStdString(dialogText(kTitles[i], language)));
  addButtons();
  addPageKeys();
  showPages();
}

void OptionsWindow::addButtons() {
  const int language = app_.score.language();
  const auto button = [this, language](const char* label, int x, void (OptionsWindow::*press)()) {
    auto* b = new QPushButton(QString::fromStdString(dialogText(label, language)), this);
    b->setGeometry(x, kButtonY, kButtonWidth, kButtonHeight);
    connect(b, &QPushButton::clicked, this, press);
    return b;
  };
  button("Default", 20, &OptionsWindow::pressDefault);
  button("OK", 190, &OptionsWindow::pressOk)->setDefault(true);
  button("Cancel", 300, &OptionsWindow::pressCancel);
  apply_ = button("Apply", 410, &OptionsWindow::pressApply);
  apply_->setEnabled(false);
}

// Ctrl+Tab and Ctrl+Shift+Tab go round the pages.
void OptionsWindow::addPageKeys() {
  const auto step = [this](int by) {
    const int n = tabs_->count();
    tabs_->setCurrentIndex((tabs_->currentIndex() + by + n) % n);
  };
  auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
  connect(next, &QShortcut::activated, this, [step] { step(1); });
  auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
  connect(previous, &QShortcut::activated, this, [step] { step(-1); });
  auto* previousTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this);
  connect(previousTab, &QShortcut::activated, this, [step] { step(-1); });
}

void OptionsWindow::showPages() {
  for (const OptionsPage& p : pages_) p.load();
}

void OptionsWindow::pageChanged(int tab) {
  model_.touch(tab);
  apply_->setEnabled(true);
}

void OptionsWindow::showBesideMain() {
  const QRect m = main_ ? main_->geometry() : QRect();
  move(m.left() + 40, m.top() + (shownBefore_ ? 40 : 5));
  shownBefore_ = true;
  show();
  raise();
  activateWindow();
}

void OptionsWindow::pressDefault() {
  model_.fillDefaults(tabs_->currentIndex());
  pages_[static_cast<std::size_t>(tabs_->currentIndex())].load();
  apply_->setEnabled(true);
}

void OptionsWindow::pressApply() {
  if (model_.apply() != 0) return;
  apply_->setEnabled(false);
}

void OptionsWindow::pressOk() {
  if (model_.apply() != 0) return;
  apply_->setEnabled(false);
  hide();
}

void OptionsWindow::pressCancel() {
  model_.reload();
  showPages();
  apply_->setEnabled(false);
  hide();
}

void OptionsWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  pressCancel();
}

// Opaque while it has the focus, see-through while the main window has it.
void OptionsWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) setWindowOpacity(isActiveWindow() ? 1.0 : kUnfocusedOpacity);
  QWidget::changeEvent(event);
}

void bindOptionsWindow(AppContext& app, SettingsListener& listener, QWidget& mainWindow) {
  auto window = std::make_shared<OptionsWindow*>(nullptr);
  const CommandAction open = [window, &listener, &mainWindow](AppContext& a, int) {
    if (!*window) *window = new OptionsWindow(a, listener, &mainWindow);
    (*window)->showBesideMain();
    return 0;
  };
  app.commands.bind(cmd::kOptions, open);
  app.commands.bind(cmd::kOptionsButton, open);
}

}  // namespace quorvel

#include "ui/HelpWindow.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quorvel {

namespace {

// QDesktopServices hands URLs to xdg-open; without it nothing would appear.
bool hasBrowserLauncher() { return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty(); }

}  // namespace

HelpWindow::HelpWindow(const QUrl& page, QWidget* parent) : QDialog(parent) {
  setObjectName("helpWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Quorvel"));
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  browser_->setSource(page);
  if (!browser_->documentTitle().isEmpty()) setWindowTitle(browser_->documentTitle());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(760, 600);
}

HelpWindow* openPage(const QUrl& url, QWidget* parent) {
  if (hasBrowserLauncher() && QDesktopServices::openUrl(url)) return nullptr;
  if (!url.isLocalFile()) return nullptr;
  auto* window = new HelpWindow(url, parent);
  window->show();
  return window;
}

}  // namespace quorvel

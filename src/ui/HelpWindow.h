#pragma once
// The help page in a window of the program, for desktops without a browser
// launcher: a text browser that follows the page's own links.
#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace quorvel {

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  HelpWindow(const QUrl& page, QWidget* parent);
  QTextBrowser& browser() { return *browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

// Opens a URL with the desktop's browser; a local page opens in a HelpWindow
// when there is no launcher or it fails. Answers the window, if one opened.
HelpWindow* openPage(const QUrl& url, QWidget* parent);

}  // namespace quorvel

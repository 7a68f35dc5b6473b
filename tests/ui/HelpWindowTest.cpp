// Help without a desktop browser: the page opens in a window of the program.
#include "ui/HelpWindow.h"

#include <gtest/gtest.h>

#include <QTextBrowser>

namespace quorvel {
namespace {

TEST(HelpWindowTest, ShowsTheInstalledHelpPageInBothLanguages) {
  for (const char* page : {"help_en.html", "help_ja.html"}) {
    const QUrl url = QUrl::fromLocalFile(QStringLiteral(QUORVEL_SOURCE_DIR "/help/") + QLatin1String(page));
    HelpWindow window(url, nullptr);
    const QString text = window.browser().toPlainText();
    EXPECT_GT(text.size(), 200) << page;
    EXPECT_TRUE(text.contains(QStringLiteral("Quorvel"))) << page;
    EXPECT_NE(window.windowTitle(), QString()) << page;
  }
}

}  // namespace
}  // namespace quorvel

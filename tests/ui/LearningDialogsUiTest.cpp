// The learning-data dialogs on Qt's offscreen platform: files dropped into
// the converters' list with the enabling rules of their buttons, and the
// analysis table copied with Ctrl+C.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include "ui/AnalysisTableDialog.h"
#include "ui/FileListDialog.h"

namespace quorvel {
namespace {

QPushButton* button(QWidget& dialog, const QString& text) {
  for (auto* b : dialog.findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

void drop(QWidget& target, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& p : paths) urls.push_back(QUrl::fromLocalFile(p));
  data.setUrls(urls);
  // Qt delivers a drop only to a widget that accepted the drag entering it.
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &event);
}

FileListDialogRequest scheduleRequest(std::vector<std::string>& converted, int& choice) {
  FileListDialogRequest r;
  r.choices = {"1 Part (0:1)", "2 Parts (1:1)", "3 Parts (2:1)", "4 Parts (3:1)", "Drums"};
  r.deleteLabel = "Delete";
  r.clearLabel = "Clear";
  r.convertLabel = "Convert";
  r.closeLabel = "Close";
  r.convert = [&](const std::vector<std::string>& files, int c) {
    converted = files;
    choice = c;
  };
  return r;
}

TEST(FileListDialog, DroppedFilesEnableTheButtonsAndConvertGetsTheListAndTheType) {
  std::vector<std::string> converted;
  int choice = -1;
  auto request = scheduleRequest(converted, choice);
  request.selected = 3;
  FileListDialog dialog(request);
  dialog.show();
  EXPECT_EQ(dialog.choice(), 3);
  QPushButton *del = button(dialog, "Delete"), *clear = button(dialog, "Clear"), *convert = button(dialog, "Convert");
  ASSERT_TRUE(del && clear && convert);
  EXPECT_FALSE(del->isEnabled());
  EXPECT_FALSE(clear->isEnabled());
  EXPECT_FALSE(convert->isEnabled());

  drop(dialog, {"/songs/a.mid", "/songs/b.mid", "/songs/c.mid"});
  EXPECT_TRUE(clear->isEnabled());
  EXPECT_TRUE(convert->isEnabled());
  EXPECT_FALSE(del->isEnabled());

  auto* list = dialog.findChild<QListWidget*>("fileList");
  ASSERT_EQ(list->count(), 3);
  list->item(0)->setSelected(true);
  list->item(2)->setSelected(true);
  EXPECT_TRUE(del->isEnabled());
  QTest::mouseClick(del, Qt::LeftButton);
  EXPECT_EQ(dialog.files(), std::vector<std::string>{"/songs/b.mid"});

  for (auto* radio : dialog.findChildren<QRadioButton*>())
    if (radio->text() == "Drums") QTest::mouseClick(radio, Qt::LeftButton);
  QTest::mouseClick(convert, Qt::LeftButton);
  EXPECT_EQ(converted, std::vector<std::string>{"/songs/b.mid"});
  EXPECT_EQ(choice, 4);

  QTest::mouseClick(clear, Qt::LeftButton);
  EXPECT_FALSE(convert->isEnabled());
  EXPECT_FALSE(clear->isEnabled());
}

TEST(AnalysisTableDialog, ShowsTheRowsAndCopiesTheTableWithCtrlC) {
  TableDialogRequest request;
  request.columnTitles = {"Track", "Length", "Rate"};
  request.columnWidths = {80, 65, 55};
  request.rows = {{"01", "410", "97.6"}, {"-", "-", "-"}};
  request.clipboardText = "song.mid\r\nTrack\tLength\tRate\t\r\n01\t410\t97.6\t\r\n-\t-\t-\t";
  request.okLabel = "OK";
  request.closeLabel = "Close";
  request.convertLabel = "Convert";
  AnalysisTableDialog dialog(request);
  dialog.show();
  auto* table = dialog.findChild<QTableWidget*>("analysisTable");
  ASSERT_NE(table, nullptr);
  for (QWidget* target : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(table)}) {
    QApplication::clipboard()->clear();
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), request.clipboardText);
  }
  QTest::mouseClick(button(dialog, "Convert"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace quorvel

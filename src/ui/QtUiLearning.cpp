// The Ui port's learning-data dialogs and folder picker on Qt.
#include <QFileDialog>

#include "ui/AnalysisTableDialog.h"
#include "ui/FileListDialog.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

namespace quorvel {

std::string QtUi::askFolder(const std::string& title, const std::string& startFolder) {
  return QFileDialog::getExistingDirectory(window_.data(), QString::fromStdString(title),
                                           QString::fromStdString(startFolder))
      .toStdString();
}

void QtUi::runFileListDialog(const FileListDialogRequest& request) {
  FileListDialog dialog(request, window_.data());
  dialog.exec();
}

void QtUi::showTableDialog(const TableDialogRequest& request) {
  AnalysisTableDialog dialog(request, window_.data());
  dialog.exec();
}

}  // namespace quorvel

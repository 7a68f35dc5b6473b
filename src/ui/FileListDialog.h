#pragma once
// The converters' dialog: files dropped from the shell into a list, one
// group of radio buttons, and Delete, Clear, Convert and Close.
#include <QDialog>
#include <string>
#include <vector>

#include "base/Ui.h"

class QButtonGroup;
class QListWidget;
class QPushButton;

namespace quorvel {

class FileListDialog : public QDialog {
  Q_OBJECT

 public:
  FileListDialog(const FileListDialogRequest& request, QWidget* parent = nullptr);

  void addFiles(const std::vector<std::string>& paths);
  std::vector<std::string> files() const;
  int choice() const;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void deleteSelected();
  void clearList();
  void convert();
  void updateButtons();

  const FileListDialogRequest& request_;
  QListWidget* list_ = nullptr;
  QButtonGroup* choices_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* convert_ = nullptr;
};

}  // namespace quorvel

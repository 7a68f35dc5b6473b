#include "ui/FileListDialog.h"

#include <QButtonGroup>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvel {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

FileListDialog::FileListDialog(const FileListDialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
  setWindowTitle(text(request.title));
  setAcceptDrops(true);

  list_ = new QListWidget(this);
  list_->setObjectName("fileList");
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->setMinimumSize(420, 220);

  auto* group = new QGroupBox(text(request.groupTitle), this);
  auto* groupLayout = new QVBoxLayout(group);
  choices_ = new QButtonGroup(this);
  for (std::size_t i = 0; i < request.choices.size(); ++i) {
    auto* radio = new QRadioButton(text(request.choices[i]), group);
    choices_->addButton(radio, static_cast<int>(i));
    groupLayout->addWidget(radio);
  }
  if (auto* selected = choices_->button(request.selected)) selected->setChecked(true);

  delete_ = new QPushButton(text(request.deleteLabel), this);
  clear_ = new QPushButton(text(request.clearLabel), this);
  convert_ = new QPushButton(text(request.convertLabel), this);
  auto* close = new QPushButton(text(request.closeLabel), this);
  convert_->setDefault(true);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(group);
  buttons->addStretch();
  for (QPushButton* b : {delete_, clear_, convert_, close}) buttons->addWidget(b);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  connect(delete_, &QPushButton::clicked, this, &FileListDialog::deleteSelected);
  connect(clear_, &QPushButton::clicked, this, &FileListDialog::clearList);
  connect(convert_, &QPushButton::clicked, this, &FileListDialog::convert);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemSelectionChanged, this, &FileListDialog::updateButtons);
  updateButtons();
}

void FileListDialog::addFiles(const std::vector<std::string>& paths) {
  for (const std::string& p : paths) list_->addItem(text(p));
  updateButtons();
}

std::vector<std::string> FileListDialog::files() const {
  std::vector<std::string> out;
  for (int i = 0; i < list_->count(); ++i) out.push_back(list_->item(i)->text().toStdString());
  return out;
}

int FileListDialog::choice() const { return std::max(0, choices_->checkedId()); }

void FileListDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FileListDialog::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  addFiles(paths);
  event->acceptProposedAction();
}

// From the highest row down, so the rows still to delete keep their numbers.
void FileListDialog::deleteSelected() {
  std::vector<int> rows;
  for (const QListWidgetItem* item : list_->selectedItems()) rows.push_back(list_->row(item));
  std::sort(rows.rbegin(), rows.rend());
  for (int row : rows) delete list_->takeItem(row);
  updateButtons();
}

void FileListDialog::clearList() {
  list_->clear();
  updateButtons();
}

void FileListDialog::convert() {
  if (request_.convert) request_.convert(files(), choice());
}

void FileListDialog::updateButtons() {
  const bool any = list_->count() > 0;
  clear_->setEnabled(any);
  convert_->setEnabled(any);
  delete_->setEnabled(!list_->selectedItems().isEmpty());
}

}  // namespace quorvel

#include "ui/AnalysisTableDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvel {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

bool isCtrlC(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  return key->key() == Qt::Key_C && (key->modifiers() & Qt::ControlModifier);
}

}  // namespace

AnalysisTableDialog::AnalysisTableDialog(const TableDialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
  setWindowTitle(text(request.title));
  const int columns = static_cast<int>(request.columnTitles.size());
  table_ = new QTableWidget(static_cast<int>(request.rows.size()), columns, this);
  table_->setObjectName("analysisTable");
  table_->setShowGrid(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionsMovable(true);
  for (int c = 0; c < columns; ++c) {
    table_->setHorizontalHeaderItem(c, new QTableWidgetItem(text(request.columnTitles[static_cast<std::size_t>(c)])));
    if (c < static_cast<int>(request.columnWidths.size()))
      table_->setColumnWidth(c, request.columnWidths[static_cast<std::size_t>(c)]);
  }
  for (int r = 0; r < table_->rowCount(); ++r) {
    const auto& row = request.rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < columns && c < static_cast<int>(row.size()); ++c)
      table_->setItem(r, c, new QTableWidgetItem(text(row[static_cast<std::size_t>(c)])));
    table_->setRowHeight(r, 20);
  }
  table_->setMinimumSize(900, 500);
  table_->installEventFilter(this);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (const std::string* label : {&request.convertLabel, &request.okLabel, &request.closeLabel}) {
    auto* button = new QPushButton(text(*label), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
}

void AnalysisTableDialog::copyToClipboard() const { QApplication::clipboard()->setText(text(request_.clipboardText)); }

void AnalysisTableDialog::keyPressEvent(QKeyEvent* event) {
  if (isCtrlC(event)) {
    copyToClipboard();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool AnalysisTableDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && isCtrlC(event)) {
    copyToClipboard();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quorvel

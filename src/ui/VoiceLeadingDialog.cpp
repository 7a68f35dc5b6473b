#include "ui/VoiceLeadingDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvel {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

VoiceLeadingDialog::VoiceLeadingDialog(VoiceLeadingWindowRequest request, QWidget* parent)
    : QDialog(parent), request_(std::move(request)) {
  setWindowTitle(text(request_.title));
  auto* summary = new QLabel(text(request_.summary), this);
  summary->setObjectName("voiceLeadingSummary");
  table_ = new QTableWidget(this);
  table_->setObjectName("voiceLeadingTable");
  fillTable();
  // Selecting a row, by mouse or arrow keys, selects its notes; clicking it
  // again selects them anew after the user picked another part. Focus alone
  // makes a row current without selecting it, and selects nothing.
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
    const auto rows = table_->selectionModel()->selectedRows();
    if (!rows.isEmpty()) choose(rows.front().row());
  });
  connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { choose(row); });
  auto* close = new QPushButton(text(request_.closeLabel), this);
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  resize(620, 360);
}

void VoiceLeadingDialog::choose(int row) {
  if (row >= 0 && request_.rowChosen) request_.rowChosen(row);
}

void VoiceLeadingDialog::fillTable() {
  const int columns = static_cast<int>(request_.columnTitles.size());
  table_->setColumnCount(columns);
  table_->setRowCount(static_cast<int>(request_.rows.size()));
  for (int c = 0; c < columns; ++c)
    table_->setHorizontalHeaderItem(c, new QTableWidgetItem(text(request_.columnTitles[static_cast<std::size_t>(c)])));
  for (int r = 0; r < table_->rowCount(); ++r) {
    const auto& row = request_.rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < columns && c < static_cast<int>(row.size()); ++c)
      table_->setItem(r, c, new QTableWidgetItem(text(row[static_cast<std::size_t>(c)])));
  }
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
}

}  // namespace quorvel

#include "views/statistics_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/section_statistics.h"
#include "document/tarnix_doc.h"

namespace tarnix {

CStatisticsPanel::CStatisticsPanel(CTarnixDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);

  table_ = new QTableWidget(this);
  table_->setObjectName(QStringLiteral("statisticsTable"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setFocusPolicy(Qt::NoFocus);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(20);
  table_->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->horizontalHeader()->setMinimumSectionSize(56);
  // As tall as its rows, so that the summary lines sit right under it.
  table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  layout->addWidget(table_);

  velocityLine_ = new QLabel(this);
  velocityLine_->setObjectName(QStringLiteral("velocityLine"));
  amplitudeLine_ = new QLabel(this);
  amplitudeLine_->setObjectName(QStringLiteral("amplitudeLine"));
  layout->addWidget(velocityLine_);
  layout->addWidget(amplitudeLine_);
  layout->addStretch(1);
  Refresh();
}

void CStatisticsPanel::Refresh() {
  table_->clear();
  table_->setRowCount(0);
  table_->setColumnCount(0);
  velocityLine_->clear();
  amplitudeLine_->clear();

  const StatisticsBlock block = BuildStatisticsBlock(doc_.AllSections(), doc_.Algorithm(), doc_.samplingStep);
  if (block.sections.empty()) return;

  const auto& labels = block.sections.front().items;
  table_->setRowCount(static_cast<int>(labels.size()));
  table_->setColumnCount(static_cast<int>(block.sections.size()));
  QStringList rowHeaders;
  for (const LabelledText& item : labels) rowHeaders << QString::fromStdString(item.label);
  table_->setVerticalHeaderLabels(rowHeaders);

  QStringList columnHeaders;
  for (int c = 0; c < static_cast<int>(block.sections.size()); ++c) {
    const SectionStatistics& s = block.sections[static_cast<size_t>(c)];
    // Headed with the pipe pair, as the section selector names it.
    const SectionRecord& section = doc_.Section(s.section);
    columnHeaders << QStringLiteral("%1-%2").arg(section.sourPipe + 1).arg(section.destPipe + 1);
    for (int r = 0; r < static_cast<int>(s.items.size()) && r < table_->rowCount(); ++r) {
      auto* cell = new QTableWidgetItem(QString::fromStdString(s.items[static_cast<size_t>(r)].text));
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      cell->setFlags(Qt::ItemIsEnabled);
      table_->setItem(r, c, cell);
    }
  }
  table_->setHorizontalHeaderLabels(columnHeaders);
  // Up to three sections fit the bar; a scroll bar kept for more would leave a
  // blank strip under the table.
  table_->setHorizontalScrollBarPolicy(table_->columnCount() > 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  velocityLine_->setText(QString::fromStdString(block.velocityLine));
  amplitudeLine_->setText(QString::fromStdString(block.amplitudeLine));
}

}  // namespace tarnix

#include "views/chart_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSlider>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "document/tarnix_doc.h"
#include "views/chart_table_model.h"
#include "views/point_wave_panel.h"

namespace tarnix {

CChartView::CChartView(CTarnixDoc& doc, QWidget* parent) : CTarnixView(doc, parent) {
  model_ = new CChartTableModel(this);
  proxy_ = new QSortFilterProxyModel(this);
  proxy_->setSourceModel(model_);
  proxy_->setSortRole(CChartTableModel::kSortRole);
  table_ = new QTableView(this);
  table_->setObjectName("chartTable");
  table_->setModel(proxy_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->setSortingEnabled(true);
  // Shallowest first until the user sorts otherwise.
  table_->sortByColumn(0, Qt::AscendingOrder);
  table_->installEventFilter(this);
  setFocusProxy(table_);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CChartView::OnRowChosen);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_, 3);
  auto* panels = new QHBoxLayout;
  for (int c = 0; c < 2; ++c) {
    auto* column = new QVBoxLayout;
    panels_[c] = new CPointWavePanel(this);
    sliders_[c] = new QSlider(Qt::Horizontal, this);
    sliders_[c]->setRange(0, 100);
    sliders_[c]->setObjectName(c == 0 ? "scale1" : "scale2");
    connect(sliders_[c], &QSlider::valueChanged, this, [this, c](int p) { panels_[c]->SetScale(PanelScale(p)); });
    column->addWidget(panels_[c], 1);
    column->addWidget(sliders_[c]);
    panels->addLayout(column);
  }
  layout->addLayout(panels, 2);
}

void CChartView::OnUpdate() {
  const int current = doc_.CurrentSection();
  const Receivers pair = current >= 0 ? ReceiversAt(doc_.AllSections(), current) : Receivers{};
  model_->Refill(pair);
  // The document's current point when the table lists it, else the row chosen before.
  int point = doc_.CurrentPoint();
  if (model_->RowOfPoint(point) < 0) point = model_->RowOfPoint(selected_) >= 0 ? selected_ : model_->PointOfRow(0);
  ShowRow(point);
  ShowPanels();
}

void CChartView::ShowRow(int point) {
  selected_ = point;
  const int row = model_->RowOfPoint(point);
  if (row < 0) return;
  choosing_ = true;
  const QModelIndex at = proxy_->mapFromSource(model_->index(row, 0));
  table_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  const int ahead = std::min(at.row() + kRowsAhead, proxy_->rowCount() - 1);
  table_->scrollTo(proxy_->index(ahead, 0));
  table_->scrollTo(at);
  choosing_ = false;
}

void CChartView::OnRowChosen() {
  if (choosing_) return;
  const QModelIndex at = proxy_->mapToSource(table_->selectionModel()->currentIndex());
  const int point = model_->PointOfRow(at.row());
  if (point < 0) return;
  selected_ = point;
  ShowPanels();
  doc_.SetCurrentPoint(point);
}

void CChartView::ShowPanels() {
  const int current = doc_.CurrentSection();
  const Receivers pair = current >= 0 ? ReceiversAt(doc_.AllSections(), current) : Receivers{};
  const int number = model_->RowOfPoint(selected_);
  const SectionRecord* receivers[2] = {pair.first, pair.second};
  for (int c = 0; c < 2; ++c) panels_[c]->ShowPoint(number >= 0 ? receivers[c] : nullptr, selected_, number);
}

void CChartView::resizeEvent(QResizeEvent* event) {
  CTarnixView::resizeEvent(event);
  const int w = std::max(width() / CChartTableModel::kColumns - 1, 10);
  for (int c = 0; c < CChartTableModel::kColumns; ++c) table_->horizontalHeader()->resizeSection(c, w);
}

// --- Copying ------------------------------------------------------------------

QString CChartView::SelectionText() const {
  QModelIndexList rows = table_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList lines;
  QStringList cells;
  for (int c = 0; c < CChartTableModel::kColumns; ++c) {
    cells << model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().trimmed();
  }
  lines << cells.join('\t');
  for (const QModelIndex& r : rows) {
    cells.clear();
    const int row = proxy_->mapToSource(r).row();
    for (int c = 0; c < CChartTableModel::kColumns; ++c) cells << model_->CellText(row, c);
    lines << cells.join('\t');
  }
  return lines.join('\n') + '\n';
}

void CChartView::CopySelection() const {
  if (model_->rowCount() == 0) return;
  QGuiApplication::clipboard()->setText(SelectionText());
}

bool CChartView::HandlesCommand(CommandId id) const { return id == CommandId::CopyWave && model_->rowCount() > 0; }

bool CChartView::OnCommand(CommandId id) {
  if (id != CommandId::CopyWave) return false;
  CopySelection();
  return true;
}

bool CChartView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_) {
    // The table stands for the pane: its focus makes the pane the active one.
    if (event->type() == QEvent::FocusIn) emit Activated(this);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
      CopySelection();
      return true;
    }
  }
  return CTarnixView::eventFilter(watched, event);
}

}  // namespace tarnix

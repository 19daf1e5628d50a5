#include "views/chart_table_model.h"

#include <algorithm>

#include "base/c_text.h"

namespace tarnix {
namespace {

// Headings with their leading blanks, as the instrument's table has them.
const char* const kHeadings[CChartTableModel::kColumns] = {"  测点序号", "   深度(m)", "   L1(mm)", "  T1(us)",
                                                           "   L2(mm)",  "  T2(us)",   "  T(us)",   "  Vp(km/s)"};

}  // namespace

bool CChartTableModel::Refill(const Receivers& pair) {
  std::vector<PairReadout> rows;
  int last = -1;
  if (pair.first != nullptr && pair.second != nullptr) {
    const SectionRecord& s = *pair.first;
    last = std::min(s.lastIndex, s.PointCount() - 1);
    const int first = std::max(s.firstIndex, 0);
    if (last >= first) rows.reserve(last - first + 1);
    for (int i = last; i >= first; --i) rows.push_back(PairReadoutAt(*pair.first, *pair.second, i));
  }
  if (rows == rows_ && last == last_) return false;
  beginResetModel();
  rows_ = std::move(rows);
  last_ = last;
  endResetModel();
  return true;
}

int CChartTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CChartTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

int CChartTableModel::PointOfRow(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) ? last_ - row : -1;
}

int CChartTableModel::RowOfPoint(int point) const {
  const int row = last_ - point;
  return point >= 0 && row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

QString CChartTableModel::CellText(int row, int column) const {
  const PairReadout& r = rows_[row];
  std::string text;
  switch (column) {
    case 0:
      text = CFormat("%d", row);
      break;
    case 1:
      text = CFormat("%.2f", r.depth);
      break;
    case 2:
      text = CFormat("%.0f", r.span1 * 1000.0);
      break;
    case 3:
      text = CFormat("%.1f", r.t1);
      break;
    case 4:
      text = CFormat("%.0f", r.span2 * 1000.0);
      break;
    case 5:
      text = CFormat("%.1f", r.t2);
      break;
    case 6:
      text = CFormat("%.1f", r.timeDiff);
      break;
    default:
      text = r.vp == 0.0 ? "0" : CFormat("%.3f", r.vp);
      break;
  }
  return QString::fromStdString(text);
}

QVariant CChartTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  if (role == Qt::DisplayRole) return CellText(index.row(), index.column());
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  if (role != kSortRole) return {};
  const PairReadout& r = rows_[index.row()];
  const double values[kColumns] = {static_cast<double>(index.row()), r.depth, r.span1, r.t1, r.span2, r.t2,
                                   r.timeDiff, r.vp};
  return values[index.column()];
}

QVariant CChartTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section >= 0 && section < kColumns ? QString::fromUtf8(kHeadings[section]) : QVariant();
}

}  // namespace tarnix

#pragma once
// The rows of the data table: one per point of the evaluated range of the
// current pair, the shallowest first, with the pair's distances, times and Vp.
#include <QAbstractTableModel>
#include <vector>

#include "analysis/algorithm.h"
#include "analysis/pair_readout.h"

namespace tarnix {

class CChartTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kColumns = 8;
  // The value a column sorts by.
  static constexpr int kSortRole = Qt::UserRole;

  using QAbstractTableModel::QAbstractTableModel;

  // Rebuilds the rows from the pair; false when they are what they were.
  bool Refill(const Receivers& pair);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Point index of a row and back; -1 outside the rows.
  int PointOfRow(int row) const;
  int RowOfPoint(int point) const;
  // The cell as the table shows it.
  QString CellText(int row, int column) const;

 private:
  std::vector<PairReadout> rows_;
  int last_ = -1;  // the point of row 0
};

}  // namespace tarnix

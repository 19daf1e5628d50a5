#pragma once
// The statistics of the sections in use as a read-only table, one column per
// section and one row per quantity, with the two summary lines under it.
#include <QWidget>

class QLabel;
class QTableWidget;

namespace tarnix {

class CTarnixDoc;

class CStatisticsPanel : public QWidget {
  Q_OBJECT
 public:
  explicit CStatisticsPanel(CTarnixDoc& doc, QWidget* parent = nullptr);

  // Rebuilds the table and the lines from the document.
  void Refresh();

  QTableWidget* Table() const { return table_; }
  QLabel* VelocityLine() const { return velocityLine_; }
  QLabel* AmplitudeLine() const { return amplitudeLine_; }

 private:
  CTarnixDoc& doc_;
  QTableWidget* table_ = nullptr;
  QLabel* velocityLine_ = nullptr;
  QLabel* amplitudeLine_ = nullptr;
};

}  // namespace tarnix

#pragma once
// The data table: every point of the current pair's evaluated range with its
// distances, times and Vp, and the chosen point's two waveforms. The chosen
// row is the document's current point, so the analysis pane beside the table
// marks it and its keys step through the rows.
#include "views/tarnix_view.h"

class QSlider;
class QSortFilterProxyModel;
class QTableView;

namespace tarnix {

class CChartTableModel;
class CPointWavePanel;

class CChartView : public CTarnixView {
  Q_OBJECT
 public:
  // Rows kept in view below the chosen one.
  static constexpr int kRowsAhead = 15;

  CChartView(CTarnixDoc& doc, QWidget* parent = nullptr);

  void OnUpdate() override;
  // "复制" copies the chosen rows while the table is the active pane.
  bool HandlesCommand(CommandId id) const override;
  bool OnCommand(CommandId id) override;

  QTableView* Table() const { return table_; }
  const CChartTableModel& Model() const { return *model_; }
  CPointWavePanel* Panel(int channel) const { return panels_[channel]; }
  QSlider* Slider(int channel) const { return sliders_[channel]; }
  // The point of the chosen row, or -1.
  int SelectedPoint() const { return selected_; }
  // The selected rows as tab-separated lines under the headings, in the
  // table's order: what a spreadsheet takes from the clipboard.
  QString SelectionText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Chooses the point's row and keeps it in view, without telling the document.
  void ShowRow(int point);
  void OnRowChosen();
  void ShowPanels();
  void CopySelection() const;

  CChartTableModel* model_ = nullptr;
  QSortFilterProxyModel* proxy_ = nullptr;
  QTableView* table_ = nullptr;
  CPointWavePanel* panels_[2] = {};
  QSlider* sliders_[2] = {};
  int selected_ = -1;
  bool choosing_ = false;
};

}  // namespace tarnix

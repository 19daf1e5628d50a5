// The data table: its rows and cells, the chosen row and the waveform panels,
// sorting and copying.
#include "views/chart_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSlider>
#include <QTableView>

#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "support/document_access.h"
#include "support/scripted_ui_services.h"
#include "views/chart_table_model.h"
#include "views/point_wave_panel.h"

namespace tarnix {
namespace {

const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

class ChartViewTest : public ::testing::Test {
 protected:
  ChartViewTest() : doc_(ui_, recent_), view_(doc_) {
    view_.resize(900, 800);
    view_.show();
  }
  void Open() {
    ASSERT_TRUE(doc_.OnOpenDocument(kSample));
    view_.OnUpdate();
  }
  QString Cell(int row, int column) { return view_.Model().CellText(row, column); }
  void Key(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &e);
  }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  CChartView view_;
};

TEST_F(ChartViewTest, TenPointsGiveTenRowsShallowestFirstWithTheirCells) {
  Open();
  const int first = doc_.Section(0).firstIndex + 20;
  ASSERT_TRUE(doc_.SetEvaluatedRange(first, first + 9));
  const int i = first + 7;  // row 2
  DocumentTestAccess::Section(doc_, 0).arrivalTime[i] = 152.34f;
  DocumentTestAccess::Section(doc_, 1).arrivalTime[i] = 152.36f;
  view_.OnUpdate();
  const CChartTableModel& m = view_.Model();
  ASSERT_EQ(m.rowCount(), 10);
  EXPECT_EQ(Cell(0, 0), "0");
  EXPECT_EQ(Cell(9, 0), "9");
  EXPECT_EQ(m.PointOfRow(0), first + 9);
  EXPECT_LT(doc_.Section(0).depths[first + 9], doc_.Section(0).depths[first]);
  EXPECT_EQ(Cell(2, 3), "152.3");
  EXPECT_EQ(Cell(2, 5), "152.4");
  EXPECT_EQ(Cell(2, 6), "0.0");
  EXPECT_EQ(Cell(2, 7), "0");
  EXPECT_EQ(Cell(2, 2), "500");
  EXPECT_EQ(Cell(2, 4), "800");
  const QStringList headings = {"  测点序号", "   深度(m)", "   L1(mm)", "  T1(us)",
                                "   L2(mm)",  "  T2(us)",   "  T(us)",   "  Vp(km/s)"};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headings[c]);
  EXPECT_EQ(view_.Table()->horizontalHeader()->sectionSize(0), view_.width() / 8 - 1);
}

TEST_F(ChartViewTest, TheChosenRowIsTheCurrentPointAndSurvivesARefresh) {
  Open();
  const int point = doc_.Section(0).lastIndex - 30;
  doc_.SetCurrentPoint(point);
  view_.OnUpdate();
  EXPECT_EQ(view_.SelectedPoint(), point);
  EXPECT_EQ(view_.Panel(0)->Title(), "当前显示的是第30个测点");
  EXPECT_TRUE(view_.Panel(1)->ReadoutTexts().at(1).startsWith("T: "));

  // Chosen in the table: the document follows, and a refresh keeps the row.
  QTableView* table = view_.Table();
  table->setFocus();
  Key(table, Qt::Key_Down);
  EXPECT_EQ(doc_.CurrentPoint(), point - 1);
  view_.OnUpdate();
  EXPECT_EQ(table->currentIndex().row(), 31);
  EXPECT_TRUE(table->visualRect(table->model()->index(31 + CChartView::kRowsAhead, 0)).intersects(table->viewport()->rect()));

  // Sorted by Vp the row still names its point.
  table->sortByColumn(7, Qt::DescendingOrder);
  view_.OnUpdate();
  EXPECT_EQ(view_.SelectedPoint(), point - 1);
  const QModelIndex top = table->model()->index(0, 0);
  table->setCurrentIndex(top);
  EXPECT_EQ(doc_.CurrentPoint(), view_.Model().PointOfRow(table->model()->data(top).toInt()));
}

TEST_F(ChartViewTest, SlidersScaleThePanels) {
  EXPECT_DOUBLE_EQ(PanelScale(85), 0.75);
  EXPECT_DOUBLE_EQ(PanelScale(0), 12.5);
  EXPECT_DOUBLE_EQ(PanelScale(100), 0.01);
  EXPECT_DOUBLE_EQ(PanelScale(50), 50.0 / 15);
  EXPECT_DOUBLE_EQ(PanelScale(9), 9.1);
  view_.Slider(1)->setValue(85);
  EXPECT_DOUBLE_EQ(view_.Panel(1)->Scale(), 0.75);
}

TEST_F(ChartViewTest, CtrlCCopiesTheSelectedRowsForASpreadsheet) {
  Open();
  QTableView* table = view_.Table();
  table->selectionModel()->select(QItemSelection(table->model()->index(0, 0), table->model()->index(1, 7)),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  Key(table, Qt::Key_C, Qt::ControlModifier);
  const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "测点序号\t深度(m)\tL1(mm)\tT1(us)\tL2(mm)\tT2(us)\tT(us)\tVp(km/s)");
  QStringList row;
  for (int c = 0; c < 8; ++c) row << Cell(1, c);
  EXPECT_EQ(lines[2], row.join('\t'));
}

TEST_F(ChartViewTest, APointWithoutSamplesReadsOnlyItsDepthAndGain) {
  Open();
  SectionRecord& s = DocumentTestAccess::Section(doc_, 0);
  const int i = s.lastIndex - 4;
  s.points[i].samples.clear();
  const PointPanelReadout r = PanelReadoutAt(s, i);
  EXPECT_NEAR(r.h, s.depths[i] - s.depths[s.lastIndex], 1e-6);
  EXPECT_EQ(r.gain, s.points[i].gain);
  EXPECT_EQ(r.t, 0.0);
  EXPECT_EQ(r.vp, 0.0);
  EXPECT_EQ(r.a, 0.0);
  EXPECT_EQ(PanelReadoutTexts(r)[0], QString::asprintf("H: %.2fm", r.h));
}

}  // namespace
}  // namespace tarnix

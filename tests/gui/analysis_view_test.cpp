// The analysis pane in the main window: the curve level with the train, the
// cursor read-outs in the section bar, selection by click and keys, and the
// depth mapping beside the data table.
#include "views/analysis_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <cmath>

#include "base/c_text.h"
#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "shell/main_frame.h"
#include "support/document_access.h"
#include "support/scripted_ui_services.h"
#include "views/main_view.h"
#include "views/section_form.h"

namespace tarnix {
namespace {

const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

class AnalysisViewTest : public ::testing::Test {
 protected:
  AnalysisViewTest() : doc_(ui_, recent_), frame_(doc_, recent_) {
    frame_.resize(1600, 1000);
    frame_.show();
  }

  void Open() {
    ASSERT_TRUE(doc_.OnOpenDocument(kSample));
    frame_.RefreshViews();
    QApplication::processEvents();
  }
  CMainView* Wave() {
    for (CMainView* v : frame_.findChildren<CMainView*>()) {
      if (v->ChannelOffset() == 0) return v;
    }
    return nullptr;
  }
  // The pane of the layout shown.
  CAnalysisView* Pane() {
    for (CAnalysisView* v : frame_.findChildren<CAnalysisView*>()) {
      if (v->isVisible()) return v;
    }
    return frame_.findChild<CAnalysisView*>();
  }
  QString Field(const char* name) { return frame_.findChild<QLineEdit*>(QLatin1String(name))->text(); }
  // Pane y of a point's row in the wave train beside it.
  int RowY(int point) {
    const WaveLayout& l = Wave()->Layout();
    float y = 0;
    EXPECT_TRUE(l.RowBaseline(l.RowOfPoint(point), y));
    return static_cast<int>(std::floor(y));
  }
  static void Mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  static void Key(QWidget* w, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  CMainFrame frame_;
};

TEST_F(AnalysisViewTest, CursorReadsThePairAndShowsZeroWhenTheTimesReadAlike) {
  Open();
  const int i = doc_.Section(0).lastIndex - 3;
  DocumentTestAccess::Section(doc_, 0).arrivalTime[i] = 152.34f;
  DocumentTestAccess::Section(doc_, 1).arrivalTime[i] = 152.36f;
  const QPoint at(Pane()->width() / 2, RowY(i));
  Mouse(Pane(), QEvent::MouseMove, at);
  EXPECT_EQ(Field("velocityDiff"), "0km/s");
  EXPECT_EQ(Field("timeDiff"), "0.0us");
  EXPECT_EQ(Field("depth"), QString::fromStdString(CFormat("%.2fm", doc_.Section(0).depths[i])));
  const double spans = std::fabs(doc_.Section(0).points[i].span - doc_.Section(1).points[i].span);
  EXPECT_EQ(Field("spanDiff"), QString::fromStdString(CFormat("%.0fmm", spans * 1000.0)));

  DocumentTestAccess::Section(doc_, 1).arrivalTime[i] = 160.34f;
  Mouse(Pane(), QEvent::MouseMove, at);
  EXPECT_EQ(Field("velocityDiff"), QString::fromStdString(CFormat("%.3fkm/s", spans * 1000.0 / (160.34 - 152.34))));
  EXPECT_EQ(Field("timeDiff"), "8.0us");
}

TEST_F(AnalysisViewTest, ClicksAndKeysChooseThePointOfTheRow) {
  Open();
  const int i = doc_.Section(0).lastIndex - 5;
  Mouse(Pane(), QEvent::MouseButtonPress, QPoint(Pane()->width() / 2, RowY(i)), Qt::LeftButton);
  EXPECT_EQ(doc_.CurrentPoint(), i);
  Key(Pane(), Qt::Key_Up);
  EXPECT_EQ(doc_.CurrentPoint(), i + 1);
  Key(Pane(), Qt::Key_Down);
  Key(Pane(), Qt::Key_Down);
  EXPECT_EQ(doc_.CurrentPoint(), i - 1);
  Mouse(Pane(), QEvent::MouseButtonPress, QPoint(Pane()->width() / 2, RowY(i)), Qt::RightButton);
  EXPECT_EQ(doc_.CurrentPoint(), i - 1);
}

TEST_F(AnalysisViewTest, CurveStaysLevelWithTheTrainThroughZoomAndScrolling) {
  Open();
  ASSERT_TRUE(Wave()->ZoomIn());
  ASSERT_TRUE(Wave()->ZoomIn());
  Key(Wave(), Qt::Key_End);
  QApplication::processEvents();
  const int end = Wave()->Layout().MaxVScroll();
  ASSERT_GT(end, 0);
  EXPECT_EQ(Pane()->VerticalOffset(), end);
  Pane()->grab();  // lays the curve out as painted
  const int i = doc_.Section(0).firstIndex + 2;
  EXPECT_NEAR(Pane()->Curve().PointY(VpSeries(ReceiversAt(doc_.AllSections(), 0)), Pane()->Geometry(), i), RowY(i),
              1.0);

  // Zooming out at the end of the train keeps the pane at the new end.
  ASSERT_TRUE(Wave()->ZoomOut());
  QApplication::processEvents();
  EXPECT_EQ(Pane()->VerticalOffset(), Wave()->Layout().MaxVScroll());
  EXPECT_EQ(Pane()->VerticalOffset(), Wave()->Layout().vScroll);
}

TEST_F(AnalysisViewTest, BesideTheTableTheCurveRunsByDepth) {
  Open();
  frame_.Execute(CommandId::ToggleDataTable);
  QApplication::processEvents();
  CAnalysisView* pane = Pane();
  ASSERT_TRUE(pane->DepthMode());
  pane->grab();
  const QRect plot = pane->Geometry().plot;
  EXPECT_EQ(plot.left(), 20);
  EXPECT_EQ(plot.top(), 19);
  EXPECT_EQ(plot.bottom(), pane->height() - 21);
  EXPECT_EQ(plot.right(), pane->width() - pane->width() / 30 - 1);
  EXPECT_EQ(pane->PointAt(plot.top()), doc_.Section(0).lastIndex);
  EXPECT_EQ(pane->PointAt(plot.bottom()), doc_.Section(0).firstIndex);
  Mouse(pane, QEvent::MouseButtonPress, QPoint(plot.center().x(), plot.top()), Qt::LeftButton);
  EXPECT_EQ(doc_.CurrentPoint(), doc_.Section(0).lastIndex);
}

TEST_F(AnalysisViewTest, WithoutATestThePaneIsWhiteAndIgnoresTheMouse) {
  QApplication::processEvents();
  const QImage shot = Pane()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < shot.height(); y += 7) {
    for (int x = 0; x < shot.width(); x += 7) ASSERT_EQ(shot.pixel(x, y), qRgb(255, 255, 255));
  }
  Mouse(Pane(), QEvent::MouseMove, QPoint(50, 300));
  Mouse(Pane(), QEvent::MouseButtonPress, QPoint(50, 300), Qt::LeftButton);
  Key(Pane(), Qt::Key_Up);
  EXPECT_TRUE(Field("depth").isEmpty());
  EXPECT_EQ(doc_.CurrentPoint(), -1);
}

}  // namespace
}  // namespace tarnix

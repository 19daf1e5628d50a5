// The analysis pane and the data table on a 2 x 1000-point test at 1920 x 1080:
// a full repaint of the curve by depth and level with a wave pane, a
// cross-hair move, and filling the table's 1000 rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "pane_bench_support.h"
#include "support/document_access.h"
#include "views/analysis_view.h"
#include "views/chart_view.h"
#include "views/main_view.h"

namespace tarnix {
namespace {

struct Panes : bench::OpenedLargeTest {
  QWidget byDepthWindow;
  QWidget byRowWindow;
  QWidget tableWindow;
  CAnalysisView* byDepth = nullptr;
  CAnalysisView* byRow = nullptr;
  CMainView* wave = nullptr;
  CChartView* table = nullptr;
  QImage image{1920, 1080, QImage::Format_RGB32};

  Panes() {
    byDepthWindow.resize(1920, 1080);
    byDepth = new CAnalysisView(doc, &byDepthWindow);
    byDepth->setGeometry(0, 0, 1920, 1080);
    // Beside the wave train the pane takes a third of the width.
    byRowWindow.resize(1920, 1080);
    wave = new CMainView(doc, &byRowWindow);
    wave->setGeometry(0, 0, 1280, 1080);
    byRow = new CAnalysisView(doc, &byRowWindow);
    byRow->setGeometry(1280, 0, 640, 1080);
    byRow->FollowWavePane(wave);
    tableWindow.resize(1920, 1080);
    table = new CChartView(doc, &tableWindow);
    table->setGeometry(0, 0, 1920, 1080);
    for (QWidget* w : {&byDepthWindow, &byRowWindow, &tableWindow}) w->show();
    wave->OnUpdate();
    QApplication::processEvents();
  }
};

Panes& Shared() {
  static Panes panes;
  return panes;
}

void BM_AnalysisRepaint(benchmark::State& state) {
  Panes& p = Shared();
  CAnalysisView* pane = state.range(0) == 0 ? p.byDepth : p.byRow;
  for (auto _ : state) {
    pane->OnUpdate();
    pane->render(&p.image);
    benchmark::DoNotOptimize(p.image.constBits());
  }
  state.SetLabel(state.range(0) == 0 ? "by depth, 1920 x 1080" : "beside the train, 640 x 1080");
}
BENCHMARK(BM_AnalysisRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The cached curve stays; the cross-hair and the section bar's read-outs follow.
void BM_AnalysisCrossHairMove(benchmark::State& state) {
  Panes& p = Shared();
  p.byDepth->OnUpdate();
  QApplication::processEvents();
  int step = 0;
  for (auto _ : state) {
    const QPointF at(200 + (step % 800), 100 + (step % 700));
    ++step;
    bench::MoveMouse(p.byDepth, at);
  }
}
BENCHMARK(BM_AnalysisCrossHairMove)->Unit(benchmark::kMicrosecond);

// A changed time makes the table rebuild every row, choose its row again and
// paint.
void BM_TableFill(benchmark::State& state) {
  Panes& p = Shared();
  SectionRecord& s = DocumentTestAccess::Section(p.doc, 0);
  const int point = s.lastIndex;
  int step = 0;
  for (auto _ : state) {
    s.arrivalTime[point] = 100.0f + static_cast<float>(++step % 2);
    p.table->OnUpdate();
    p.table->render(&p.image);
    benchmark::DoNotOptimize(p.image.constBits());
  }
  state.counters["rows"] = s.lastIndex - s.firstIndex + 1;
}
BENCHMARK(BM_TableFill)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnix

// Repaint cost of the two wave panes on a 2 x 1000-point test of 1024 samples,
// side by side in a 1920 x 1080 window: a full rebuild of both caches in each
// train style and as spectra, and one cross-hair move.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "pane_bench_support.h"
#include "views/main_view.h"

namespace tarnix {
namespace {

struct Panes : bench::OpenedLargeTest {
  QWidget window;
  CMainView* main = nullptr;
  CSecView* sec = nullptr;
  QImage image{1920, 1080, QImage::Format_RGB32};

  Panes() {
    window.resize(1920, 1080);
    main = new CMainView(doc, &window);
    sec = new CSecView(doc, &window);
    main->setGeometry(0, 0, 960, 1080);
    sec->setGeometry(960, 0, 960, 1080);
    window.show();
    main->OnUpdate();
    sec->OnUpdate();
    QApplication::processEvents();
  }

  void FullRepaint() {
    main->OnUpdate();
    sec->OnUpdate();
    window.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  }
};

Panes& Shared() {
  static Panes panes;
  return panes;
}

void BM_FullRepaint(benchmark::State& state) {
  Panes& p = Shared();
  p.doc.display.showWaveforms = 1;
  p.doc.display.trainMode = static_cast<int>(state.range(0));
  for (auto _ : state) {
    p.FullRepaint();
    benchmark::DoNotOptimize(p.image.constBits());
  }
  const char* names[] = {"", "curve", "positive", "segments", "grey"};
  state.SetLabel(names[state.range(0)]);
}
BENCHMARK(BM_FullRepaint)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

void BM_FullRepaintSpectra(benchmark::State& state) {
  Panes& p = Shared();
  p.doc.display.showWaveforms = 0;
  for (auto _ : state) {
    p.FullRepaint();
    benchmark::DoNotOptimize(p.image.constBits());
  }
  p.doc.display.showWaveforms = 1;
}
BENCHMARK(BM_FullRepaintSpectra)->Unit(benchmark::kMillisecond);

// The cached train stays; only the cross-hair strips and the read-out line
// are drawn again, through the window's own repaint.
void BM_CrossHairMove(benchmark::State& state) {
  Panes& p = Shared();
  p.doc.display.trainMode = 1;
  p.main->OnUpdate();
  QApplication::processEvents();
  int step = 0;
  for (auto _ : state) {
    const QPointF at(200 + (step % 400), 400 + (step % 300));
    ++step;
    bench::MoveMouse(p.main, at);
  }
}
BENCHMARK(BM_CrossHairMove)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarnix

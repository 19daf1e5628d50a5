// The main of the pane benchmarks: the panes need an off-screen QApplication
// and the interface fonts before any benchmark runs.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "render/interface_fonts.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tarnix::InstallInterfaceFonts();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The dominant frequency of one waveform, and the panel's whole statistics
// block for a 2 x 1000-point test.
#include <benchmark/benchmark.h>

#include "analysis/main_frequency.h"
#include "analysis/section_statistics.h"
#include "document/tarnix_doc.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "large_test.h"

namespace {

tarnix::CTarnixDoc& LargeDocument() {
  static tarnix::ScriptedUiServices ui;
  static tarnix::MemoryRecentFileList recent;
  static tarnix::CTarnixDoc doc(ui, recent);
  static const bool opened = doc.OnOpenDocument(tarnix::bench::LargeTestPath());
  (void)opened;
  return doc;
}

void BM_CalcMainFrequency(benchmark::State& state) {
  const tarnix::CSamNode& p = LargeDocument().Section(0).points[500];
  float spectrum[tarnix::kFrequencyBins];
  int peak = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarnix::CalcMainFrequency(p.samples.data(), static_cast<int>(p.samples.size()),
                                                       1.0f, spectrum, peak, -1));
  }
}
BENCHMARK(BM_CalcMainFrequency)->Unit(benchmark::kMicrosecond);

void BM_StatisticsBlock(benchmark::State& state) {
  tarnix::CTarnixDoc& doc = LargeDocument();
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarnix::BuildStatisticsBlock(doc.AllSections(), doc.Algorithm(), doc.samplingStep));
  }
}
BENCHMARK(BM_StatisticsBlock)->Unit(benchmark::kMicrosecond);

}  // namespace

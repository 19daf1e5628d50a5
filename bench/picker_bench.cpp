// Speed of the automatic picker: one 1024-sample waveform, and a whole
// 2 x 1000-point hole through the document.
#include <benchmark/benchmark.h>

#include <random>

#include "document/auto_pick.h"
#include "synthetic/synthetic_test.h"
#include "large_test.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "processing/picker.h"

namespace {

void BM_PickWaveform(benchmark::State& state) {
  std::mt19937 rng(3);
  tarnix::TraceRecipe recipe;
  recipe.snrDb = 20;
  const tarnix::SynthTrace trace = tarnix::SynthesizeTrace(recipe, rng);
  std::vector<uint16_t> samples;
  for (auto _ : state) {
    samples = trace.samples;
    benchmark::DoNotOptimize(tarnix::PickWaveform(1024, samples.data(), 1.0f, 0.0f, true, 20000.0f, true, 50000.0f));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PickWaveform)->Unit(benchmark::kMicrosecond);

void BM_AutoPickHole(benchmark::State& state) {
  tarnix::ScriptedUiServices ui;
  tarnix::MemoryRecentFileList recent;
  tarnix::CTarnixDoc doc(ui, recent);
  if (!doc.OnOpenDocument(tarnix::bench::LargeTestPath())) state.SkipWithError("open failed");
  for (auto _ : state) {
    tarnix::AutoPick(doc);
    ui.statusTexts.clear();
  }
  state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_AutoPickHole)->Unit(benchmark::kMillisecond);

}  // namespace

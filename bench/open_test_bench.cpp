// Time to open and complete a 2 x 1000-point, 1024-sample raw test.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/section_completion.h"
#include "document/tarnix_doc.h"
#include "formats/raw_test_reader.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "large_test.h"

namespace {

void BM_OpenRawTest(benchmark::State& state, bool filtered) {
  const std::string& path = tarnix::bench::LargeTestPath();
  for (auto _ : state) {
    tarnix::ScriptedUiServices ui;
    tarnix::MemoryRecentFileList recent;
    tarnix::CTarnixDoc doc(ui, recent);
    if (filtered) {
      for (int i = 0; i < tarnix::kSectionCount; ++i) {
        tarnix::ChannelFilter f = doc.Filter(i);
        f.highPassOn = f.lowPassOn = true;
        doc.SetFilter(i, f, false);
      }
    }
    if (!doc.OnOpenDocument(path)) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(doc.Section(0).velocity.data());
  }
}

// Reading and completing alone, without the document's two deep snapshots.
void BM_ReadAndComplete(benchmark::State& state) {
  const std::string& path = tarnix::bench::LargeTestPath();
  for (auto _ : state) {
    tarnix::TestHeader header;
    auto sections = std::make_unique<tarnix::Sections>();
    tarnix::ReadTestFilePair(path, header, *sections);
    for (tarnix::SectionRecord& s : *sections) {
      if (s.valid) tarnix::CompleteSection(s, header, tarnix::ChannelFilter{});
    }
    benchmark::DoNotOptimize(sections->at(0).velocity.data());
  }
}
BENCHMARK(BM_ReadAndComplete)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_OpenRawTest, filters_off, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenRawTest, filters_on, true)->Unit(benchmark::kMillisecond);

}  // namespace

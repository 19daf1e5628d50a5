// Time to open and complete a 2 x 1000-point, 1024-sample raw test.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/tarnix_doc.h"
#include "cli/synthetic_test.h"
#include "formats/raw_test_writer.h"

namespace {

const std::string& LargeTestPath() {
  static const std::string path = [] {
    const auto dir = std::filesystem::temp_directory_path() / "tarnix-bench";
    std::filesystem::create_directories(dir);
    const std::string p = (dir / "large.CHT").string();
    tarnix::SynthOptions options;
    options.points = 1000;
    const tarnix::SyntheticTest t = tarnix::MakeSyntheticTest(options);
    tarnix::WriteRawTest(p, t.header, t.sections, false);
    return p;
  }();
  return path;
}

void BM_OpenRawTest(benchmark::State& state, bool filtered) {
  const std::string& path = LargeTestPath();
  for (auto _ : state) {
    tarnix::CTarnixDoc doc;
    if (filtered) {
      for (auto& f : doc.filters) f.highPassOn = f.lowPassOn = true;
    }
    doc.OpenRawTest(path);
    benchmark::DoNotOptimize(doc.sections[0].velocity.data());
  }
}

BENCHMARK_CAPTURE(BM_OpenRawTest, filters_off, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenRawTest, filters_on, true)->Unit(benchmark::kMillisecond);

}  // namespace

#pragma once
// The benchmarks' reference test: 2 x 1000 points of 1024 samples, written once.
#include <filesystem>
#include <string>

#include "synthetic/synthetic_test.h"
#include "formats/raw_test_writer.h"

namespace tarnix::bench {

inline const std::string& LargeTestPath() {
  static const std::string path = [] {
    const auto dir = std::filesystem::temp_directory_path() / "tarnix-bench";
    std::filesystem::create_directories(dir);
    const std::string p = (dir / "large.CHT").string();
    SynthOptions options;
    options.points = 1000;
    const SyntheticTest t = MakeSyntheticTest(options);
    WriteRawTest(p, t.header, t.sections, false);
    return p;
  }();
  return path;
}

}  // namespace tarnix::bench

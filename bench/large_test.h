#pragma once
// The benchmarks' synthetic tests; the reference one is 2 x 1000 points of 1024
// samples, written once.
#include <filesystem>
#include <string>

#include "synthetic/synthetic_test.h"
#include "formats/raw_test_writer.h"

namespace tarnix::bench {

// A synthetic test of `points` points per receiver, 0.2 m apart, written
// under the given file name.
inline std::string SyntheticTestPath(const std::string& name, int points) {
  const auto dir = std::filesystem::temp_directory_path() / "tarnix-bench";
  std::filesystem::create_directories(dir);
  const std::string p = (dir / name).string();
  SynthOptions options;
  options.points = points;
  const SyntheticTest t = MakeSyntheticTest(options);
  WriteRawTest(p, t.header, t.sections, false);
  return p;
}

inline const std::string& LargeTestPath() {
  static const std::string path = SyntheticTestPath("large.CHT", 1000);
  return path;
}

}  // namespace tarnix::bench

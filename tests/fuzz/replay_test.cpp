// Every input the fuzzers found worth keeping (tests/data/fuzz/TARGET/), and
// the seeds they start from, replayed through the same entries under the
// ordinary build's sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "entries.h"

namespace tarnix {
namespace {

namespace fs = std::filesystem;

int Replay(const std::string& target, void (*entry)(const uint8_t*, size_t)) {
  int replayed = 0;
  const fs::path folder = fs::path(TARNIX_TEST_DATA) / "fuzz" / target;
  if (!fs::is_directory(folder)) return 0;
  for (const auto& file : fs::directory_iterator(folder)) {
    std::ifstream in(file.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(file.path().string());
    entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++replayed;
  }
  return replayed;
}

TEST(FuzzReplay, EveryKeptInputPassesEveryEntry) {
  EXPECT_GT(Replay("raw_test", fuzz::RawTest), 0);
  EXPECT_GT(Replay("result_file", fuzz::ResultFile), 0);
  EXPECT_GT(Replay("rtx_test", fuzz::RtxTest), 0);
  EXPECT_GT(Replay("settings_file", fuzz::SettingsFile), 0);
  EXPECT_GT(Replay("single_wave", fuzz::SingleWave), 0);
  EXPECT_GT(Replay("pick_waveform", fuzz::PickWaveformInput), 0);
}

TEST(FuzzReplay, PairsSplitWhereTheirPrefixSays) {
  const std::string joined = fuzz::JoinPair("text", "data");
  const auto pair = fuzz::SplitPair(reinterpret_cast<const uint8_t*>(joined.data()), joined.size());
  EXPECT_EQ(pair.text, "text");
  EXPECT_EQ(pair.data, "data");
  const uint8_t shortInput[] = {200, 0, 0, 0, 'x'};  // a length past the end takes what is there
  EXPECT_EQ(fuzz::SplitPair(shortInput, sizeof shortInput).text, "x");
}

}  // namespace
}  // namespace tarnix

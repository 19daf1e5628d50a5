// The frequency view's powers: reused only while nothing they came from changed.
#include "analysis/frequency_cache.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "processing/channel_filter.h"

namespace tarnix {
namespace {

std::vector<uint16_t> Chirp(int n, double rate) {
  std::vector<uint16_t> s(n);
  for (int i = 0; i < n; ++i) s[i] = static_cast<uint16_t>(2048 + std::lround(700 * std::sin(rate * i * i / n + 0.1 * i)));
  return s;
}

// The cached powers equal fresh ones of the point as it is now.
void ExpectFresh(FrequencyCache& cache, const SectionRecord& s, int index, const char* when) {
  int peak = -1;
  const float* cached = cache.Get(s, index, peak);
  float fresh[kFrequencyBins];
  int freshPeak = -1;
  const CSamNode& p = s.points[index];
  CalcMainFrequency(p.samples.data(), static_cast<int>(p.samples.size()), s.dT, fresh, freshPeak, -1);
  EXPECT_EQ(peak, freshPeak) << when;
  EXPECT_EQ(std::vector<float>(cached, cached + kFrequencyBins), std::vector<float>(fresh, fresh + kFrequencyBins))
      << when;
}

TEST(FrequencyCache, EveryChangeOfWhatThePowersComeFromIsSeen) {
  SectionRecord s;
  s.dT = 1.0f;
  for (double rate : {0.3, 0.9, 2.0}) {
    const auto w = Chirp(600, rate);
    s.AppendPoint(w.data(), 600, 0, 0, 0.5f, 1.0f, 0, 0, 0);
  }
  FrequencyCache cache;
  for (int i = 0; i < 3; ++i) ExpectFresh(cache, s, i, "first");
  ExpectFresh(cache, s, 1, "unchanged");

  ChannelFilter filter;
  filter.lowPassOn = true;
  filter.lowPassKHz = 40.0f;
  RefilterSection(s, filter);
  ExpectFresh(cache, s, 1, "another filter");
  filter.lowPassKHz = 120.0f;
  RefilterSection(s, filter);
  ExpectFresh(cache, s, 1, "another cut-off");

  s.points[2].samples[300] += 900;
  ExpectFresh(cache, s, 2, "one sample changed");
  s.points[0].samples.resize(400);
  ExpectFresh(cache, s, 0, "shorter waveform");
  // The interval only counts where it switches off the low-pass before the
  // transform: a damaged zero interval.
  s.dT = 0.0f;
  ExpectFresh(cache, s, 1, "another sampling interval");

  // Another section in the same pane: same places, other waveforms.
  SectionRecord other = s;
  std::swap(other.points[0], other.points[2]);
  ExpectFresh(cache, other, 0, "another section");
  ExpectFresh(cache, other, 2, "another section");
}

}  // namespace
}  // namespace tarnix

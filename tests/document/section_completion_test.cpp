// Completing a freshly read section: order, filling, trimming, gains, working samples.
#include "document/section_completion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/main_frequency.h"
#include "processing/digital_filter.h"

namespace tarnix {
namespace {

constexpr int kLen = 48;

std::vector<uint16_t> Wave(int period, int amplitude) {
  std::vector<uint16_t> w(kLen);
  for (int k = 0; k < kLen; ++k) {
    w[k] = static_cast<uint16_t>(2048 + std::lround(amplitude * std::sin(6.2831853 * k / period)));
  }
  return w;
}

void Add(SectionRecord& s, float depth, float gain, const std::vector<uint16_t>& w) {
  s.AppendPoint(w.data(), kLen, depth, depth, s.crossD, gain, 12.0f, 15.0f, 55.0f);
}

class Completion : public ::testing::Test {
 protected:
  Completion() {
    header.pileLen = 0.5f;
    header.move = 0.25f;
    section.valid = true;
    section.dT = 1.0f;
    section.crossD = 0.5f;
    section.datLen = kLen;
  }
  TestHeader header;
  SectionRecord section;
  ChannelFilter filter;
};

TEST_F(Completion, ZeroGainsAreInheritedAndAveraged) {
  header.pileLen = 1.0f;  // two fillers at the deep end
  Add(section, 0.5f, 0.0f, Wave(10, 500));
  Add(section, 0.25f, 4.0f, Wave(10, 500));
  Add(section, 0.0f, 2.0f, Wave(10, 500));
  SectionRecord inherited = section;
  inherited.gain = 5.0f;

  CompleteSection(section, header, filter);
  ASSERT_EQ(section.PointCount(), 5);
  EXPECT_EQ(section.points[0].gain, 1.0f);  // filler in a section without gain
  EXPECT_EQ(section.points[2].gain, 1.0f);
  EXPECT_EQ(section.points[3].gain, 4.0f);
  // Only points with a waveform count.
  EXPECT_FLOAT_EQ(section.meanGain, 7.0f / 3.0f);

  CompleteSection(inherited, header, filter);
  EXPECT_EQ(inherited.points[0].gain, 5.0f);
  EXPECT_EQ(inherited.points[2].gain, 5.0f);
  EXPECT_FLOAT_EQ(inherited.meanGain, 11.0f / 3.0f);

  SectionRecord empty;
  empty.meanGain = 3.5f;
  CompleteSection(empty, header, filter);
  EXPECT_EQ(empty.meanGain, 3.5f);
}

TEST_F(Completion, PointsBelowTheHoleAreRemovedAndArraysMatchThePoints) {
  header.pileLen = 1.0f;
  header.move = 0.5f;
  header.pipeV = 4000.0f;
  header.sensorD = 37.0f;
  Add(section, 1.5f, 1.0f, Wave(10, 500));
  Add(section, 0.5f, 1.0f, Wave(10, 500));
  Add(section, 1.0f, 1.0f, Wave(10, 500));
  CompleteSection(section, header, filter);

  // Time in pipe wall and water, µs.
  EXPECT_NEAR(section.pipeCorrection, (7.0 / 4000.0 + 13.0 / 1500.0) * 1000.0, 1e-4);
  ASSERT_EQ(section.PointCount(), 3);
  EXPECT_EQ(section.depths, (std::vector<float>{1.0f, 0.5f, 0.0f}));
  EXPECT_EQ(section.firstIndex, 0);
  EXPECT_EQ(section.lastIndex, 1);  // the shallow filler lies outside the evaluated range
  EXPECT_EQ(section.arrivalTime, (std::vector<float>{12.0f, 12.0f, 0.0f}));
  EXPECT_EQ(section.velocity,
            (std::vector<float>{0.5f / 12.0f * 1000.0f, 0.5f / 12.0f * 1000.0f, 0.0f}));
  EXPECT_EQ(section.ampDb, (std::vector<float>{55.0f, 55.0f, 0.0f}));
  EXPECT_EQ(section.mainFreq.size(), 3u);
  EXPECT_EQ(section.psd.size(), 2u);
}

TEST_F(Completion, WorkingSamplesAreFilteredAndTheRecordStays) {
  filter.highPassOn = true;
  filter.highPassKHz = 20.0f;
  const auto first = Wave(40, 800);
  const auto later = Wave(7, 1500);
  Add(section, 0.25f, 1.0f, first);
  Add(section, 0.0f, 1.0f, Wave(10, 500));
  Add(section, 0.2504f, 1.0f, later);  // re-recorded depth

  CompleteSection(section, header, filter);
  ASSERT_EQ(section.PointCount(), 3);
  const CSamNode& p = section.points[1];
  EXPECT_EQ(p.rawSamples, later);
  std::vector<uint16_t> expected(kLen);
  FilterWords(kLen, later.data(), expected.data(), 1.0f, true, 20000.0f, false, 50000.0f);
  EXPECT_EQ(p.samples, expected);
  EXPECT_NE(p.samples, p.rawSamples);
  EXPECT_FALSE(section.points[0].HasWaveform());

  // Re-filtering from the record brings back what the open produced.
  SectionRecord again = section;
  RefilterSection(again, filter);
  EXPECT_EQ(again.points[1].samples, p.samples);

  SectionRecord unfiltered;
  unfiltered.dT = 1.0f;
  Add(unfiltered, 0.0f, 1.0f, first);
  CompleteSection(unfiltered, header, ChannelFilter{});
  EXPECT_EQ(unfiltered.points.back().samples, first);
}

TEST_F(Completion, ALargeSectionCompletesAsEachPointWouldAlone) {
  // Enough points to be spread over the cores; each must come out exactly as
  // filtering and transforming it on its own gives.
  filter.highPassOn = filter.lowPassOn = true;
  header.pileLen = 2.99f;
  header.move = 0.01f;
  std::vector<std::vector<uint16_t>> waves;
  for (int i = 0; i < 300; ++i) {
    waves.push_back(Wave(5 + i % 23, 200 + 7 * i));
    Add(section, 0.01f * (299 - i), 1.0f, waves.back());
  }
  CompleteSection(section, header, filter);

  ASSERT_EQ(section.PointCount(), 300);
  for (int i = 0; i < 300; ++i) {
    const CSamNode& p = section.points[i];
    ASSERT_EQ(p.rawSamples, waves[i]) << i;  // still in recording order: the deepest first
    float spectrum[kFrequencyBins];
    int peak = -1;
    const float f = CalcMainFrequency(waves[i].data(), kLen, 1.0f, spectrum, peak, -1);
    EXPECT_EQ(section.mainFreq[i], f) << i;
    EXPECT_EQ(p.freqIndex, peak) << i;
    std::vector<uint16_t> filtered(kLen);
    FilterWords(kLen, waves[i].data(), filtered.data(), 1.0f, true, 20000.0f, true, 50000.0f);
    EXPECT_EQ(p.samples, filtered) << i;
  }
}

}  // namespace
}  // namespace tarnix

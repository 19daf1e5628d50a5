// Sample selection and the five statistics over a section's evaluated range.
#include "analysis/statistics.h"

#include <gtest/gtest.h>

#include "analysis/analysis_fixture.h"

namespace tarnix {
namespace {

using test::AddPoint;

// Seven points with values 10, 20, ..., 70; the range ends one point above the
// section's shallowest point unless extended.
SectionRecord SevenOfEight(bool lastHasWaveform = true) {
  SectionRecord s;
  for (int i = 0; i < 7; ++i) AddPoint(s, 10.0f - i, true, 10.0f * (i + 1));
  AddPoint(s, 2.0f, lastHasWaveform, 80.0f);
  s.lastIndex = 6;
  return s;
}

TEST(SelectSampleTest, StepZeroSkipsEmptyPoints) {
  SectionRecord s = SevenOfEight();
  s.points[2].samples.clear();
  const auto v = SelectSample(s.arrivalTime.data(), 7, s, 0);
  EXPECT_EQ(v, (std::vector<float>{10, 20, 40, 50, 60, 70}));
}

TEST(SelectSampleTest, StepTakesEveryStepPlusOneth) {
  SectionRecord s = SevenOfEight();
  s.points[3].samples.clear();  // a positive step does not look at waveforms
  EXPECT_EQ(SelectSample(s.arrivalTime.data(), 7, s, 2), (std::vector<float>{10, 40, 70}));
}

TEST(SelectSampleTest, TheShallowestPointNeverEntersAStatistic) {
  // The same seven points, now the section's last ones: the seventh is dropped.
  SectionRecord s;
  for (int i = 0; i < 7; ++i) AddPoint(s, 10.0f - i, true, 10.0f * (i + 1));
  EXPECT_EQ(SelectSample(s.arrivalTime.data(), 7, s, 2), (std::vector<float>{10, 40}));
  EXPECT_EQ(SelectSample(s.arrivalTime.data(), 7, s, 0).size(), 6u);
  // Without a waveform the last point is not taken in the first place.
  s.points[6].samples.clear();
  EXPECT_EQ(SelectSample(s.arrivalTime.data(), 7, s, 0).size(), 6u);
  // A range ending one index earlier keeps all of its points.
  s.lastIndex = 5;
  EXPECT_EQ(SelectSample(s.arrivalTime.data(), 6, s, 0).size(), 6u);
}

TEST(StatisticsTest, OnePointRange) {
  SectionRecord s = SevenOfEight();
  s.firstIndex = s.lastIndex = 3;
  const float* v = s.arrivalTime.data() + 3;
  EXPECT_FLOAT_EQ(CalcAverage(v, 1, s, 0), 40.0f);
  EXPECT_FLOAT_EQ(CalcStdDev(v, 1, s, 0), 0.0f);
  EXPECT_FLOAT_EQ(CalcDispersion(v, 1, s, 0), 0.0f);
  EXPECT_FLOAT_EQ(CalcMaximum(v, 1, s, 0), 40.0f);
  EXPECT_FLOAT_EQ(CalcMinimum(v, 1, s, 0), 40.0f);
}

TEST(StatisticsTest, SampleStandardDeviationAndDispersion) {
  SectionRecord s = SevenOfEight();
  const float* v = s.arrivalTime.data();
  EXPECT_FLOAT_EQ(CalcAverage(v, 7, s, 0), 40.0f);
  // n - 1 denominator: sqrt(2800 / 6).
  EXPECT_NEAR(CalcStdDev(v, 7, s, 0), 21.6024689f, 1e-5);
  EXPECT_NEAR(CalcDispersion(v, 7, s, 0), 21.6024689f / 40.0f, 1e-6);
  EXPECT_FLOAT_EQ(CalcMaximum(v, 7, s, 0), 70.0f);
  EXPECT_FLOAT_EQ(CalcMinimum(v, 7, s, 0), 10.0f);
  EXPECT_FLOAT_EQ(CalcDispersion(v, 0, s, 0), 0.0f);
}

TEST(StatisticsTest, NothingSelectedGivesZero) {
  SectionRecord s = SevenOfEight();
  for (auto& p : s.points) p.samples.clear();
  const float* v = s.arrivalTime.data();
  EXPECT_EQ(CalcAverage(v, 7, s, 0), 0.0f);
  EXPECT_EQ(CalcMaximum(v, 7, s, 0), 0.0f);
  EXPECT_EQ(CalcMinimum(v, 7, s, 0), 0.0f);
  EXPECT_EQ(ArrayMean(v, 0), 0.0f);
  EXPECT_EQ(ArrayStdDev(v, 1), 0.0f);
}

}  // namespace
}  // namespace tarnix

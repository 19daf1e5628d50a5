// Sound-time correction: waveforms move by whole samples, picks follow.
#include "processing/time_shift.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace tarnix {
namespace {

CSamNode Point(std::vector<uint16_t> samples, int autoArrival, int autoAmp) {
  CSamNode p;
  p.rawSamples = samples;
  p.samples = std::move(samples);
  p.autoArrivalIndex = autoArrival;
  p.autoAmpIndex = autoAmp;
  p.arrivalIndex = p.ampIndex = -99;
  return p;
}

const std::vector<uint16_t> kRecord{11, 12, 13, 14, 15, 16, 17, 18};

TEST(TimeShift, CorrectionIsTruncatedToWholeSamples) {
  EXPECT_EQ(CorrectionSamples(3, 2.0f), 1);
  EXPECT_EQ(CorrectionSamples(-3, 2.0f), -1);
  EXPECT_EQ(CorrectionSamples(5, 0.5f), 10);
  EXPECT_EQ(CorrectionSamples(7, 0.0f), 0);
  EXPECT_EQ(CorrectionSamples(0, 0.0f), 0);
}

TEST(TimeShift, WaveformMovesAndTheZeroLevelFillsTheGap) {
  CSamNode earlier = Point(kRecord, 5, 6);
  ShiftWaveform(earlier, 2);
  EXPECT_EQ(earlier.samples, (std::vector<uint16_t>{13, 14, 15, 16, 17, 18, 2048, 2048}));
  EXPECT_EQ(earlier.arrivalIndex, 3);
  EXPECT_EQ(earlier.ampIndex, 4);
  EXPECT_EQ(earlier.rawSamples, kRecord);
  // Picks come from the record picks each time, so they never accumulate.
  ShiftWaveform(earlier, 2);
  EXPECT_EQ(earlier.arrivalIndex, 3);

  CSamNode later = Point(kRecord, 5, 1);
  ShiftWaveform(later, -2);
  EXPECT_EQ(later.samples, (std::vector<uint16_t>{2048, 2048, 11, 12, 13, 14, 15, 16}));
  EXPECT_EQ(later.arrivalIndex, 7);
  EXPECT_EQ(later.ampIndex, 3);

  // No shift still puts the shown picks back onto the record picks.
  CSamNode none = Point(kRecord, 4, 5);
  ShiftWaveform(none, 0);
  EXPECT_EQ(none.samples, kRecord);
  EXPECT_EQ(std::pair(none.arrivalIndex, none.ampIndex), std::pair(4, 5));
}

TEST(TimeShift, ShiftsBeyondTheRecordLeaveOnlyTheZeroLevelAndPicksAtItsEnds) {
  const std::vector<uint16_t> zero(8, 2048);
  for (int k : {8, 9, 1000, INT_MAX, -8, -1000, INT_MIN}) {
    CSamNode p = Point(kRecord, 3, 4);
    ShiftWaveform(p, k);
    EXPECT_EQ(p.samples, zero) << k;
    EXPECT_EQ(p.arrivalIndex, k > 0 ? 0 : 7) << k;
    EXPECT_EQ(p.ampIndex, k > 0 ? 0 : 7) << k;
  }
}

TEST(TimeShift, SectionShiftCoversTheEvaluatedRangeWithWaveforms) {
  SectionRecord s;
  s.dT = 1.0f;
  for (float d : {1.5f, 1.0f, 0.5f, 0.0f}) {
    s.AppendPoint(kRecord.data(), 8, d, d, 0.5f, 1.0f, 3.0f, 4.0f, 0.0f);
  }
  s.points[2] = s.MakeFillerPoint(0.5f);
  s.points[2].autoArrivalIndex = 3;
  s.points[2].arrivalIndex = 5;
  s.firstIndex = 1;
  s.lastIndex = 2;

  ShiftSection(s, 1);
  EXPECT_EQ(s.points[0].samples, kRecord);  // before the range
  EXPECT_EQ(s.points[0].arrivalIndex, 3);
  EXPECT_EQ(s.points[1].samples[0], 12);
  EXPECT_EQ(s.points[1].arrivalIndex, 2);
  EXPECT_FALSE(s.points[2].HasWaveform());
  EXPECT_EQ(s.points[2].arrivalIndex, 5);   // the filler keeps its own picks
  EXPECT_EQ(s.points[3].samples, kRecord);  // after the range

  s.firstIndex = -5;  // a damaged range stays inside the list
  s.lastIndex = 99;
  ShiftSection(s, 1);
  EXPECT_EQ(s.points[3].samples[0], 12);
}

}  // namespace
}  // namespace tarnix

// Points of a section: appending, lookups, ordering, filling, trimming, PSD.
#include "model/section_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace tarnix {
namespace {

std::vector<uint16_t> Flat(uint16_t value, int n = 4) { return std::vector<uint16_t>(n, value); }

// Appends a point whose waveform is flat at `value`, picked at tArrival µs.
void Add(SectionRecord& s, float depth, uint16_t value, float tArrival = 0.0f, float gain = 1.0f) {
  const auto w = Flat(value);
  s.AppendPoint(w.data(), static_cast<int>(w.size()), depth, depth, 0.5f, gain, tArrival, 0.0f,
                0.0f);
}

std::vector<float> Depths(const SectionRecord& s) {
  std::vector<float> d;
  for (const CSamNode& p : s.points) d.push_back(p.sourL);
  return d;
}

TEST(SectionRecord, AppendPointStoresTruncatedPicksAndWidensTheRange) {
  SectionRecord s;
  s.delay = 5.0f;
  s.dT = 2.0f;
  const std::vector<uint16_t> w{1, 2, 3};
  s.AppendPoint(w.data(), 3, 3.0f, 2.5f, 1.2f, 10.0f, 12.9f, 0.0f, 71.5f);
  EXPECT_EQ(std::pair(s.firstIndex, s.lastIndex), std::pair(0, 0));

  const CSamNode& p = s.points[0];
  EXPECT_EQ(p.samples, w);
  EXPECT_EQ(p.rawSamples, w);
  // 3.95 and -2.5, truncated toward zero.
  EXPECT_EQ((std::vector<int>{p.arrivalIndex, p.autoArrivalIndex, p.ampIndex, p.autoAmpIndex}),
            (std::vector<int>{3, 3, -2, -2}));
  EXPECT_EQ((std::vector<float>{p.sourL, p.destL, p.span, p.gain, p.ampDbRead}),
            (std::vector<float>{3.0f, 2.5f, 1.2f, 10.0f, 71.5f}));

  s.AppendPoint(w.data(), 3, 2.0f, 2.0f, 1.2f, 10.0f, 5.0f, 5.0f, 0.0f);
  EXPECT_EQ(std::pair(s.firstIndex, s.lastIndex), std::pair(0, 1));
  EXPECT_EQ(s.points[1].arrivalIndex, 0);
}

TEST(SectionRecord, LookupsOutsideTheListOrRecordGiveTheFloor) {
  SectionRecord s;
  Add(s, 1.0f, 3072, 0.0f, 2.0f);  // 1024 counts at gain 2: 0.5 V
  Add(s, 0.5f, 3072, 0.0f, 0.0f);
  s.points.push_back(s.MakeFillerPoint(0.0f));
  const double floorMv = 1e-3;

  EXPECT_EQ(s.PointAt(0), &s.points[0]);
  EXPECT_EQ(s.PointAt(-1), nullptr);
  EXPECT_EQ(s.PointAt(3), nullptr);
  EXPECT_DOUBLE_EQ(s.Amplitude(0, 1), 500.0);
  // Outside the list, outside the record, gain 0, no waveform.
  for (auto [i, k] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 4}, {1, 0}, {2, 0}}) {
    EXPECT_DOUBLE_EQ(s.Amplitude(i, k), floorMv) << i << "," << k;
  }
}

TEST(SectionRecord, ArrivalTimeAndVelocity) {
  SectionRecord s;
  s.dT = 0.5f;
  s.delay = 10.0f;
  Add(s, 1.0f, 2048, 30.0f);
  s.points[0].span = 0.6f;
  EXPECT_EQ(s.points[0].arrivalIndex, 40);
  EXPECT_FLOAT_EQ(s.ArrivalTime(s.points[0]), 30.0f);
  EXPECT_FLOAT_EQ(s.Velocity(s.points[0]), 20.0f);  // 0.6 m in 30 µs

  // A pick at -delay is time 0: velocity 0, not infinity.
  s.points[0].arrivalIndex = -20;
  EXPECT_EQ(s.ArrivalTime(s.points[0]), 0.0f);
  EXPECT_EQ(s.Velocity(s.points[0]), 0.0f);

  const CSamNode filler = s.MakeFillerPoint(2.0f);
  EXPECT_EQ(s.ArrivalTime(filler), 0.0f);
  EXPECT_EQ(s.Velocity(filler), 0.0f);
}

TEST(SectionRecord, DuplicatesCollapseIntoTheEarlierPointWithTheLaterRecording) {
  SectionRecord s;
  s.dT = 1.0f;
  Add(s, 1.0005f, 10, 7.0f);
  Add(s, 2.0f, 20);
  Add(s, 1.0f, 30, 9.0f);
  s.points[2].samples = Flat(31);  // a working copy that differs from the record

  s.CollapseDuplicatesAndSort();
  // The earlier point stays with its depth and picks; both buffers are the later one's.
  EXPECT_EQ(Depths(s), (std::vector<float>{2.0f, 1.0005f}));
  EXPECT_EQ(s.points[1].arrivalIndex, 7);
  EXPECT_EQ(s.points[1].samples, Flat(31));
  EXPECT_EQ(s.points[1].rawSamples, Flat(30));
  EXPECT_EQ(std::pair(s.firstIndex, s.lastIndex), std::pair(0, 1));
}

TEST(SectionRecord, CollapsingTakesTheLastDuplicateFollowsChainsAndSortsDeepestFirst) {
  SectionRecord several;
  Add(several, 1.0f, 1);
  Add(several, 0.9997f, 2);
  Add(several, 1.0004f, 3);
  several.CollapseDuplicatesAndSort();
  ASSERT_EQ(several.PointCount(), 1);
  EXPECT_EQ(several.points[0].rawSamples, Flat(3));

  // 1.0016 is not within 1 mm of 1.0, only of 1.0008, which itself is removed.
  SectionRecord chain;
  for (float d : {0.4f, 1.0f, 1.0008f, 0.0f, 1.0016f, 3.0f}) Add(chain, d, 2048);
  chain.points[2].rawSamples = Flat(2);
  chain.CollapseDuplicatesAndSort();
  EXPECT_EQ(Depths(chain), (std::vector<float>{3.0f, 1.0f, 0.4f, 0.0f}));
  EXPECT_EQ(chain.points[1].rawSamples, Flat(2));

  SectionRecord empty;
  empty.CollapseDuplicatesAndSort();
  EXPECT_EQ(std::pair(empty.firstIndex, empty.lastIndex), std::pair(-1, -1));
}

TEST(SectionRecord, PaddingFillsToTheHoleLengthAndToDepthZero) {
  SectionRecord s;
  s.gain = 3.0f;
  s.crossD = 0.7f;
  s.delay = 5.0f;
  s.dT = 2.0f;
  for (float d : {1.0f, 0.75f, 0.5f}) Add(s, d, 2048);
  s.PadToLength(1.5f, 0.25f);
  EXPECT_EQ(Depths(s), (std::vector<float>{1.5f, 1.25f, 1.0f, 0.75f, 0.5f, 0.25f, 0.0f}));
  // Only the deep-end inserts shift the evaluated range.
  EXPECT_EQ(std::pair(s.firstIndex, s.lastIndex), std::pair(0, 4));

  for (int i : {0, 6}) {
    const CSamNode& f = s.points[i];
    EXPECT_TRUE(f.samples.empty() && f.rawSamples.empty());
    EXPECT_EQ(f.freqIndex, -1);
    EXPECT_EQ((std::vector<float>{f.destL, f.ampDbRead, f.gain, f.span}),
              (std::vector<float>{0.0f, 0.0f, 3.0f, 0.7f}));
    // (0 - 5) / 2 = -2.5, truncated toward zero.
    EXPECT_EQ((std::vector<int>{f.arrivalIndex, f.ampIndex, f.autoArrivalIndex, f.autoAmpIndex}),
              std::vector<int>(4, -2));
  }
}

TEST(SectionRecord, PaddingLimits) {
  // The deep end reaches up to half a spacing beyond the hole length, inclusive.
  SectionRecord atLimit;
  Add(atLimit, 1.0f, 2048);
  atLimit.PadToLength(1.375f, 0.25f);
  EXPECT_FLOAT_EQ(atLimit.points[0].sourL, 1.5f);
  SectionRecord belowLimit;
  Add(belowLimit, 1.0f, 2048);
  belowLimit.PadToLength(1.37f, 0.25f);
  EXPECT_FLOAT_EQ(belowLimit.points[0].sourL, 1.25f);

  // Accumulated rounding must not lose the filler at depth 0.
  SectionRecord shallow;
  Add(shallow, 1.4f, 2048);
  shallow.PadToLength(1.4f, 0.2f);
  ASSERT_EQ(shallow.PointCount(), 8);
  EXPECT_NEAR(shallow.points[7].sourL, 0.0f, 1e-5);

  // A deepest point at exactly 0 gets no shallow fillers, only deep ones.
  SectionRecord atZero;
  Add(atZero, 0.0f, 2048);
  atZero.PadToLength(0.5f, 0.25f);
  EXPECT_EQ(Depths(atZero), (std::vector<float>{0.5f, 0.25f, 0.0f}));
}

TEST(SectionRecord, PaddingIgnoresDamagedSpacingAndLength) {
  // Neither a hang nor millions of points; at most the shallow fillers of depth 1.
  const float pileLens[] = {2.0f, 2.0f, 2.0f, 2.0f, 1e30f, INFINITY, NAN};
  const float moves[] = {0.0f, -0.2f, NAN, 1e-9f, 0.25f, 0.25f, 0.25f};
  for (int c = 0; c < 7; ++c) {
    SectionRecord s;
    Add(s, 1.0f, 2048);
    s.PadToLength(pileLens[c], moves[c]);
    EXPECT_LE(s.PointCount(), moves[c] == 0.25f ? 5 : 1) << c;
  }
  SectionRecord farDown;
  Add(farDown, 1e12f, 2048);
  farDown.PadToLength(1e12f, 0.25f);
  EXPECT_LE(farDown.PointCount(), 200001);
}

TEST(SectionRecord, TrimmingRemovesPointsBelowTheHole) {
  SectionRecord s;
  for (float d : {2.0f, 1.5f, 1.0f, 0.5f}) Add(s, d, 2048);
  s.TrimBelow(1.0f);
  EXPECT_EQ(Depths(s), (std::vector<float>{1.0f, 0.5f}));  // the point at pileLen stays
  EXPECT_EQ(std::pair(s.firstIndex, s.lastIndex), std::pair(0, 1));
  s.TrimBelow(-1.0f);
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(std::pair(s.firstIndex, s.lastIndex), std::pair(-1, -1));

  // Every recorded point below the length: the shallow fillers left would
  // stand outside the range, so the section empties instead.
  SectionRecord deep;
  Add(deep, 0.4f, 2048);
  deep.PadToLength(0.0f, 0.2f);
  ASSERT_EQ(deep.PointCount(), 3);
  deep.TrimBelow(0.1f);
  EXPECT_EQ(deep.PointCount(), 0);
  EXPECT_EQ(std::pair(deep.firstIndex, deep.lastIndex), std::pair(-1, -1));
}

TEST(SectionRecord, PsdRoundsAndIsZeroAcrossTheEmptyDeepEnd) {
  SectionRecord s;
  s.dT = 0.5f;
  s.points.push_back(s.MakeFillerPoint(2.0f));
  s.points.push_back(s.MakeFillerPoint(1.5f));
  Add(s, 1.0f, 2048, 10.0f);
  Add(s, 0.5f, 2048, 12.5f);
  Add(s, 0.0f, 2048, 12.0f);
  s.RebuildPsd();
  ASSERT_EQ(s.psd.size(), 4u);
  EXPECT_EQ(s.psd[0], 0.0f);
  EXPECT_EQ(s.psd[1], 0.0f);   // would be 10^2 / 0.5 against the filler's time 0
  EXPECT_EQ(s.psd[2], 13.0f);  // 2.5^2 / 0.5 = 12.5, plus one half, truncated
  EXPECT_EQ(s.psd[3], 1.0f);   // 0.5^2 / 0.5 = 0.5

  SectionRecord empty;
  for (float d : {1.0f, 0.5f, 0.0f}) empty.points.push_back(empty.MakeFillerPoint(d));
  empty.RebuildPsd();
  EXPECT_EQ(empty.psd, (std::vector<float>{0.0f, 0.0f}));

  // A section not yet completed may repeat a depth: no division by zero.
  SectionRecord repeated;
  repeated.dT = 0.5f;
  Add(repeated, 1.0f, 2048, 10.0f);
  Add(repeated, 1.0f, 2048, 12.0f);
  repeated.RebuildPsd();
  EXPECT_EQ(repeated.psd, (std::vector<float>{0.0f}));
}

TEST(SectionRecord, CopyIsDeep) {
  SectionRecord s;
  s.dT = 1.0f;
  Add(s, 1.0f, 100, 3.0f);
  s.RebuildArrivalTime();
  SectionRecord copy = s;
  copy.points[0].samples[0] = copy.points[0].rawSamples[0] = 7;
  copy.arrivalTime[0] = 99.0f;
  EXPECT_EQ(s.points[0].samples, Flat(100));
  EXPECT_EQ(s.points[0].rawSamples, Flat(100));
  EXPECT_EQ(s.arrivalTime[0], 3.0f);
}

}  // namespace
}  // namespace tarnix

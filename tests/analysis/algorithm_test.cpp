// The SL-264-2001 algorithm: two-receiver velocities, interval averages and the
// rock-mass parameter formulas, checked against worked examples.
#include "analysis/algorithm.h"

#include <gtest/gtest.h>

#include "analysis/analysis_fixture.h"
#include "analysis/point_velocity.h"

namespace tarnix {
namespace {

using test::AddPoint;

class AlgorithmTest : public ::testing::Test {
 protected:
  // Receiver 1 and 2 at depths 3, 2, 1, 0 (deepest first).
  void Fill(std::vector<float> t1, std::vector<float> t2, std::vector<float> v1 = {},
                 std::vector<float> v2 = {}) {
    for (size_t i = 0; i < t1.size(); ++i) {
      AddPoint(sections_[0], 3.0f - i, true, t1[i], v1.empty() ? 1.0f : v1[i], 0, 0, 0.5f);
      AddPoint(sections_[1], 3.0f - i, true, t2[i], v2.empty() ? 1.0f : v2[i], 0, 0, 0.8f);
    }
  }

  Receivers Pair() const { return ReceiversAt(sections_, current_); }

  Sections sections_;
  int current_ = 0;
  CAlgorithm_SL_264_2001 algorithm_;
};

TEST_F(AlgorithmTest, PointVelocityFromTwoReceivers) {
  Fill({120, 100, 0}, {180, 100, 150});
  EXPECT_FLOAT_EQ(PointVp(sections_[0], sections_[1], 0), 5.0f);  // 300 mm / 60 µs
  EXPECT_FLOAT_EQ(PointVp(sections_[0], sections_[1], 1), 0.0f);  // equal times
  EXPECT_FLOAT_EQ(PointVp(sections_[0], sections_[1], 2), 2.0f);  // only receiver 2 picked
  EXPECT_FLOAT_EQ(PointVp(sections_[0], sections_[1], 9), 0.0f);
}

TEST_F(AlgorithmTest, AverageVelocityOfAnInterval) {
  Fill({120, 120, 100, 100}, {180, 170, 160, 100});
  // Points 0..2: 5.000, 6.000, 5.000 km/s → 5333 m/s, truncated.
  EXPECT_EQ(algorithm_.CalcAverageVp(Pair(), 1.0f, 3.0f), 5333);
  // Equal times count in the denominator: points 2..3 → (5 + 0) / 2.
  EXPECT_EQ(algorithm_.CalcAverageVp(Pair(), 0.0f, 1.0f), 2500);
  EXPECT_EQ(algorithm_.CalcAverageVp(Pair(), 2.0f, 2.0f), 6000);
  EXPECT_EQ(algorithm_.CalcAverageVp(Pair(), 3.0f, 1.0f), 0);  // the wrong way round
  current_ = 9;  // no second receiver
  EXPECT_EQ(algorithm_.CalcAverageVp(Pair(), 1.0f, 3.0f), 0);
}

TEST_F(AlgorithmTest, NearestPointPrefersTheDeeperOnATie) {
  Fill({1, 1, 1, 1}, {2, 2, 2, 2});
  EXPECT_EQ(algorithm_.FindNearestPoint(Pair(), 1.5f), 1);
  EXPECT_EQ(algorithm_.FindNearestPoint(Pair(), 0.4f), 3);
  EXPECT_EQ(algorithm_.FindNearestPoint(Pair(), 99.0f), 0);
  current_ = 5;
  EXPECT_EQ(algorithm_.FindNearestPoint(Pair(), 1.0f), 0);  // empty list
}

TEST_F(AlgorithmTest, MinimumValidDepth) {
  Fill({1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 0}, {1, 1, 0, 0});
  EXPECT_FLOAT_EQ(algorithm_.GetMinValidDepth(Pair()), 2.0f);  // shallowest with both
  sections_[1].velocity = {0, 0, 0, 0};
  EXPECT_FLOAT_EQ(algorithm_.GetMinValidDepth(Pair()), 3.0f);  // deepest with receiver 1 only
  sections_[0].velocity = {0, 0, 0, 0};
  EXPECT_FLOAT_EQ(algorithm_.GetMinValidDepth(Pair()), 0.0f);
}

TEST_F(AlgorithmTest, RockMassParameters) {
  EXPECT_NEAR(algorithm_.CalcPoissonRatio(2000, 4000), 0.3333, 1e-4);
  EXPECT_EQ(algorithm_.CalcPoissonRatio(0, 4000), 0.0f);
  EXPECT_EQ(algorithm_.CalcPoissonRatio(4000, 4000), 0.0f);
  // Integer halving: 3001² = 9006001, halved to 4503000.
  EXPECT_FLOAT_EQ(algorithm_.CalcPoissonRatio(1000, 3001), (4503000.0 - 1000000.0) / (9006001.0 - 1000000.0));

  // Squares beyond 32 bits (a near-coincident pair of times gives a huge Vp).
  EXPECT_FLOAT_EQ(algorithm_.CalcPoissonRatio(20000, 50000), 850000000.0 / 2100000000.0);
  EXPECT_EQ(algorithm_.CalcPoissonRatio(-4000, 4000), 0.0f);  // vp² = vs²

  EXPECT_NEAR(algorithm_.CalcDynamicModulus(2, 0.25f, 2650, 4000, 0), 35.33, 0.005);
  EXPECT_NEAR(algorithm_.CalcDynamicModulus(1, 0.0f, 2650, 4000, 2000), 28.27, 0.005);
  EXPECT_EQ(algorithm_.CalcDynamicModulus(2, 1.0f, 2650, 4000, 0), 1.0f);

  EXPECT_FLOAT_EQ(algorithm_.CalcIntegrityIndex(5000, 4000), 0.64f);
  EXPECT_EQ(algorithm_.CalcIntegrityIndex(0, 4000), 0.0f);
}

TEST_F(AlgorithmTest, PageCoordinateToDepth) {
  // Page 0..1800: heading 30 + 400 pixels; 100 pixels per U at scale 20.
  EXPECT_FLOAT_EQ(algorithm_.PageYToDepth(20.0f, 0, 530, 0, 0, 1000, 1800, 100, 0), 20.0f);
  EXPECT_FLOAT_EQ(algorithm_.PageYToDepth(20.0f, 0, 430, 0, 0, 1000, 1800, 100, 50), 10.0f);
  EXPECT_EQ(algorithm_.PageYToDepth(20.0f, 0, 430, 0, 0, 1000, 1800, 0, 0), 0.0f);
}

TEST_F(AlgorithmTest, CriteriaAreUndefinedButVelocityStatisticsAreComputed) {
  Fill({1, 1, 1, 1}, {1, 1, 1, 1}, {4, 5, 6, 9});
  sections_[0].lastIndex = 2;
  const float* v = sections_[0].velocity.data();
  EXPECT_EQ(algorithm_.CalcAmpCritical(v, 3, sections_[0], 0), 0.0f);
  EXPECT_EQ(algorithm_.CalcVelocityCritical(v, 3, sections_, 0, 0), 0.0f);
  float mean = -1, sd = -1, dis = -1;
  algorithm_.CalcVelocityStats(v, 3, sections_, 0, mean, sd, dis, 0);
  EXPECT_FLOAT_EQ(mean, 5.0f);
  EXPECT_FLOAT_EQ(sd, 1.0f);
  EXPECT_FLOAT_EQ(dis, 0.2f);

  // The base algorithm leaves the outputs alone.
  CAlgorithm base;
  base.CalcVelocityStats(v, 3, sections_, 0, mean, sd, dis, 0);
  EXPECT_FLOAT_EQ(mean, 5.0f);
  EXPECT_EQ(base.GetMinValidDepth(Pair()), 0.0f);
}

}  // namespace
}  // namespace tarnix

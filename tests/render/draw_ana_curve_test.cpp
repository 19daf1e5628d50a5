// The curve engine's mapping of a series onto the plot: clamping at the axis,
// the points left out at the ends of the range, the two vertical mappings.
#include "render/draw_ana_curve.h"

#include <gtest/gtest.h>

namespace tarnix {
namespace {

// Ten points, 0.5 m apart, deepest first as the sections hold them.
CurveSeries TenPoints() {
  CurveSeries s;
  for (int i = 0; i < 10; ++i) {
    s.values.push_back(4.0f);
    s.depths.push_back(4.5f - 0.5f * i);
    s.hasSamples.push_back(1);
  }
  s.first = 0;
  s.last = 9;
  return s;
}

CurveGeometry DepthPlot() {
  CurveGeometry g;
  g.plot = QRect(20, 19, 100, 90);
  return g;
}

TEST(DrawAnaCurve, ValuesOutsideTheAxisStandOnItsEdgesAndPositionsTruncate) {
  CDrawAnaCurve curve;
  curve.axisMin = 3.0f;
  curve.axisMax = 5.0f;
  CurveSeries s = TenPoints();
  s.values[9] = 9.0f;   // above the maximum: right edge
  s.values[8] = 0.5f;   // below the minimum: left edge
  s.values[7] = 4.019f; // 20 + 1.019 * 50 = 70.95
  const QPolygonF p = curve.SeriesPoints(s, DepthPlot());
  ASSERT_EQ(p.size(), 10);
  EXPECT_EQ(p[0].x(), 120);
  EXPECT_EQ(p[1].x(), 20);
  EXPECT_EQ(p[2].x(), 70);
}

TEST(DrawAnaCurve, EndsWithoutSamplesAreLeftOutButDepthsKeepTheirPlace) {
  CDrawAnaCurve curve;
  curve.axisMin = 3.0f;
  curve.axisMax = 5.0f;
  CurveSeries s = TenPoints();
  s.hasSamples[0] = s.hasSamples[9] = s.hasSamples[8] = 0;
  s.hasSamples[4] = 0;  // inside the stretch: still drawn
  const QPolygonF p = curve.SeriesPoints(s, DepthPlot());
  ASSERT_EQ(p.size(), 7);
  // The top drawn point is point 7, 1.0 m below the range's top (4.5 m deep).
  EXPECT_DOUBLE_EQ(p.front().y(), 19 + 1.0 * 90 / 4.5);
  EXPECT_DOUBLE_EQ(p.back().y(), 19 + 4.0 * 90 / 4.5);

  curve.samplingStep = 2;  // every third point, from the top one
  EXPECT_EQ(curve.SeriesPoints(s, DepthPlot()).size(), 3);
  s.hasSamples.assign(10, 0);
  EXPECT_TRUE(curve.SeriesPoints(s, DepthPlot()).isEmpty());
}

TEST(DrawAnaCurve, IndexModeFollowsTheRowsAndSkipsThePanel) {
  CDrawAnaCurve curve;
  CurveSeries s = TenPoints();
  CurveGeometry g = DepthPlot();
  g.depthMode = false;
  g.rowOrigin = 15.0f;  // margin 10 plus half a row of 10
  g.rowPitch = 10.0f;
  g.viewTop = 30;
  g.gapAt = 50;
  g.gapHeight = 200;
  const QPolygonF p = curve.SeriesPoints(s, g);
  ASSERT_EQ(p.size(), 10);
  EXPECT_DOUBLE_EQ(p[0].y(), 45.0);           // row 0, the shallowest point
  EXPECT_DOUBLE_EQ(p[3].y(), 30 + 45.0);      // row 3 at view 45: above the panel
  EXPECT_DOUBLE_EQ(p[4].y(), 30 + 200 + 55.0);
}

}  // namespace
}  // namespace tarnix

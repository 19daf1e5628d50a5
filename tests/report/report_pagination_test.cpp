#include "report/report_pagination.h"

#include <gtest/gtest.h>

namespace tarnix {
namespace {

PageSetup Kinds(bool curve, bool wave, bool report) {
  PageSetup s;
  s.printCurvePages = curve;
  s.printWaveTrainPages = wave;
  s.printReportPages = report;
  return s;
}

const PrinterMetrics k600{4960, 7014, 600, 600};
const PrinterMetrics k300{2480, 3507, 300, 300};

TEST(Pagination, ThirtyMetreHoleAtOneToHundredOnA600DpiPage) {
  HoleExtent hole{30.0f, 100};
  const Pagination p = Paginate(k600, Kinds(true, false, true), hole);
  EXPECT_EQ(p.area.height, 6187);
  EXPECT_EQ(p.area.top, 472);
  EXPECT_EQ(p.holeMm, 300);
  EXPECT_EQ(p.pageLength, 7086);
  EXPECT_EQ(p.curvePages, 2);
  EXPECT_EQ(p.reportPages, 2);
  EXPECT_EQ(p.Total(), 4);
  EXPECT_NEAR(p.depthPerReportPage, 30.0 * 4702 / 7086, 1e-9);
  int index = -1;
  EXPECT_EQ(p.KindOf(1, index), PageKind::Curve);
  EXPECT_EQ(p.KindOf(3, index), PageKind::Report);
  EXPECT_EQ(index, 1);
  EXPECT_DOUBLE_EQ(static_cast<double>(kReportPageFactor), 0.7599999308586121);
  EXPECT_DOUBLE_EQ(static_cast<double>(kCurvePageFactor), 0.85999995470047);
}

// Every page kind covers the whole hole, even where the page count by the
// 0.86 and 0.76 factors falls one short.
TEST(Pagination, PagesReachTheBottomOfTheHole) {
  // 22 m: 0.86 H holds A, but a page shows only 41/50 H, 21.48 m of it.
  Pagination p = Paginate(k600, Kinds(true, false, false), HoleExtent{22.0f, 100});
  EXPECT_NEAR(p.depthPerCurvePage, 21.48, 0.005);
  EXPECT_EQ(p.curvePages, 2);
  EXPECT_GE(p.curvePages * p.depthPerCurvePage, 22.0);
  // 19.9 m at 300 dpi: A is exactly X76, which the count made 0 pages.
  p = Paginate(k300, Kinds(false, false, true), HoleExtent{19.9f, 100});
  EXPECT_EQ(p.pageLength, static_cast<int>(kReportPageFactor * p.area.height));
  EXPECT_EQ(p.reportPages, 1);
  EXPECT_GE(p.reportPages * p.depthPerReportPage, 19.9 - 1e-6);
  // 101 points at 0.2 m, 20 m per page: 100 traces a page and the deepest on a second.
  PageSetup waves = Kinds(false, true, false);
  waves.waveTrainPaging = 1;
  p = Paginate(k600, waves, HoleExtent{20.0f, 100, 20.0f, 0.0f, 101, 0.2f});
  EXPECT_EQ(p.tracesPerPage, 100);
  EXPECT_EQ(p.wavePages, 2);
}

TEST(Pagination, DegenerateInputsGivePagesWithoutDividingByZero) {
  // Margins wider than the paper.
  PageSetup wide = Kinds(true, false, true);
  wide.topMargin = wide.bottomMargin = 200;
  Pagination p = Paginate(k600, wide, HoleExtent{30.0f, 100});
  EXPECT_LT(p.area.height, 0);
  EXPECT_EQ(p.curvePages + p.reportPages, 0);
  // A hole of no length, or no scale (a file without a layer block).
  EXPECT_EQ(Paginate(k600, Kinds(true, false, true), HoleExtent{0.0f, 100}).Total(), 0);
  EXPECT_EQ(Paginate(k600, Kinds(true, false, true), HoleExtent{30.0f, 0}).Total(), 0);
  // No spacing: the wave-train page stays, with no traces.
  PageSetup waves = Kinds(false, true, false);
  waves.waveTrainPaging = 2;
  p = Paginate(k600, waves, HoleExtent{30.0f, 100, 30.0f, 0.0f, 151, 0.0f});
  EXPECT_EQ(p.tracesPerPage, 0);
  EXPECT_EQ(p.wavePages, 1);
  // Whole hole on one page; no kind at all gives an empty job.
  waves.waveTrainPaging = 0;
  EXPECT_EQ(Paginate(k600, waves, HoleExtent{60.0f, 100, 60.0f, 0.0f, 301, 0.2f}).wavePages, 1);
  EXPECT_EQ(Paginate(k600, Kinds(false, false, false), HoleExtent{30.0f, 100}).Total(), 0);
}

TEST(Pagination, ScreenLengthTakesTheScaleInFloatingPoint) {
  EXPECT_NEAR(ScreenHoleLength(30.0f, 20, 96.0), 1500.0 * 96 / 25.4, 1e-6);
  EXPECT_NEAR(ScreenHoleLength(30.0f, 50, 96.0), 600.0 * 96 / 25.4, 1e-6);
  EXPECT_EQ(ScreenHoleLength(30.0f, 0, 96.0), 0.0);
}

}  // namespace
}  // namespace tarnix

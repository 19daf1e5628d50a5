// The first motion's start from the crossings of its lobes.
#include "processing/first_motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tarnix::picker {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// A wavelet of the given period from onset on: sharp (a sine at full slope) or
// smooth (zero slope at the onset, the envelope peaking after a cycle), with a
// ripple of +-jitter on every sample.
std::vector<double> Wavelet(double onset, double period, bool sharp, double jitter) {
  std::vector<double> r(400);
  for (int i = 0; i < 400; ++i) {
    const double cycles = (i - onset) / period;
    const double envelope = cycles <= 0 ? 0 : sharp ? std::exp(-cycles / 3) : cycles * std::exp(1 - cycles);
    r[i] = 100 * envelope * std::sin(kTwoPi * cycles) + (i % 2 ? jitter : -jitter);
  }
  return r;
}

TEST(FirstMotionTest, StartOfSharpAndSmoothWaveletsFromTheirCrossings) {
  for (bool sharp : {true, false}) {
    const std::vector<double> r = Wavelet(100.4, 40, sharp, 0.5);
    // Jitter about the crossings makes no lobes of its own.
    const std::vector<Lobe> lobes = Lobes(r, 0, 399, 2.0);
    for (size_t j = 1; j + 1 < lobes.size() && lobes[j].end < 250; ++j) EXPECT_NEAR(lobes[j].Width(), 20, 1) << j;
    // From a statistical onset on the rise, late as a smooth start leaves it.
    for (double late : {0.0, 4.0, 9.0}) {
      EXPECT_NEAR(FirstMotionStart(r, lobes, 100.4 + late, 40, 5.0), 100.4, 0.5) << sharp << " " << late;
    }
  }
  // Nothing but noise-free quiet: no wavelet, no start.
  const std::vector<double> quiet(100, 0.0);
  EXPECT_EQ(FirstMotionStart(quiet, Lobes(quiet, 0, 99, 1.0), 50, 40, 5.0), -1);
}

TEST(FirstMotionTest, LobesUnderTheDeadBandAreReadFromThePlainCrossings) {
  // Before a stronger arrival, two first arrivals with a lobe inside the dead
  // band (60): a smooth one whose first lobe is (the lobes open with one long
  // trough), and a sharp one whose fourth is (the lobe merged up to the next
  // arrival must not stretch the half period). They came out half a period
  // late and a period early.
  const std::vector<double> next = Wavelet(220.4, 40, true, 0.0);
  for (bool sharp : {false, true}) {
    std::vector<double> r = Wavelet(100.4, 40, sharp, 0.5);
    for (size_t i = 0; i < r.size(); ++i) r[i] += 2 * next[i];
    EXPECT_NEAR(FirstMotionStart(r, Lobes(r, 0, 399, 60.0), sharp ? 102 : 110, 40, 30.0), 100.4, 0.5) << sharp;
  }
}

TEST(FirstMotionTest, SmoothingKeepsAWavesCrossings) {
  const std::vector<double> r = Wavelet(100.4, 40, true, 0.0);
  const std::vector<Lobe> raw = Lobes(r, 0, 399, 2.0);
  const std::vector<Lobe> smooth = Lobes(Smoothed(r, 0, 399, 6), 0, 399, 2.0);
  ASSERT_GE(smooth.size(), 4u);
  for (int j = 1; j < 4; ++j) EXPECT_NEAR(smooth[j].end, raw[j].end, 0.2) << j;
}

}  // namespace
}  // namespace tarnix::picker

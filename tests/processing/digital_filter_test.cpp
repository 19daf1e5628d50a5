// The second-order filters and the lead-in ramp that settles them.
#include "processing/digital_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tarnix {
namespace {

constexpr double kTwoPi = 6.283185307179586;

double RoundHalfAway(double v) { return v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5); }

// Straight transcriptions of the filter formulas, keeping every unrounded output.
std::vector<double> RefLowPass(const std::vector<double>& x, double dt, double fc) {
  const double fs = 1.0 / dt, p = 9.869604378534024 * fc * fc, q = 4.442882925626335 * fc * fs;
  const double d = p + fs * fs + q, b = p / d, a2 = (p + fs * fs - q) / d;
  const double a1 = (2 * fs * fs - 19.73920875706805 * fc * fc) / d;
  std::vector<double> v(x), y(x);
  for (size_t k = 2; k < x.size(); ++k) {
    v[k] = a1 * v[k - 1] - a2 * v[k - 2] + b * (x[k] + 2 * x[k - 1] + x[k - 2]);
    y[k] = RoundHalfAway(v[k]);
  }
  return y;
}

std::vector<double> RefHighPass(const std::vector<double>& x, double dt, int fc) {
  const double k = std::tan(3.14159265 * fc * dt), d = k * k + 1.41421356 * k + 1;
  const double b = 1 / d, c1 = -(2 * k * k - 2) / d, c2 = (k * k + 1 - 1.41421356 * k) / d;
  std::vector<double> v(x.size()), y(x.size());
  for (size_t i = 0; i < x.size(); ++i) {
    if (i == 0) v[i] = b * x[0];
    if (i == 1) v[i] = b * (x[1] - 2 * x[0]) + c1 * x[0];
    if (i >= 2) v[i] = c1 * v[i - 1] - c2 * v[i - 2] + b * (x[i] - 2 * x[i - 1] + x[i - 2]);
    y[i] = RoundHalfAway(v[i]);
  }
  return y;
}

// Lead-in ramp, low-pass, high-pass, lead-in dropped. Needs n >= lead-in.
std::vector<float> RefFilter(const std::vector<float>& x, float dtUs, bool hpOn, float hpHz,
                             bool lpOn, float lpHz) {
  const int g = std::min(32, std::max(8, static_cast<int>(10.0 / dtUs)));
  double si = 0, sx = 0, six = 0, sii = 0;
  for (int i = 0; i < g; ++i) {
    si += i;
    sx += x[i];
    six += i * static_cast<double>(x[i]);
    sii += static_cast<double>(i) * i;
  }
  const double den = g * sii - si * si;
  double s = std::fabs(den) > 1e-6 ? (g * six - sx * si) / den : 1e10;
  const double len = 4.0 * g;
  if (-len * s > 2047) {
    s = -2047 / len;
  } else if (-len * s < -2048) {
    s = 2048 / len;
  }
  std::vector<double> y;
  for (int j = 0; j < 4 * g; ++j) y.push_back(RoundHalfAway(RoundHalfAway(x[0]) - s * (len - j)));
  y.insert(y.end(), x.begin(), x.end());
  const double dt = dtUs / 1e6;
  if (lpOn) y = RefLowPass(y, dt, lpHz);
  if (hpOn) y = RefHighPass(y, dt, static_cast<int>(hpHz));
  return std::vector<float>(y.begin() + 4 * g, y.end());
}

std::vector<float> DecayingSine(int n, double kHz, double dtUs, double amplitude) {
  std::vector<float> x(n);
  for (int k = 0; k < n; ++k) {
    x[k] = static_cast<float>(
        amplitude * std::sin(kTwoPi * kHz * 1e-3 * k * dtUs) * std::exp(-k / 80.0) + 37.25);
  }
  return x;
}

TEST(DigitalFilter, LeadInIsTenMicrosecondsWithinEightTo32Samples) {
  EXPECT_EQ(FilterLeadIn(1.0f, true), 10);
  EXPECT_EQ(FilterLeadIn(0.5f, true), 20);
  EXPECT_EQ(FilterLeadIn(0.7f, true), 14);  // 14.28 truncated
  EXPECT_EQ(FilterLeadIn(4.0f, true), 8);
  EXPECT_EQ(FilterLeadIn(0.25f, true), 32);
  EXPECT_EQ(FilterLeadIn(0.0f, true), 32);
  EXPECT_EQ(FilterLeadIn(1.0f, false), 0);
  // A damaged interval filters nothing rather than filling the record with NaN.
  for (float damaged : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_EQ(FilterLeadIn(damaged, true), 0);
    const std::vector<uint16_t> in{0, 2048, 4095, 1000};
    std::vector<uint16_t> out(in.size());
    FilterWords(4, in.data(), out.data(), damaged, true, 20000, true, 50000);
    EXPECT_EQ(out, in);
  }
}

TEST(DigitalFilter, BothFiltersOffCopyExactly) {
  const std::vector<uint16_t> in{0, 1, 2047, 2048, 2049, 4095, 4096, 1234, 65535};
  std::vector<uint16_t> out(in.size(), 7);
  FilterWords(static_cast<int>(in.size()), in.data(), out.data(), 1.0f, false, 20000, false, 50000);
  EXPECT_EQ(out, in);

  std::vector<float> x{-3.25f, 100.5f, 2000.0f};
  const auto before = x;
  FilterFloats(3, x.data(), 1.0f, false, 20000, false, 50000);
  EXPECT_EQ(x, before);
}

TEST(DigitalFilter, LowAndHighPassFollowTheirRecursions) {
  const std::vector<float> input{12.0f,  -40.5f, 300.0f, 299.0f, -1000.0f, 17.25f, 0.0f,
                                 800.0f, 801.0f, -2.5f,  64.0f,  -64.0f,   1500.0f};
  const double dt = 1e-6;
  for (size_t n = 1; n <= input.size(); ++n) {
    const std::vector<float> x(input.begin(), input.begin() + n);
    const std::vector<double> xd(x.begin(), x.end());
    std::vector<float> lp(n), hp(n);
    LowPass2(static_cast<int>(n), x.data(), lp.data(), dt, 50000.0f);
    HighPass2(static_cast<int>(n), x.data(), hp.data(), dt, 20000);
    const auto refLp = RefLowPass(xd, dt, 50000.0);
    const auto refHp = RefHighPass(xd, dt, 20000);
    for (size_t k = 0; k < n; ++k) {
      EXPECT_EQ(lp[k], static_cast<float>(refLp[k])) << "n " << n << " k " << k;
      EXPECT_EQ(hp[k], static_cast<float>(refHp[k])) << "n " << n << " k " << k;
    }
    // The lead-in filtering runs in place.
    std::vector<float> inPlace = x;
    LowPass2(static_cast<int>(n), inPlace.data(), inPlace.data(), dt, 50000.0f);
    EXPECT_EQ(inPlace, lp);
    inPlace = x;
    HighPass2(static_cast<int>(n), inPlace.data(), inPlace.data(), dt, 20000);
    EXPECT_EQ(inPlace, hp);
  }

  std::vector<float> copy(3);
  const float odd[3] = {1.25f, -0.5f, 7.75f};
  LowPass2(3, odd, copy.data(), 0.0, 50000.0f);
  EXPECT_EQ(copy, (std::vector<float>{1.25f, -0.5f, 7.75f}));
}

TEST(DigitalFilter, HighPassBehindAFlatLeadInAsIfItRanThroughIt) {
  // At 0.1 us the 20 kHz high-pass is still ringing after 512 samples; at
  // 1 us it has long settled. Short lead-ins settle nothing.
  const std::vector<float> x = DecayingSine(300, 25, 1, 900);
  for (double dt : {0.1e-6, 1e-6}) {
    for (int lead : {2, 3, 40, 512}) {
      std::vector<float> through(lead, -317.0f);
      through.insert(through.end(), x.begin(), x.end());
      HighPass2(static_cast<int>(through.size()), through.data(), through.data(), dt, 20000);
      std::vector<float> behind = x;
      HighPass2Behind(static_cast<int>(x.size()), behind.data(), behind.data(), dt, 20000, -317.0f, lead);
      EXPECT_EQ(behind, std::vector<float>(through.begin() + lead, through.end())) << dt << " " << lead;
    }
  }
}

TEST(DigitalFilter, HighPassedCopyInTheSamePassMatchesHighPassingAfterwards) {
  // Both filters on take the copy's high-pass, and the samples before the
  // first high-pass, into their own pass; every other setting, a short record
  // and a zero interval work them out afterwards.
  for (int n : {1, 2, 5, 40, 300}) {
    for (float dtUs : {0.1f, 1.0f, 0.0f}) {
      for (int filters = 0; filters < 4; ++filters) {
        for (int lead : {2, 512}) {
          const bool hp = filters & 1, lp = filters & 2;
          std::vector<float> expected = DecayingSine(n, 25, 1, 900);
          std::vector<float> filtered = expected, copy(n, -1.0f), afterwards(n), before(n, -1.0f);
          std::vector<float> lowPassed = expected;
          FilterFloats(n, expected.data(), dtUs, hp, 10000, lp, 50000);
          FilterFloats(n, lowPassed.data(), dtUs, false, 10000, lp, 50000);
          HighPass2Behind(n, expected.data(), afterwards.data(), dtUs / 1e6, 20000, std::round(expected[0]), lead);
          const HighPassedCopy c{copy.data(), 20000, lead, before.data()};
          FilterFloats(n, filtered.data(), dtUs, hp, 10000, lp, 50000, &c);
          EXPECT_EQ(filtered, expected) << n << " " << dtUs << " " << filters << " " << lead;
          EXPECT_EQ(copy, afterwards) << n << " " << dtUs << " " << filters << " " << lead;
          EXPECT_EQ(before, lowPassed) << n << " " << dtUs << " " << filters << " " << lead;
        }
      }
    }
  }
}

TEST(DigitalFilter, FilteringRunsBehindALimitedLeadInRamp) {
  struct Case {
    std::vector<float> x;
    float dtUs;
    bool hp, lp;
  };
  std::vector<float> steepDown = DecayingSine(60, 25, 1, 300);
  std::vector<float> steepUp = steepDown;
  for (int k = 0; k < 12; ++k) {
    steepDown[k] = 1500.0f - 600.0f * k;  // the line would start 24000 counts above
    steepUp[k] = -1500.0f + 600.0f * k;
  }
  const std::vector<Case> cases{
      {DecayingSine(80, 25, 1, 1500), 1.0f, true, true},
      {DecayingSine(80, 40, 0.5, 900), 0.5f, false, true},
      {DecayingSine(40, 10, 4, 1200), 4.0f, true, false},
      {steepDown, 1.0f, true, true},
      {steepUp, 1.0f, true, false},
  };
  for (size_t c = 0; c < cases.size(); ++c) {
    const Case& k = cases[c];
    std::vector<float> x = k.x;
    FilterFloats(static_cast<int>(x.size()), x.data(), k.dtUs, k.hp, 20000.9f, k.lp, 50000.0f);
    EXPECT_EQ(x, RefFilter(k.x, k.dtUs, k.hp, 20000.9f, k.lp, 50000.0f)) << "case " << c;
  }
}

TEST(DigitalFilter, WaveformsShorterThanTheLeadInAreFilteredWithoutOverrun) {
  for (int n = 1; n < 10; ++n) {
    std::vector<float> x(n, 500.0f);
    x[0] = -700.0f;
    FilterFloats(n, x.data(), 1.0f, true, 20000, true, 50000);
    for (float v : x) EXPECT_TRUE(std::isfinite(v));
  }
}

TEST(DigitalFilter, ValuesBelowTheRangeBecomeWordZero) {
  // A full-scale fall: the high-pass overshoots far below -2048.
  std::vector<uint16_t> words(200, 4095);
  std::fill(words.begin() + 100, words.end(), 0);
  std::vector<float> centred(words.begin(), words.end());
  for (float& v : centred) v -= 2048.0f;
  FilterFloats(200, centred.data(), 1.0f, true, 20000, false, 50000);
  ASSERT_LT(centred[100], -2048.0f);

  std::vector<uint16_t> out(200);
  FilterWords(200, words.data(), out.data(), 1.0f, true, 20000, false, 50000);
  for (int k = 0; k < 200; ++k) {
    const float expected = std::max(centred[k], -2048.0f) + 2048.0f;
    EXPECT_EQ(out[k], static_cast<uint16_t>(expected)) << k;
  }
  EXPECT_EQ(out[100], 0);
}

// RMS of the filtered sine from sample 300 on, relative to the input's.
double PassedFraction(double kHz, int n) {
  std::vector<uint16_t> in(n), out(n);
  for (int k = 0; k < n; ++k) {
    in[k] = static_cast<uint16_t>(2048 + std::lround(1000 * std::sin(kTwoPi * kHz * 1e-3 * k)));
  }
  FilterWords(n, in.data(), out.data(), 1.0f, true, 20000, true, 50000);
  double sumIn = 0, sumOut = 0;
  for (int k = 300; k < n; ++k) {
    sumIn += std::pow(in[k] - 2048.0, 2);
    sumOut += std::pow(out[k] - 2048.0, 2);
  }
  return std::sqrt(sumOut / sumIn);
}

TEST(DigitalFilter, PassBandAndStopBand) {
  EXPECT_GT(PassedFraction(30, 1024), 0.7);
  EXPECT_LT(PassedFraction(30, 1024), 1.05);
  EXPECT_LT(PassedFraction(2, 2300), 0.1);
}

TEST(DigitalFilter, HighPassAtOrPastTheNyquistFrequencyPassesNothing) {
  // 20 kHz at 100 and 30 us: the pre-warping tangent made the filter unstable
  // and its outputs overflowed to no number.
  for (float dtUs : {25.0f, 30.0f, 100.0f}) {
    std::vector<float> x = DecayingSine(300, 7, 1, 900);
    HighPass2(300, x.data(), x.data(), dtUs / 1e6, 20000);
    for (float v : x) EXPECT_EQ(v, 0.0f) << dtUs;
  }
}

}  // namespace
}  // namespace tarnix

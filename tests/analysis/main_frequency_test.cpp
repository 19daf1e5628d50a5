// Dominant frequency from the 512-point spectrum, and the transform under it.
#include "analysis/main_frequency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "analysis/fft.h"

namespace tarnix {
namespace {

std::vector<uint16_t> Sine(int n, double freqKHz, double dtUs, double amplitude) {
  std::vector<uint16_t> s(n);
  for (int i = 0; i < n; ++i) {
    s[i] = static_cast<uint16_t>(2048 + std::lround(amplitude * std::sin(2 * M_PI * freqKHz * 1e3 * i * dtUs * 1e-6)));
  }
  return s;
}

TEST(FftTest, MatchesADirectTransform) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(-1, 1);
  std::vector<std::complex<double>> x(512);
  for (auto& v : x) v = {u(rng), u(rng)};
  std::vector<std::complex<double>> fast = x;
  Fft(fast);
  for (int k : {0, 1, 37, 255, 256, 511}) {
    std::complex<double> sum = 0;
    for (int n = 0; n < 512; ++n) sum += x[n] * std::polar(1.0, -2 * M_PI * k * n / 512);
    EXPECT_NEAR(std::abs(fast[k] - sum), 0.0, 1e-9) << "bin " << k;
  }
}

TEST(FftTest, RealInputMatchesTheComplexTransform) {
  std::mt19937 rng(9);
  std::uniform_real_distribution<double> u(-1000, 1000);
  std::vector<double> x(512);
  for (double& v : x) v = u(rng);
  std::vector<std::complex<double>> full(x.begin(), x.end());
  Fft(full);
  std::vector<std::complex<double>> half;
  RealFft(x, half);
  ASSERT_EQ(half.size(), 256u);
  for (int k = 0; k < 256; ++k) EXPECT_NEAR(std::abs(half[k] - full[k]), 0.0, 1e-8) << "bin " << k;
}

TEST(MainFrequencyTest, PeakOfASine) {
  // 500 kHz Nyquist over 255 bins: 30 kHz sits near bin 15.3.
  const auto s = Sine(1024, 30.0, 1.0, 800);
  float spectrum[kFrequencyBins];
  int peak = -1;
  const float f = CalcMainFrequency(s.data(), 1024, 1.0f, spectrum, peak, -1);
  EXPECT_EQ(peak, 15);
  EXPECT_FLOAT_EQ(f, 29.411f);  // trunc(500000 * 15 / 255) Hz
  EXPECT_FLOAT_EQ(spectrum[peak], 466.0f);
  for (float v : spectrum) EXPECT_LE(v, 466.0f);
}

TEST(MainFrequencyTest, ChosenBinWinsOverThePeak) {
  const auto s = Sine(300, 30.0, 1.0, 800);  // shorter than 512: padded with zeros
  float spectrum[kFrequencyBins];
  int peak = -1;
  EXPECT_FLOAT_EQ(CalcMainFrequency(s.data(), 300, 1.0f, spectrum, peak, 40), 78.431f);
  EXPECT_EQ(peak, 15);
  EXPECT_FLOAT_EQ(CalcMainFrequency(s.data(), 300, 0.5f, spectrum, peak, 40), 156.862f);
}

TEST(MainFrequencyTest, FlatAndEmptyWaveforms) {
  const std::vector<uint16_t> flat(512, 2100);
  float spectrum[kFrequencyBins];
  int peak = -1;
  EXPECT_EQ(CalcMainFrequency(flat.data(), 512, 1.0f, spectrum, peak, -1), 0.0f);
  EXPECT_EQ(peak, 0);
  for (float v : spectrum) EXPECT_EQ(v, 0.0f);
  EXPECT_EQ(CalcMainFrequency(flat.data(), 0, 1.0f, spectrum, peak, -1), 0.0f);
}

TEST(MainFrequencyTest, SectionArrayKeepsChosenBins) {
  SectionRecord s;
  s.dT = 1.0f;
  CSamNode p;
  p.samples = Sine(512, 30.0, 1.0, 500);
  s.points.push_back(p);
  p.freqIndex = 20;
  s.points.push_back(p);
  s.points.push_back(CSamNode{});  // no waveform
  RebuildMainFreq(s);
  ASSERT_EQ(s.mainFreq.size(), 3u);
  EXPECT_EQ(s.points[0].freqIndex, 15);
  EXPECT_FLOAT_EQ(s.mainFreq[0], 29.411f);
  EXPECT_EQ(s.points[1].freqIndex, 20);
  EXPECT_FLOAT_EQ(s.mainFreq[1], 39.215f);
  EXPECT_EQ(s.mainFreq[2], 0.0f);
}

}  // namespace
}  // namespace tarnix

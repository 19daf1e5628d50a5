#include "analysis/main_frequency.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "analysis/fft.h"
#include "base/parallel_for.h"
#include "processing/digital_filter.h"

namespace tarnix {
namespace {

constexpr int kFftSize = 512;

// The Hann window with pi as 3.1415926, as the displayed spectra always had.
const std::vector<double>& HannWindow() {
  static const std::vector<double> w = [] {
    std::vector<double> v(kFftSize);
    for (int i = 0; i < kFftSize; ++i) v[i] = (std::cos((i - 255.5) * 3.1415926 / 255.5) + 1) * 0.5;
    return v;
  }();
  return w;
}

}  // namespace

float CalcMainFrequency(const uint16_t* samples, int count, float dT, float* spectrum, int& peakIndex,
                        int fixedIndex) {
  if (count < 1) return 0.0f;
  // Kept per thread: a section's spectra reuse the same buffers.
  thread_local std::vector<float> x;
  thread_local std::vector<double> y;
  thread_local std::vector<std::complex<double>> bins;
  x.resize(count);
  for (int i = 0; i < count; ++i) x[i] = static_cast<float>(samples[i]) - 2048.0f;
  // Low-pass at 1/2.5 of the sampling rate before looking for the peak.
  const double cutoff = std::round(1000000.0 / dT / 2.5);
  if (std::isfinite(cutoff) && std::fabs(cutoff) < 2e9) {
    LowPass2(count, x.data(), x.data(), dT / 1000000.0, static_cast<float>(static_cast<int>(cutoff)));
  }
  // DC offset: integer mean with an integer running sum.
  long long sum = 0;
  for (int i = 0; i < count; ++i) sum += static_cast<long long>(x[i]);
  const long long offset = sum / count;

  y.assign(kFftSize, 0.0);
  const std::vector<double>& w = HannWindow();
  for (int i = 0; i < std::min(count, kFftSize); ++i) y[i] = (x[i] - static_cast<double>(offset)) * w[i];
  RealFft(y, bins);

  double power[kFrequencyBins];
  int peak = 0;
  for (int k = 0; k < kFrequencyBins; ++k) {
    power[k] = std::norm(bins[k]);
    if (power[k] > power[peak]) peak = k;
  }
  peakIndex = peak;
  const double top = power[peak] != 0.0 ? power[peak] : 1.0;
  for (int k = 0; k < kFrequencyBins; ++k) spectrum[k] = static_cast<float>(power[k] * kSpectrumPeak / top);

  return BinFrequency(fixedIndex != -1 ? fixedIndex : peak, dT);
}

float BinFrequency(int bin, float dT) {
  const double nyquist = 256000000.0 / (static_cast<double>(dT) * 512.0);
  const double hz = std::trunc(nyquist * bin / 255.0);
  if (!std::isfinite(hz)) return 0.0f;
  return static_cast<float>(hz / 1000.0);
}

void RebuildMainFreq(SectionRecord& section) {
  section.mainFreq.assign(section.points.size(), 0.0f);
  ParallelFor(section.PointCount(), kWaveformsPerThread, [&section](int begin, int end) {
    float spectrum[kFrequencyBins];
    for (int i = begin; i < end; ++i) {
      CSamNode& p = section.points[i];
      if (!p.HasWaveform()) continue;
      // A chosen bin fixes the frequency whatever the spectrum looks like.
      if (p.freqIndex != -1) {
        section.mainFreq[i] = BinFrequency(p.freqIndex, section.dT);
        continue;
      }
      int peak = 0;
      section.mainFreq[i] = CalcMainFrequency(p.samples.data(), static_cast<int>(p.samples.size()), section.dT,
                                              spectrum, peak, p.freqIndex);
      p.freqIndex = peak;
    }
  });
}

}  // namespace tarnix

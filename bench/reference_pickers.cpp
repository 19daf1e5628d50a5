#include "reference_pickers.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/sample_conversion.h"
#include "processing/picker_stages.h"

namespace tarnix::bench {
namespace {

int AicSplit(const std::vector<double>& x, int from, int to) {
  const int n = to - from;
  if (n < 6) return from;
  std::vector<double> s(n + 1, 0.0), q(n + 1, 0.0);
  for (int i = 0; i < n; ++i) {
    s[i + 1] = s[i] + x[from + i];
    q[i + 1] = q[i] + x[from + i] * x[from + i];
  }
  auto variance = [&](int a, int b) {
    const double m = b - a, mean = (s[b] - s[a]) / m;
    return std::max((q[b] - q[a]) / m - mean * mean, 1e-12);
  };
  int best = 2;
  double lowest = std::numeric_limits<double>::infinity();
  for (int k = 2; k <= n - 2; ++k) {
    const double aic = k * std::log(variance(0, k)) + (n - k) * std::log(variance(k, n));
    if (aic < lowest) {
      lowest = aic;
      best = k;
    }
  }
  return from + best;
}

}  // namespace

std::vector<double> CenteredSamples(const std::vector<uint16_t>& samples) {
  std::vector<double> x(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) x[i] = static_cast<double>(samples[i]) - kZeroLevel;
  return x;
}

int WholeRecordAic(const std::vector<double>& x) { return AicSplit(x, 0, static_cast<int>(x.size())); }

int StaLtaAic(const std::vector<double>& x, double periodSamples) {
  const int n = static_cast<int>(x.size());
  const int sta = std::max(2, static_cast<int>(std::lround(periodSamples))), lta = 10 * sta;
  if (n < lta + sta) return WholeRecordAic(x);
  const picker::NoiseModel line = picker::FitLine(x, 0, n - 1);
  std::vector<double> d(n);
  for (int i = 0; i < n; ++i) d[i] = x[i] - line.slope * i - line.intercept;
  double shortMean = 0, longMean = 0;
  for (int i = 0; i < n; ++i) {
    const double e = d[i] * d[i];
    shortMean += (e - shortMean) / sta;
    longMean += (e - longMean) / lta;
    if (i >= lta && longMean > 0 && shortMean >= 3 * longMean) {
      return AicSplit(d, std::max(0, i - lta), std::min(n, i + sta));
    }
  }
  return WholeRecordAic(x);
}

}  // namespace tarnix::bench

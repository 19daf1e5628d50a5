#include "processing/above_band_noise.h"

#include <algorithm>

#include "processing/picker_stages.h"

namespace tarnix::picker {
namespace {

// White noise bends (its second differences) six times its power, and still
// 2.3 times under a first-order low-pass at a tenth of the sampling rate;
// noise of the arrivals' band, a dozen samples a period or more, a hundredth.
constexpr double kAboveBand = 2.0;
// Fewer samples than this tell nothing of the noise.
constexpr int kFewest = 16;

// Half the moving average's width in samples: a microsecond; 0 (none) past
// two microseconds a sample, and below a nanosecond, which only a damaged
// header gives.
int HalfWidth(double dtUs) { return dtUs >= 1e-3 ? static_cast<int>(1.0 / dtUs + 0.5) : 0; }

}  // namespace

bool NoiseAboveBand(const std::vector<float>& x, int from, int to, double dtUs) {
  from = std::max(from, 1);
  to = std::min(to, static_cast<int>(x.size()) - 2);
  const int n = to - from + 1;
  if (HalfWidth(dtUs) < 1 || n < kFewest) return false;
  double sum = 0, square = 0, bends = 0;
  for (int i = from; i <= to; ++i) {
    const double v = x[i], bend = x[i - 1] - 2.0 * v + x[i + 1];
    sum += v;
    square += v * v;
    bends += bend * bend;
  }
  const double power = square - sum * sum / n;
  return power >= n && bends > kAboveBand * power;  // a count's spread at least
}

std::vector<float> WithoutAboveBandNoise(const std::vector<float>& x, int ks, int ke, double dtUs) {
  std::vector<float> out(x);
  const int h = HalfWidth(dtUs);
  if (h < 1) return out;
  // The part off the average is what detrending over its width leaves.
  const std::vector<double> off = Detrend(x, ks, ke, 2 * h + 1);
  for (int i = ks; i <= ke; ++i) out[i] = static_cast<float>(x[i] - off[i]);
  return out;
}

}  // namespace tarnix::picker

#include "processing/digital_filter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarnix {
namespace {

// The constants as the instrument software has always used them.
constexpr double kPiSquared = 9.869604378534024;
constexpr double kPiSqrt2 = 4.442882925626335;
constexpr double kTwoPiSquared = 19.73920875706805;
constexpr double kPi8 = 3.14159265;
constexpr double kSqrt2 = 1.41421356;

// std::round (half away from zero) without the library call, which dominates
// the cost of the recursions. Exact: v - trunc(v) is exact below 2^52.
inline double RoundHalfAway(double v) {
  if (!(std::fabs(v) < 4503599627370496.0)) return v;  // already integral, or inf/NaN
  const double t = static_cast<double>(static_cast<long long>(v));
  const double d = v - t;
  // Branch-free: the halves of filtered noise are as good as random.
  return t + static_cast<double>(d >= 0.5) - static_cast<double>(d <= -0.5);
}

// Slope of the least-squares line through x[0..g-1] against 0..g-1, limited so
// that a ramp of 4g samples ending at x[0] stays inside the 12-bit range.
double LeadInSlope(const float* x, int g) {
  double sumI = 0, sumX = 0, sumIX = 0, sumII = 0;
  for (int i = 0; i < g; ++i) {
    sumI += i;
    sumX += x[i];
    sumIX += i * static_cast<double>(x[i]);
    sumII += static_cast<double>(i) * i;
  }
  const double denominator = g * sumII - sumI * sumI;
  double s = std::fabs(denominator) > 1e-6 ? (g * sumIX - sumX * sumI) / denominator : 1e10;
  const double length = 4.0 * g;
  if (-length * s > 2047) {
    s = -2047 / length;
  } else if (-length * s < -2048) {
    s = 2048 / length;
  }
  return s;
}

// Runs the lead-in and both filters over x (n zero-centred samples), in place.
void FilterCentred(int n, float* x, float dtUs, bool highPassOn, float highPassHz, bool lowPassOn,
                   float lowPassHz) {
  const int g = FilterLeadIn(dtUs, highPassOn || lowPassOn);
  if (g == 0 || n <= 0) return;
  const int ramp = 4 * g;
  std::vector<float> y(static_cast<size_t>(n) + ramp);
  const double s = LeadInSlope(x, std::min(g, n));
  const double x0 = std::round(x[0]);
  for (int j = 0; j < ramp; ++j) y[j] = static_cast<float>(std::round(x0 - s * (ramp - j)));
  for (int k = 0; k < n; ++k) y[ramp + k] = x[k];

  const double dtSeconds = dtUs / 1e6;
  const int count = static_cast<int>(y.size());
  if (lowPassOn) LowPass2(count, y.data(), y.data(), dtSeconds, lowPassHz);
  if (highPassOn) {
    HighPass2(count, y.data(), y.data(), dtSeconds, static_cast<int>(highPassHz));
  }
  for (int k = 0; k < n; ++k) x[k] = y[ramp + k];
}

}  // namespace

int FilterLeadIn(float dtUs, bool anyFilterOn) {
  if (!anyFilterOn) return 0;
  const double q = 10.0 / dtUs;
  if (!(q < 32)) return 32;  // also a zero or damaged interval
  if (!(q >= 8)) return 8;
  return static_cast<int>(q);
}

void LowPass2(int count, const float* in, float* out, double dtSeconds, float cutoffHz) {
  if (count <= 0) return;
  if (dtSeconds == 0) {
    for (int k = 0; k < count; ++k) out[k] = in[k];
    return;
  }
  const double fs = 1.0 / dtSeconds;
  const double fc = cutoffHz;
  const double p = kPiSquared * fc * fc;
  const double q = kPiSqrt2 * fc * fs;
  const double d = p + fs * fs + q;
  const double b = p / d;
  const double a1 = (2 * fs * fs - kTwoPiSquared * fc * fc) / d;
  const double a2 = (p + fs * fs - q) / d;
  // The recursion runs on unrounded outputs and the original inputs, so the
  // stored (rounded) outputs may overwrite the input array.
  double x1 = in[0], x2 = 0, v1 = in[0], v2 = 0;
  out[0] = in[0];
  if (count > 1) {
    x2 = x1;
    x1 = in[1];
    v2 = v1;
    v1 = in[1];
    out[1] = in[1];
  }
  for (int k = 2; k < count; ++k) {
    const double xk = in[k];
    const double v = a1 * v1 - a2 * v2 + b * (xk + 2 * x1 + x2);
    x2 = x1;
    x1 = xk;
    v2 = v1;
    v1 = v;
    out[k] = static_cast<float>(RoundHalfAway(v));
  }
}

void HighPass2(int count, const float* in, float* out, double dtSeconds, int cutoffHz) {
  if (count <= 0) return;
  const double k = std::tan(kPi8 * cutoffHz * dtSeconds);
  const double d = k * k + kSqrt2 * k + 1;
  const double b = 1 / d;
  const double c1 = -(2 * k * k - 2) / d;
  const double c2 = (k * k + 1 - kSqrt2 * k) / d;
  const double x0 = in[0];
  double v2 = b * x0;
  out[0] = static_cast<float>(RoundHalfAway(v2));
  if (count == 1) return;
  const double xOne = in[1];
  double v1 = b * (xOne - 2 * x0) + c1 * x0;
  out[1] = static_cast<float>(RoundHalfAway(v1));
  double x2 = x0, x1 = xOne;
  for (int i = 2; i < count; ++i) {
    const double xi = in[i];
    const double v = c1 * v1 - c2 * v2 + b * (xi - 2 * x1 + x2);
    x2 = x1;
    x1 = xi;
    v2 = v1;
    v1 = v;
    out[i] = static_cast<float>(RoundHalfAway(v));
  }
}

void FilterFloats(int n, float* x, float dtUs, bool highPassOn, float highPassHz, bool lowPassOn,
                  float lowPassHz) {
  FilterCentred(n, x, dtUs, highPassOn, highPassHz, lowPassOn, lowPassHz);
}

void FilterWords(int n, const uint16_t* in, uint16_t* out, float dtUs, bool highPassOn,
                 float highPassHz, bool lowPassOn, float lowPassHz) {
  if (n <= 0) return;
  std::vector<float> x(n);
  for (int k = 0; k < n; ++k) x[k] = static_cast<float>(in[k]) - 2048.0f;
  FilterCentred(n, x.data(), dtUs, highPassOn, highPassHz, lowPassOn, lowPassHz);
  for (int k = 0; k < n; ++k) {
    const double v = std::min(std::max(static_cast<double>(x[k]), -2048.0) + 2048.0, 65535.0);
    out[k] = static_cast<uint16_t>(v);  // truncation, as the record always had
  }
}

}  // namespace tarnix

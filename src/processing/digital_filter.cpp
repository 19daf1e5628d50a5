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
// the cost of the recursions, and without conversions to an integer and
// back. Below 2^51, adding and taking away 1.5 * 2^52 rounds |v| to the
// nearest integer, ties to even, in the default rounding mode; |v| - r is
// exact, so a tie rounded down is found and moved up (exact ties are rare,
// so the branch is all but never taken).
inline double RoundHalfAway(double v) {
  constexpr double kShift = 6755399441055744.0;
  const double a = std::fabs(v);
  if (!(a < 2251799813685248.0)) {
    if (!(a < 4503599627370496.0)) return v;  // already integral, or inf/NaN
    return std::round(v);
  }
  double r = (a + kShift) - kShift;
  if (a - r == 0.5) r += 1;
  return std::copysign(r, v);
}

// One step of a second-order recursion, v = p1 v1 - p2 v2 + b (x + s x1 + x2):
// s is 2 for the low-pass, -2 for the high-pass. It runs on unrounded outputs
// and the original inputs, so the stored (rounded) outputs may overwrite the
// input array.
struct Section {
  double p1 = 0, p2 = 0, b = 0, s = 0;
  double x1 = 0, x2 = 0, v1 = 0, v2 = 0;
  double Next(double x) {
    const double v = p1 * v1 - p2 * v2 + b * (x + s * x1 + x2);
    Shift(x, v);
    return v;
  }
  void Shift(double x, double v) {
    x2 = x1;
    x1 = x;
    v2 = v1;
    v1 = v;
  }
};

// Two sections stepped as one, each lane exactly as Section::Next: two
// recursions that each wait on their own previous outputs run side by side in
// one vector register.
class SectionPair {
 public:
  using V = double __attribute__((vector_size(16)));
  SectionPair(Section& first, Section& second) : first_(first), second_(second) {
    p1_ = V{first_.p1, second_.p1};
    p2_ = V{first_.p2, second_.p2};
    b_ = V{first_.b, second_.b};
    s_ = V{first_.s, second_.s};
    x1_ = V{first_.x1, second_.x1};
    x2_ = V{first_.x2, second_.x2};
    v1_ = V{first_.v1, second_.v1};
    v2_ = V{first_.v2, second_.v2};
  }
  // The state goes back to the sections for the steps taken one at a time.
  ~SectionPair() {
    first_.x1 = x1_[0], first_.x2 = x2_[0], first_.v1 = v1_[0], first_.v2 = v2_[0];
    second_.x1 = x1_[1], second_.x2 = x2_[1], second_.v1 = v1_[1], second_.v2 = v2_[1];
  }
  SectionPair(const SectionPair&) = delete;
  SectionPair& operator=(const SectionPair&) = delete;
  // Each input through its own section; the outputs rounded.
  void Next(float& first, float& second) {
    const V x{first, second};
    const V v = p1_ * v1_ - p2_ * v2_ + b_ * (x + s_ * x1_ + x2_);
    x2_ = x1_;
    x1_ = x;
    v2_ = v1_;
    v1_ = v;
    const V r = Rounded(v);
    first = static_cast<float>(r[0]);
    second = static_cast<float>(r[1]);
  }

 private:
  using Bits = long long __attribute__((vector_size(16)));
  // RoundHalfAway in both lanes; a lane outside its fast range (never a
  // filtered 12-bit record's) takes the scalar one.
  static V Rounded(V v) {
    constexpr double kShift = 6755399441055744.0;
    const Bits sign = Bits{} + static_cast<long long>(0x8000000000000000ull);
    const V a = reinterpret_cast<V>(reinterpret_cast<Bits>(v) & ~sign);
    const Bits fast = a < 2251799813685248.0;
    if (!(fast[0] && fast[1])) return V{RoundHalfAway(v[0]), RoundHalfAway(v[1])};
    V r = (a + kShift) - kShift;
    const Bits tie = (a - r) == 0.5;
    r += reinterpret_cast<V>(tie & reinterpret_cast<Bits>(V{1.0, 1.0}));
    return reinterpret_cast<V>(reinterpret_cast<Bits>(r) | (reinterpret_cast<Bits>(v) & sign));
  }
  Section& first_;
  Section& second_;
  V p1_, p2_, b_, s_, x1_, x2_, v1_, v2_;
};

class LowPassStep {
 public:
  LowPassStep(double dtSeconds, float cutoffHz) {
    const double fs = 1.0 / dtSeconds;
    const double fc = cutoffHz;
    const double p = kPiSquared * fc * fc;
    const double q = kPiSqrt2 * fc * fs;
    const double d = p + fs * fs + q;
    section.b = p / d;
    section.p1 = (2 * fs * fs - kTwoPiSquared * fc * fc) / d;
    section.p2 = (p + fs * fs - q) / d;
    section.s = 2;
  }
  // The first two samples pass unchanged and start the recursion.
  float Start(float in) {
    section.Shift(in, in);
    return in;
  }
  float Next(float in) { return static_cast<float>(RoundHalfAway(section.Next(in))); }

  Section section;
};

class HighPassStep {
 public:
  HighPassStep(double dtSeconds, int cutoffHz) {
    section.s = -2;
    // At or past the Nyquist frequency the pre-warping tangent turns the
    // filter unstable (its outputs overflow to no number); the limit it
    // tends to below there is to pass nothing.
    if (!(cutoffHz * dtSeconds < 0.5)) return;
    const double k = std::tan(kPi8 * cutoffHz * dtSeconds);
    const double d = k * k + kSqrt2 * k + 1;
    section.b = 1 / d;
    section.p1 = -(2 * k * k - 2) / d;
    section.p2 = (k * k + 1 - kSqrt2 * k) / d;
  }
  float First(float in) {
    section.x1 = in;
    section.v1 = section.b * section.x1;
    return static_cast<float>(RoundHalfAway(section.v1));
  }
  // The state after `samples` (at least 2) copies of c from rest. On a
  // constant input the recursion only decays, so its state is c times the
  // first two outputs carried on by powers of the 2 x 2 step, squared up:
  // a long settling lead-in costs a few products instead of a pass.
  void Settle(float c, int samples) {
    const double c1 = section.p1, c2 = section.p2, b = section.b;
    double m[2][2] = {{c1, -c2}, {1, 0}}, p[2][2] = {{1, 0}, {0, 1}};
    auto multiply = [](double (&a)[2][2], const double (&b)[2][2]) {
      const double r[2][2] = {{a[0][0] * b[0][0] + a[0][1] * b[1][0], a[0][0] * b[0][1] + a[0][1] * b[1][1]},
                              {a[1][0] * b[0][0] + a[1][1] * b[1][0], a[1][0] * b[0][1] + a[1][1] * b[1][1]}};
      std::copy(&r[0][0], &r[0][0] + 4, &a[0][0]);
    };
    for (int e = samples - 2; e > 0; e >>= 1) {
      if (e & 1) multiply(p, m);
      multiply(m, m);
    }
    const double second = (c1 - b) * c, first = b * c;
    section.v1 = p[0][0] * second + p[0][1] * first;
    section.v2 = p[1][0] * second + p[1][1] * first;
    section.x1 = section.x2 = c;
  }
  float Second(float in) {
    const double xi = in;
    const double v = section.b * (xi - 2 * section.x1) + section.p1 * section.x1;
    section.Shift(xi, v);
    return static_cast<float>(RoundHalfAway(v));
  }
  float Next(float in) { return static_cast<float>(RoundHalfAway(section.Next(in))); }

  Section section;
};

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

// The lead-in ramp and the samples behind it, kept per thread: filtering a
// section reuses one buffer instead of allocating per waveform.
float* LeadInBuffer(size_t size) {
  thread_local std::vector<float> buffer;
  if (buffer.size() < size) buffer.resize(size);
  return buffer.data();
}

// Filters the n samples at y[ramp..] in place behind the lead-in ramp written
// into y[0..ramp), and the copy's samples before the high-pass when it asks
// for them. Returns whether it also wrote the copy's high-passed samples,
// which it does in the same pass when both filters are on.
bool FilterBehindLeadIn(float* y, int ramp, int n, float dtUs, bool highPassOn, float highPassHz,
                        bool lowPassOn, float lowPassHz, const HighPassedCopy* copy) {
  const float* x = y + ramp;
  const double s = LeadInSlope(x, std::min(ramp / 4, n));
  const double x0 = std::round(x[0]);
  for (int j = 0; j < ramp; ++j) y[j] = static_cast<float>(std::round(x0 - s * (ramp - j)));

  const double dtSeconds = dtUs / 1e6;
  const int count = ramp + n;
  if (lowPassOn && highPassOn && dtSeconds != 0) {
    // Low-pass first, then high-pass, then the copy's high-pass from the
    // first sample behind the lead-in on, where it settles. Each runs kLag
    // samples behind the one before, on outputs written iterations earlier:
    // the recursions then overlap instead of each waiting out the rounding
    // of the one before it every sample, and the first two step as a pair.
    constexpr int kLag = 4;
    LowPassStep low(dtSeconds, lowPassHz);
    HighPassStep high(dtSeconds, static_cast<int>(highPassHz));
    HighPassStep again(dtSeconds, copy ? copy->cutoffHz : 0);
    float* before = copy ? copy->beforeHighPass : nullptr;
    auto step = [&](int k) {  // every stage that has a sample at step k
      if (k < count) y[k] = k < 2 ? low.Start(y[k]) : low.Next(y[k]);
      const int h = k - kLag;
      if (before && h >= ramp && h < count) before[h - ramp] = y[h];
      if (h >= 0 && h < count) y[h] = h == 0 ? high.First(y[h]) : h == 1 ? high.Second(y[h]) : high.Next(y[h]);
      const int a = h - kLag;
      if (copy && a >= ramp && a < count) {
        if (a == ramp) again.Settle(std::round(y[ramp]), copy->leadCount);
        copy->samples[a - ramp] = again.Next(y[a]);
      }
    };
    // From here every stage is under way without its start or settling; the
    // steps around are taken one stage at a time. n >= 1, so the first
    // loop never runs past the last step.
    const int steadyFrom = copy ? ramp + 2 * kLag + 1 : kLag + 2;
    int k = 0;
    for (; k < steadyFrom; ++k) step(k);
    {
      SectionPair lowAndHigh(low.section, high.section);
      if (copy) {
        float* out = copy->samples;
        for (; k < count; ++k) {
          if (before) before[k - kLag - ramp] = y[k - kLag];
          lowAndHigh.Next(y[k], y[k - kLag]);
          out[k - 2 * kLag - ramp] = again.Next(y[k - 2 * kLag]);
        }
      } else {
        for (; k < count; ++k) lowAndHigh.Next(y[k], y[k - kLag]);
      }
    }
    for (; k < count + 2 * kLag; ++k) step(k);
    return copy != nullptr;
  }
  if (lowPassOn) LowPass2(count, y, y, dtSeconds, lowPassHz);
  if (copy && copy->beforeHighPass) std::copy(y + ramp, y + count, copy->beforeHighPass);
  if (highPassOn) HighPass2(count, y, y, dtSeconds, static_cast<int>(highPassHz));
  return false;
}

}  // namespace

int FilterLeadIn(float dtUs, bool anyFilterOn) {
  if (!anyFilterOn || !std::isfinite(dtUs)) return 0;
  const double q = 10.0 / dtUs;
  if (!(q < 32)) return 32;  // also a zero interval
  if (!(q >= 8)) return 8;
  return static_cast<int>(q);
}

void LowPass2(int count, const float* in, float* out, double dtSeconds, float cutoffHz) {
  if (count <= 0) return;
  if (dtSeconds == 0) {
    for (int k = 0; k < count; ++k) out[k] = in[k];
    return;
  }
  LowPassStep low(dtSeconds, cutoffHz);
  for (int k = 0; k < std::min(count, 2); ++k) out[k] = low.Start(in[k]);
  for (int k = 2; k < count; ++k) out[k] = low.Next(in[k]);
}

void HighPass2(int count, const float* in, float* out, double dtSeconds, int cutoffHz) {
  if (count <= 0) return;
  HighPassStep high(dtSeconds, cutoffHz);
  out[0] = high.First(in[0]);
  if (count > 1) out[1] = high.Second(in[1]);
  for (int i = 2; i < count; ++i) out[i] = high.Next(in[i]);
}

void HighPass2Behind(int count, const float* in, float* out, double dtSeconds, int cutoffHz, float lead,
                     int leadCount) {
  HighPassStep high(dtSeconds, cutoffHz);
  high.Settle(lead, leadCount);
  for (int i = 0; i < count; ++i) out[i] = high.Next(in[i]);
}

void FilterFloats(int n, float* x, float dtUs, bool highPassOn, float highPassHz, bool lowPassOn,
                  float lowPassHz, const HighPassedCopy* copy) {
  if (n <= 0) return;
  const int ramp = 4 * FilterLeadIn(dtUs, highPassOn || lowPassOn);
  bool copied = false;
  if (ramp > 0) {
    float* y = LeadInBuffer(static_cast<size_t>(ramp) + n);
    std::copy(x, x + n, y + ramp);
    copied = FilterBehindLeadIn(y, ramp, n, dtUs, highPassOn, highPassHz, lowPassOn, lowPassHz, copy);
    std::copy(y + ramp, y + ramp + n, x);
  }
  if (copy && !copied) {
    // Without a lead-in nothing was filtered.
    if (ramp == 0 && copy->beforeHighPass) std::copy(x, x + n, copy->beforeHighPass);
    HighPass2Behind(n, x, copy->samples, dtUs / 1e6, copy->cutoffHz, std::round(x[0]), copy->leadCount);
  }
}

void FilterWords(int n, const uint16_t* in, uint16_t* out, float dtUs, bool highPassOn,
                 float highPassHz, bool lowPassOn, float lowPassHz) {
  if (n <= 0) return;
  const int ramp = 4 * FilterLeadIn(dtUs, highPassOn || lowPassOn);
  if (ramp == 0) {
    if (in != out) std::copy(in, in + n, out);
    return;
  }
  float* y = LeadInBuffer(static_cast<size_t>(ramp) + n);
  float* x = y + ramp;
  for (int k = 0; k < n; ++k) x[k] = static_cast<float>(in[k]) - 2048.0f;
  FilterBehindLeadIn(y, ramp, n, dtUs, highPassOn, highPassHz, lowPassOn, lowPassHz, nullptr);
  for (int k = 0; k < n; ++k) {
    const double v = std::min(std::max(static_cast<double>(x[k]), -2048.0) + 2048.0, 65535.0);
    out[k] = static_cast<uint16_t>(v);  // truncation, as the record always had
  }
}

}  // namespace tarnix

#include "processing/picker_stages.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numeric>
#include <utility>

#include "processing/first_motion.h"

namespace tarnix::picker {
namespace {

// The spread that rounding to whole counts leaves in any record, in counts
// squared: a uniform error of up to half a count.
constexpr double kRoundingSpread = 1.0 / 12;

// A forward window this many times the trailing one's energy is an arrival,
// not a swell of the noise.
constexpr double kClearRise = 2.0;

// A first cycle this far above the lead-in before it is an arrival, however
// short that lead-in; noise swells seldom reach it.
constexpr double kPlainArrival = 10.0;

// A first cycle this far above the lead-in, in a wave of a steady period and
// at least kFadedFirst of the later arrivals (kPlainArrival times when
// weaker), is an arrival however much stronger they are: one that fades
// within a cycle and a half stands five to ten times over the noise at 10 dB,
// and a fifth of them; the noise swells that far in a steady wave seldom. A
// swell of a quiet record's noise may stand five times over it, but at a
// hundredth of the later arrivals.
constexpr double kSteadyArrival = 5.0, kFadedFirst = 0.1;

// A first arrival's strongest cycle is weaker than the later arrivals', but
// not by more than this factor; a swell of the noise in a clean record is.
constexpr double kWeakestFirst = 0.25;

// How far over the lead-in the first cycle of a split found on the guard's
// second try must stand; a wave of a steady period may stand lower.
constexpr double kSecondTryAbove = 2.75, kSteadySecondTryAbove = 2.4;

// Periods before k1 beyond which a split found on the guard's second try
// needs this many periods of lead-in.
constexpr double kFarSecondTry = 6.0, kFarLeadIn = 4.5;

// The two halves of a lead-in on a drifting baseline keep its slope to within
// this share of it.
constexpr double kDriftAgreement = 0.25;

// Mean |v| over the first (or last) max(3, window / 10) samples of the range:
// what a window running past that end of the range sees outside it.
double EdgeFill(const std::vector<double>& v, int ks, int ke, int window, bool atStart) {
  const int count = std::min(std::max(3, window / 10), ke - ks + 1);
  double sum = 0;
  for (int i = 0; i < count; ++i) sum += std::fabs(v[atStart ? ks + i : ke - i]);
  return count > 0 ? sum / count : 0.0;
}

// The largest of sign * v[from..to], in four interleaved lanes: a chain of
// comparisons per lane instead of one through the whole record.
double Largest(const double* v, int from, int to, double sign = 1.0) {
  double lane[4] = {sign * v[from], sign * v[from], sign * v[from], sign * v[from]};
  int k = from;
  for (; k + 3 <= to; k += 4) {
    for (int j = 0; j < 4; ++j) lane[j] = std::max(lane[j], sign * v[k + j]);
  }
  for (; k <= to; ++k) lane[0] = std::max(lane[0], sign * v[k]);
  return std::max(std::max(lane[0], lane[1]), std::max(lane[2], lane[3]));
}

// prefix[i - ks] = sum of |v| over [ks, i).
std::vector<double> AbsPrefix(const std::vector<double>& v, int ks, int ke) {
  std::vector<double> p(ke - ks + 2, 0.0);
  double sum = 0.0;  // in a register, not read back from p
  for (int i = ks; i <= ke; ++i) p[i - ks + 1] = sum += std::fabs(v[i]);
  return p;
}

}  // namespace

int DetrendWindow(double f0, double dtUs) {
  const double w = 1e6 / (f0 / 3.0) / dtUs;
  int window = std::isfinite(w) && w < 1e7 ? std::max(1, static_cast<int>(w)) : 1;
  const int h = RoundUp(window / 2.0);
  if (window == 2 * h) ++window;
  return window;
}

namespace {

// Detrend; with a prefix to fill, the running sum of |d| too, a second chain
// of additions that runs beside the running mean's instead of after it.
template <bool kWithPrefix>
std::vector<double> DetrendPass(const std::vector<float>& x, int ks, int ke, int window, double* prefix) {
  std::vector<double> d(x.size(), 0.0);
  double absSum = 0;
  auto keep = [&](int k) {
    if constexpr (kWithPrefix) prefix[k - ks + 1] = absSum += std::fabs(d[k]);
  };
  const int half = (window - 1) / 2;
  const double scale = 1.0 / window;  // a product per sample, not a division
  // Running sum over the window, the series extended by its end samples.
  auto at = [&](int i) { return static_cast<double>(x[std::clamp(i, ks, ke)]); };
  double sum = 0;
  for (int i = ks - half; i <= ks + half; ++i) sum += at(i);
  // Only the ends need the extension; the middle reads x directly.
  const int middleFrom = std::min(ke + 1, ks + half), middleTo = ke - half - 1;
  int k = ks;
  for (; k < middleFrom; ++k) {
    d[k] = x[k] - sum * scale;
    keep(k);
    sum += at(k + half + 1) - at(k - half);
  }
  for (; k <= middleTo; ++k) {
    d[k] = x[k] - sum * scale;
    keep(k);
    sum += static_cast<double>(x[k + half + 1]) - static_cast<double>(x[k - half]);
  }
  for (; k <= ke; ++k) {
    d[k] = x[k] - sum * scale;
    keep(k);
    sum += at(k + half + 1) - at(k - half);
  }
  return d;
}

}  // namespace

std::vector<double> Detrend(const std::vector<float>& x, int ks, int ke, int window) {
  return DetrendPass<false>(x, ks, ke, window, nullptr);
}

Detrended DetrendWithPrefix(const std::vector<float>& x, int ks, int ke, int window) {
  Detrended out;
  out.absPrefix.assign(ke - ks + 2, 0.0);
  out.d = DetrendPass<true>(x, ks, ke, window, out.absPrefix.data());
  return out;
}

HalfCycles FindHalfCycles(const double* v, int from, int to) {
  HalfCycles h;
  if (to <= from) return h;
  // One pass: a noisy record changes sign unpredictably, so instead of
  // branching off at each change, every sample writes its would-be crossing
  // to the next slot, which only advances on a change. The fractional
  // crossings follow from the indices.
  struct Scratch {
    std::vector<int> at, peakIndex;
    std::vector<double> peak;
  };
  thread_local Scratch scratch;
  const size_t slots = static_cast<size_t>(to - from) + 1;
  if (scratch.at.size() < slots) {
    scratch.at.resize(slots);
    scratch.peakIndex.resize(slots);
    scratch.peak.resize(slots);
  }
  int* at = scratch.at.data();
  int* peakAt = scratch.peakIndex.data();
  double* peaks = scratch.peak.data();
  // The half-cycle's first largest |v| so far; a change starts the next one
  // from nothing, so that a zero at the change keeps the index before.
  double peak = std::fabs(v[from]);
  int peakIndex = from;
  bool positive = v[from] >= 0;
  size_t m = 0;
  for (int k = from + 1; k <= to; ++k) {
    const bool sign = v[k] >= 0;
    const bool change = sign != positive;
    at[m] = k;
    peaks[m] = peak;
    peakAt[m] = peakIndex;
    m += change;
    const double a = std::fabs(v[k]);
    const double base = change ? 0.0 : peak;
    const bool higher = a > base;
    peakIndex = higher ? k : peakIndex;
    peak = higher ? a : base;
    positive = sign;
  }
  h.crossing.resize(m);
  for (size_t j = 0; j < m; ++j) h.crossing[j] = at[j] - v[at[j]] / (v[at[j]] - v[at[j] - 1]);
  h.peak.assign(peaks, peaks + m);
  h.peakIndex.assign(peakAt, peakAt + m);
  return h;
}

double DominantFrequency(const HalfCycles& h, int ks, int ke, double dtUs, double f0) {
  const int n = static_cast<int>(h.crossing.size());
  double f = 0;
  bool failed = false;
  if (n == 0) {
    f = 1e6 / (2.0 * (ke - ks) * dtUs);
    failed = true;
  } else if (n == 1) {
    f = 1e6 / ((ke - ks) * dtUs);
    failed = true;
  } else {
    std::vector<double> delta(n, 0.0), power(n, 0.0);
    double meanPower = 0;
    for (int j = 1; j < n; ++j) {
      delta[j] = h.crossing[j] - h.crossing[j - 1];
      power[j] = delta[j] * h.peak[j];
      meanPower += power[j];
    }
    meanPower /= n - 1;
    auto meanDelta = [&](auto keep) {
      double sum = 0;
      int count = 0;
      for (int j = 1; j < n; ++j) {
        if (keep(j)) {
          sum += delta[j];
          ++count;
        }
      }
      return count > 0 ? sum / count : std::nan("");
    };
    auto inS1 = [&](int j) { return power[j] >= meanPower; };
    double meanPeak = 0;
    int s1 = 0;
    for (int j = 1; j < n; ++j) {
      if (inS1(j)) {
        meanPeak += h.peak[j];
        ++s1;
      }
    }
    meanPeak /= std::max(s1, 1);
    auto inS2 = [&](int j) { return inS1(j) && h.peak[j] >= meanPeak; };
    int s2 = 0;
    for (int j = 1; j < n; ++j) s2 += inS2(j) ? 1 : 0;
    double half;
    if (s1 == 0) {
      half = meanDelta([](int) { return true; });
    } else if (s2 < 2) {
      half = meanDelta(inS1);
    } else {
      const double m = meanDelta(inS2);
      double var = 0;
      for (int j = 1; j < n; ++j) {
        if (inS2(j)) var += (delta[j] - m) * (delta[j] - m);
      }
      const double sigma = std::sqrt(var / (s2 - 1));
      auto inS3 = [&](int j) { return inS2(j) && delta[j] >= m - 2 * sigma && delta[j] < m + 2 * sigma; };
      half = meanDelta(inS3);
      if (std::isnan(half)) half = meanDelta([&](int j) { return inS1(j) && h.peak[j] > meanPeak; });
    }
    f = s1 == 0 ? 1e6 / std::max(0.001, 2 * half * dtUs) : 1e6 / (2 * half * dtUs);
  }
  if (failed || !std::isfinite(f) || f < f0 / 1.6 || f > 1.6 * f0) return f0;
  return f;
}

namespace {

// The two windows over one prefix of |v|.
std::vector<double> TrailingMeanAbs(const std::vector<double>& v, const std::vector<double>& p, int ks, int ke,
                                    int window) {
  std::vector<double> out(v.size(), 0.0);
  const double fill = EdgeFill(v, ks, ke, window, true);
  // Past the start the window is part fill; after it, a plain difference the
  // compiler vectorises.
  const double scale = 1.0 / window;
  const int whole = std::min(ke + 1, ks + window - 1);
  for (int k = ks; k < whole; ++k) {
    const int first = k - window + 1;
    out[k] = (p[k - ks + 1] - p[0] + (ks - first) * fill) * scale;
  }
  for (int k = whole; k <= ke; ++k) out[k] = (p[k - ks + 1] - p[k - window + 1 - ks]) * scale;
  return out;
}

std::vector<double> ForwardMeanAbs(const std::vector<double>& v, const std::vector<double>& p, int ks, int ke,
                                   int window) {
  std::vector<double> out(v.size(), 0.0);
  const double fill = EdgeFill(v, ks, ke, window, false);
  const double scale = 1.0 / window;
  const int whole = std::max(ks, ke - window + 2);  // the first window that runs past the end
  for (int k = ks; k < whole; ++k) out[k] = (p[k + window - ks] - p[k - ks]) * scale;
  for (int k = whole; k <= ke; ++k) {
    const int last = k + window - 1;
    out[k] = (p[ke - ks + 1] - p[k - ks] + (last - ke) * fill) * scale;
  }
  return out;
}

}  // namespace

std::vector<double> TrailingMeanAbs(const std::vector<double>& v, int ks, int ke, int window) {
  return TrailingMeanAbs(v, AbsPrefix(v, ks, ke), ks, ke, window);
}

std::vector<double> ForwardMeanAbs(const std::vector<double>& v, int ks, int ke, int window) {
  return ForwardMeanAbs(v, AbsPrefix(v, ks, ke), ks, ke, window);
}

OnsetRatio ComputeOnsetRatio(const std::vector<double>& d, int ks, int ke, double period) {
  return ComputeOnsetRatio(d, AbsPrefix(d, ks, ke), ks, ke, period);
}

OnsetRatio ComputeOnsetRatio(const std::vector<double>& d, std::vector<double> absPrefix, int ks, int ke,
                             double period) {
  OnsetRatio r;
  r.absPrefix = std::move(absPrefix);
  const std::vector<double>& p = r.absPrefix;
  r.before = TrailingMeanAbs(d, p, ks, ke, std::max(1, RoundUp(2 * period)));
  r.after = ForwardMeanAbs(d, p, ks, ke, std::max(1, RoundUp(period)));
  const std::vector<double>& before = r.before;
  const std::vector<double>& after = r.after;
  double hi = Largest(before.data(), ks, ke), lo = -Largest(before.data(), ks, ke, -1.0);
  if (hi < 1e-7) {
    lo = hi;
    r.contrast = 1.0;
  } else {
    lo = std::max(lo, 0.01 * hi);
    r.contrast = hi / lo;
  }
  lo = std::max(lo, 1e-12);
  r.ratio.assign(d.size(), 0.0);
  // The ratio and its largest value in passes the compiler can vectorise; the
  // first index of that value in a short search.
  double* ratio = r.ratio.data();
  for (int k = ks; k <= ke; ++k) ratio[k] = after[k] / std::max(before[k], lo);
  const double largest = Largest(ratio, ks, ke);
  r.k1 = static_cast<int>(std::find(ratio + ks, ratio + ke + 1, largest) - ratio);
  if (r.k1 > ke) r.k1 = ks;  // no largest in a record that holds no number
  r.rMax = largest;
  return r;
}

bool LeaveRecordStart(const std::vector<float>& x, const OnsetRatio& onset, int ks, int ke, double period, int& k1,
                      double& rMax) {
  const int from = ks + RoundUp(2 * period);
  if (k1 - ks >= period || from > ke) return false;
  const double* ratio = onset.ratio.data();
  const int best = static_cast<int>(std::max_element(ratio + from, ratio + ke + 1) - ratio);
  if (ratio[best] < kClearRise) return false;
  // An arrival close to the start, plain against what comes before it (up
  // to a quarter period before k1, which the forward window puts late)
  // stays, unless far weaker than the later rise (noise rising from a silent
  // start is). Read on x: the detrending spreads a slow arrival over the
  // short lead-in.
  const int lead = k1 - ks - RoundUp(period / 4);
  const int cycleEnd = std::min(ke, k1 + RoundUp(period));
  if (lead >= 8 && onset.after[k1] >= kWeakestFirst * onset.after[best]) {
    double level = 0, leadIn = 0, cycle = 0;
    for (int i = ks; i < ks + lead; ++i) level += x[i];
    level /= lead;
    for (int i = ks; i < ks + lead; ++i) leadIn += std::fabs(x[i] - level);
    for (int i = k1; i <= cycleEnd; ++i) cycle += std::fabs(x[i] - level);
    if (cycle / (cycleEnd - k1 + 1) >= kPlainArrival * leadIn / lead) return false;
  }
  k1 = best;
  rMax = ratio[best];
  return true;
}

namespace {

// Energy over each of three half periods in a row must stand this far above
// the lead-in's: band-limited noise swells now and then, but seldom for a
// cycle and a half.
constexpr double kGuardFactor = 3.5;

// A first cycle this far above the lead-in's noise and above all of the
// noise's earlier swells is an arrival.
constexpr double kRecordCycle = 3.0;

// An energy onset whose first cycle stands less far than this above the
// lead-in's noise may be a swell of the noise.
constexpr double kSwellAtMost = 2.6;

// A cycle this far above the lead-in's noise is more than noise swells to.
constexpr double kEarlierEnergy = 2.75;

// A first cycle this far above a lead-in shorter than two periods is an
// arrival: so short a lead-in may catch the noise at its quietest, but seldom
// that quiet.
constexpr double kPlainNearStart = 30.0;

// The side of a dead band about zero that v lies on: 1, -1, or 0 within it.
int Side(double v, double deadBand) { return v > deadBand ? 1 : v < -deadBand ? -1 : 0; }

// Sign changes of d over [from, to) that pass a dead band on either side.
int SignChanges(const std::vector<double>& d, int from, int to, double deadBand) {
  int changes = 0, sign = 0;
  for (int i = from; i < to; ++i) {
    const int s = Side(d[i], deadBand);
    if (s != 0 && s != sign) {
      if (sign != 0) ++changes;
      sign = s;
    }
  }
  return changes;
}

// Whether x over [ks, k) crosses its own line on at least a third of its
// samples, sixteen at least: noise far broader than the arrivals' band, of
// which even a lead-in shorter than two periods holds plenty to measure.
bool ManySamplesOfNoise(const std::vector<float>& x, int ks, int k) {
  if (k - ks < 16) return false;
  const NoiseModel line = FitLine(x, ks, k - 1);
  int changes = 0;
  bool above = x[ks] > line.intercept + line.slope * ks;
  for (int i = ks + 1; i < k; ++i) {
    const bool now = x[i] > line.intercept + line.slope * i;
    changes += now != above;
    above = now;
  }
  return changes >= 16 && 3 * changes >= k - ks;
}

// A burst of broadband noise (a knock, interference), however strong,
// changes sign outside twice the noise more than eight times over the cycle
// and a half from `from` (up to `last`); a wave of the period, noise riding on
// it, does not. Over a cycle, a burst that a start found a little early, or
// whose noise toggles slowly, stayed under eight.
bool Broadband(const std::vector<double>& d, int from, int last, int half, double noise) {
  return SignChanges(d, from, std::min(last, from + 3 * half), 2 * noise) > 8;
}

// Half-cycles of an arrival near the dominant period: one cycle holds one to
// four sign changes once the noise is kept out by a dead band, `most` over
// the stretch. Noise bursts toggle far more often; a spike leaves no second
// half-cycle to persist.
bool CoherentCycle(const std::vector<double>& d, int from, int to, double deadBand, int most = 4) {
  const int changes = SignChanges(d, from, to, deadBand);
  return changes >= 1 && changes <= most;
}

// The lead-in's noise before k: the lower third of its trailing windows (every
// stride-th), which a weak arrival before k does not reach.
double LeadInNoise(const OnsetRatio& onset, int ks, int k, int stride) {
  std::vector<double> lead;
  lead.reserve((k - ks) / stride + 1);
  for (int i = ks; i <= k; i += stride) lead.push_back(onset.before[i]);
  std::nth_element(lead.begin(), lead.begin() + lead.size() / 3, lead.end());
  return lead[lead.size() / 3];
}

// The level of the arrival at k1: the strongest cycle of its first four.
double ArrivalLevel(const OnsetRatio& onset, int k1, int half) {
  const int last = static_cast<int>(onset.after.size()) - 1;
  return k1 > last ? 0.0 : Largest(onset.after.data(), k1, std::min(last, k1 + 8 * half));
}

// Whether the cycle from k stands out as an arrival's: well above the noise,
// half as high again as `base`, and coherent.
bool CycleStandsOut(const OnsetRatio& onset, const std::vector<double>& d, int k, int half, double noise, double base) {
  return onset.after[k] >= kRecordCycle * noise && onset.after[k] >= 1.5 * base &&
         CoherentCycle(d, k, k + 2 * half, noise);
}

// An arrival starts within half a period of where its first full cycle
// stands out, k; there the ratio of forward to trailing energy peaks, the
// trailing energy taken as at least the noise. Searched within [ks, last].
int ArrivalStart(const OnsetRatio& onset, int ks, int last, int k, int half, double noise) {
  int best = k;
  double bestRatio = -1;
  for (int i = std::max(ks, k - half); i <= std::min(last, k + half); ++i) {
    const double ratio = onset.after[i] / std::max(onset.before[i], noise);
    if (ratio > bestRatio) {
      bestRatio = ratio;
      best = i;
    }
  }
  return best;
}

// The earliest place where the signal rises well above the quiet lead-in for
// a cycle and a half, found by scanning; failing that, the earliest where a
// cycle stands well above the noise for a period and half as high again as
// every cycle of the two periods or more of lead-in before it. A sharp first
// arrival may fade within a cycle and a half; the noise swells now and then,
// but seldom far beyond all its earlier swells.
bool ScanForEarlierArrival(const std::vector<double>& d, const OnsetRatio& onset, int ks, double period, int& k1,
                           double& rMax) {
  const int half = std::max(2, RoundUp(period / 2));
  const int last = k1 - RoundUp(period) - 3 * half;  // an onset within a period of k1 is k1's own arrival
  if (last < ks || onset.after.empty()) return false;
  // A silent lead-in is measured against the arrival at k1 instead, so that
  // rounding never counts.
  const double noise = std::max(LeadInNoise(onset, ks, k1, 1), onset.after[k1] * 0.005);
  if (!(noise > 0)) return false;
  const std::vector<double>& p = onset.absPrefix;
  auto mean = [&](int from) { return (p[from + half - ks] - p[from - ks]) / half; };
  auto startNear = [&](int k) {
    k1 = ArrivalStart(onset, ks, k1, k, half, noise);
    rMax = onset.ratio[k1];
    return true;
  };
  // A rise needs the quiet before it: a burst that the record starts in (the
  // transmitter's crosstalk) is none.
  const double level = kGuardFactor * noise;
  for (int k = ks + half; k <= last; ++k) {
    if (mean(k) >= level && mean(k + half) >= level && mean(k + 2 * half) >= level && mean(k - half) < level &&
        CoherentCycle(d, k, k + 2 * half, noise)) {
      return startNear(k);
    }
  }
  const int cycle = std::max(1, RoundUp(period));
  const int from = ks + 2 * cycle;
  double earlier = 0;  // the strongest cycle up to a period before k
  for (int i = ks; i < from - cycle; ++i) earlier = std::max(earlier, onset.after[i]);
  for (int k = from; k <= last; ++k) {
    earlier = std::max(earlier, onset.after[k - cycle]);
    if (mean(k) >= 2 * noise && mean(k + half) >= 2 * noise && CycleStandsOut(onset, d, k, half, noise, earlier)) {
      return startNear(k);
    }
  }
  return false;
}

// Whether e from `from` holds a wave of a steady period: of its first three
// lobes outside the dead band (looked for up to `to`, over four periods at
// most), the second and third about as wide, and the first, cut by `from`,
// not wider. A burst of broadband noise crosses at random. Three periods
// left the third lobe of a 15 kHz arrival open when the period estimated
// for the record fell back to the nominal one, half the arrival's.
bool SteadyWave(const std::vector<double>& e, int from, int to, int half, double band) {
  const std::vector<Lobe> lobes = Lobes(e, from, std::min(to, from + 8 * half), band);
  if (lobes.size() < 3) return false;
  const double w1 = lobes[1].Width(), w2 = lobes[2].Width();
  return std::min(w1, w2) > 0 && std::max(w1, w2) <= 1.5 * std::min(w1, w2) &&
         lobes[0].Width() <= 1.6 * std::max(w1, w2);
}

// The sample after a burst's last quick sign change (outside the dead band,
// within a quarter period of the one before), once a cycle has passed without
// another; -1 while the burst still toggles at `limit`.
int PastBurst(const std::vector<double>& d, int from, int limit, double period, double deadBand) {
  const int quarter = std::max(1, RoundUp(period / 4)), cycle = std::max(1, RoundUp(period));
  int lastChange = -1, lastQuick = from, sign = 0;
  for (int i = from; i <= limit; ++i) {
    if (i - lastQuick > cycle) return lastQuick + 1;
    const int s = Side(d[i], deadBand);
    if (s == 0 || s == sign) continue;
    if (sign != 0) {
      if (lastChange >= 0 && i - lastChange < quarter) lastQuick = i;
      lastChange = i;
    }
    sign = s;
  }
  return -1;
}

double MeanAbs(const std::vector<double>& d, int from, int to) {
  double sum = 0;
  for (int i = from; i <= to; ++i) sum += std::fabs(d[i]);
  return to >= from ? sum / (to - from + 1) : 0.0;
}

}  // namespace

template <typename T>
int AicOnset(const T* v, int from, int to, int step) {
  const int n = to - from + 1;
  if (n < 6) return from;
  // Prefix sums of x, x^2, i x (i local), so that each part's spread about its
  // own straight line comes in constant time: offsets and slow drifts are no
  // signal.
  // One allocation holds the three sums and, after them, both parts' spreads
  // at every split (below); every entry is written before it is read: no
  // need to clear it first.
  step = std::max(1, step);
  const int splits = (n - 6) / step + 1;  // k = 3, 3 + step, ... up to n - 3
  const auto buffer = std::make_unique_for_overwrite<double[]>(3 * static_cast<size_t>(n) + 3 + 2 * splits);
  double *s = buffer.get(), *q = s + n + 1, *p = q + n + 1;
  // The running sums held in registers: read back from the arrays, each
  // step would wait on the store before.
  double sumX = 0.0, sumXX = 0.0, sumIX = 0.0;
  s[0] = q[0] = p[0] = 0.0;
  for (int i = 0; i < n; ++i) {
    const double x = v[from + i];
    s[i + 1] = sumX += x;
    q[i + 1] = sumXX += x * x;
    p[i + 1] = sumIX += i * x;
  }
  auto spread = [&](int a, int b) {  // residual variance over [a, b)
    const double m = b - a, inverse = 1.0 / m;
    const double st = (a + b - 1) * m / 2;
    const double stt = ((b - 1.0) * b * (2.0 * b - 1) - (a - 1.0) * a * (2.0 * a - 1)) / 6;
    const double sx = s[b] - s[a], sxx = q[b] - q[a], stx = p[b] - p[a];
    const double vt = stt - st * st * inverse, cx = stx - st * sx * inverse;
    // Divided by a safe number where the line takes nothing off, so that
    // the loop below does not branch around the division.
    const double fit = cx * cx / (vt > 0 ? vt : 1.0);
    const double ss = vt > 0 ? sxx - sx * sx * inverse - fit : sxx - sx * sx * inverse;
    return std::max(ss, 0.0) * inverse;
  };
  // A floor on the spread keeps a silent part finite; relative to the whole,
  // so that the criterion does not depend on the scale, and never below the
  // converter's rounding (a twelfth of a count squared): a quiet lead-in
  // rounded flat, but for a step or two, split at a step rather than where
  // a weak arrival rose.
  const double floor = std::max(kRoundingSpread, 1e-12 + 1e-9 * spread(0, n));
  // Both parts' spreads at every split first, in a loop without calls or a
  // branch around the division, where the splits overlap one another; the
  // logarithms after. Single precision is plenty for where the minimum lies,
  // and twice as fast; a double holds each float exactly.
  double *early = p + n + 1, *late = early + splits;
  for (int j = 0; j < splits; ++j) {
    const int k = 3 + j * step;
    early[j] = static_cast<float>(std::max(floor, spread(0, k)));
    late[j] = static_cast<float>(std::max(floor, spread(k, n)));
  }
  int best = 3;
  double lowest = std::numeric_limits<double>::infinity();
  for (int j = 0; j < splits; ++j) {
    const int k = 3 + j * step;
    const double aic =
        k * std::log(static_cast<float>(early[j])) + (n - k) * std::log(static_cast<float>(late[j]));
    if (aic < lowest) {
      lowest = aic;
      best = k;
    }
  }
  return from + best;
}
template int AicOnset<double>(const double*, int, int, int);
template int AicOnset<float>(const float*, int, int, int);

bool SpikeAt(const std::vector<float>& x, int ks, int from, int to, int period) {
  const int lead = std::max(ks, from - period);
  to = std::min<int>(to, static_cast<int>(x.size()));
  if (from <= lead || to <= from) return false;
  double level = 0;
  for (int i = lead; i < from; ++i) level += x[i];
  level /= from - lead;
  double total = 0, top[3] = {0, 0, 0};
  for (int i = from; i < to; ++i) {
    const double v = std::fabs(x[i] - level);
    total += v;
    if (v > top[2]) {
      top[2] = v;
      if (top[2] > top[1]) std::swap(top[1], top[2]);
      if (top[1] > top[0]) std::swap(top[0], top[1]);
    }
  }
  return top[0] + top[1] + top[2] > 0.5 * total;
}

std::vector<float> WithoutSpikes(const std::vector<float>& x, int ks, int ke) {
  std::vector<float> out(x);
  for (int i = ks + 6; i + 7 <= ke; ++i) {
    for (int w = 1; w <= 2; ++w) {
      // The largest step among five samples on either side, or the rounding's.
      double step = 2.0;
      for (int j = i - 5; j <= i - 1; ++j) step = std::max(step, static_cast<double>(std::fabs(out[j] - out[j - 1])));
      for (int j = i + w + 1; j <= i + w + 5; ++j) {
        step = std::max(step, static_cast<double>(std::fabs(out[j] - out[j - 1])));
      }
      const double left = out[i - 1], right = out[i + w];
      auto line = [&](int k) { return left + (right - left) * (k - i + 1) / (w + 1); };
      bool spike = true;
      double sign = 0;
      for (int k = i; k < i + w && spike; ++k) {
        const double off = out[k] - line(k);
        spike = std::fabs(off) > 6 * step && off * sign >= 0;
        sign = off;
      }
      if (!spike) continue;
      for (int k = i; k < i + w; ++k) out[k] = static_cast<float>(line(k));
      i += w;
      break;
    }
  }
  return out;
}

bool GuardEarlierArrival(const std::vector<float>& x, const std::vector<double>& d, const OnsetRatio& onset, int ks,
                         double period, int& k1, double& rMax, const Unsmoothed& raw) {
  const int half = std::max(2, RoundUp(period / 2));
  const int last = static_cast<int>(onset.ratio.size()) - 1;
  const double later = ArrivalLevel(onset, k1, half);
  // Bursts are told on the record as it came, against its own lead-in noise.
  auto burstAt = [&](int k) { return Broadband(raw.Or(d), k, last, half, LeadInNoise(raw.Or(onset), ks, k, 1)); };
  // Where the record up to k1's first cycle splits best into noise and
  // signal; when that is k1's own arrival, where the record before it does.
  // A sixth of a period is close enough for a k1 that only frames the search.
  // Both are read on a lightly smoothed copy, on which white noise far above
  // the arrivals' band no longer hides a weak first arrival's rise.
  int end = std::min(last, k1 + 2 * half);
  const std::vector<double> xs =
      Smoothed(std::vector<double>(x.begin(), x.end()), ks, end, std::max(1, static_cast<int>(0.1 * period)));
  for (int attempt = 0; attempt < 2 && end - ks > 4 * half; ++attempt) {
    const int k = AicOnset(xs.data(), ks, end, std::max(2, half / 3));
    // The lead-in must hold two periods of noise to measure the rise against,
    // unless its noise is broadband, whose samples are each nearly a measure
    // of their own; a record whose noise swells up from its very start has
    // none. Half a period (eight samples at least) will do for a first cycle
    // kPlainNearStart times above it: an arrival close to the record's start
    // in a clean record, which the two periods' rule left to the later,
    // stronger arrival.
    const bool underTwoPeriods = k - ks < 4 * half;
    const bool broadband = underTwoPeriods && ManySamplesOfNoise(raw.Or(x), ks, k);
    const bool shortLead = underTwoPeriods && !broadband;
    if (k < k1 - half && k - ks >= std::max(half, 8) && k + 2 * half - 1 <= last) {
      // Measured about the lead-in's own line, which nothing after k leaks into.
      const NoiseModel line = FitLine(xs, ks, k - 1);
      const int until = std::max(k + 2 * half, k1);
      // The residual is kept only for a split whose first cycle stands out:
      // most fail on it.
      auto residual = [&](int i) { return xs[i] - line.slope * i - line.intercept; };
      auto meanAbs = [&](int from, int to) {
        double sum = 0;
        for (int i = from; i <= to; ++i) sum += std::fabs(residual(i));
        return sum / (to - from + 1);
      };
      const double noise = meanAbs(ks, k - 1);
      const double firstCycle = meanAbs(k, k + 2 * half - 1);
      // Twice the lead-in over the first cycle, and both its half periods well
      // above it: a spike is over in one. A third is not asked for: the period
      // estimated from the whole record is the later arrivals', often much
      // longer, and a sharp first arrival has faded by then. The arrival lasts
      // until k1, its own line apart, so that a drift is none. Its crossings
      // are counted outside twice the lead-in's level, where noise riding on
      // the arrival no longer flips the sign, over two periods (up to k1): an
      // arrival slower than the estimated period may not cross that level
      // within one.
      // A split found on the second try, in the record before the first, is
      // more often a swell of the noise: its first cycle must stand higher.
      // Less so for a wave of a steady period over four periods of lead-in
      // and no more than seven before k1: a swell seldom keeps the period,
      // and a first arrival the shear follows that closely stands low.
      const bool steadyMayDo = attempt == 1 && !shortLead && k - ks >= 4 * period && k1 - k <= 7 * period;
      const double secondTryAbove = steadyMayDo ? kSteadySecondTryAbove : kSecondTryAbove;
      const double firstAbove = shortLead ? kPlainNearStart : attempt == 0 ? 2.0 : secondTryAbove;
      // Far from k1 on a lead-in of a few periods, it does not pass at all: no
      // later arrival close behind explains why it stands low, and the few
      // cycles of noise before it seldom show a swell of theirs for one.
      // Under two periods of broadband noise hold samples enough to tell.
      const bool farOnShortLead = attempt == 1 && k1 - k > kFarSecondTry * period &&
                                  k - ks < kFarLeadIn * period && !broadband;
      bool rises = noise > 0 && !farOnShortLead && firstCycle >= firstAbove * noise;
      std::vector<double> e;
      if (rises) {
        e.assign(until, 0.0);
        for (int i = ks; i < until; ++i) e[i] = residual(i);
        double strongest = 0;
        for (int i = k; i <= std::max(k, k1 - 2 * half); ++i) strongest = std::max(strongest, onset.after[i]);
        // A first arrival that dies away before a far stronger one may stand
        // below kWeakestFirst of it: well above the lead-in (see
        // kSteadyArrival) and a wave of a steady period, it is neither a swell
        // of the noise nor a burst.
        auto steady = [&] { return SteadyWave(e, k, until - 1, half, 2 * noise); };
        const bool mustBeSteady = steadyMayDo && firstCycle < kSecondTryAbove * noise;
        auto fadedButPlain = [&] {
          const double above = strongest >= kFadedFirst * later ? kSteadyArrival : kPlainArrival;
          return firstCycle >= above * noise && steady();
        };
        rises = (strongest >= kWeakestFirst * later || fadedButPlain()) && (!mustBeSteady || steady());
      }
      for (int j = 0; j < 2 && rises; ++j) rises = MeanAbs(e, k + j * half, k + (j + 1) * half - 1) >= 1.5 * noise;
      rises = rises && FitLine(xs, k, k1 - 1).sigma >= 1.5 * line.sigma;
      // Nor a burst of broadband noise, told on the record itself: smoothing
      // slows its toggling down.
      if (rises && CoherentCycle(e, k, std::min(until, k + 4 * half), 2 * noise, 8) &&
          !burstAt(k) &&
          !SpikeAt(raw.Or(x), ks, k, k + 3 * half, 2 * half)) {
        k1 = k;
        rMax = onset.ratio[k];
        return true;
      }
    }
    end = std::min(k, k1) - half;
  }
  int k = k1;
  double r = rMax;
  if (!ScanForEarlierArrival(d, onset, ks, period, k, r) || MeanAbs(d, k, k + 2 * half - 1) < kWeakestFirst * later ||
      burstAt(k) ||
      SpikeAt(raw.Or(x), ks, k, k + 3 * half, 2 * half)) {
    return false;
  }
  k1 = k;
  rMax = r;
  return true;
}

bool LeaveNoiseSwell(const std::vector<double>& d, const OnsetRatio& onset, int ks, int ke, double period, int& k1,
                     double& rMax, const Unsmoothed& raw) {
  const int cycle = std::max(1, RoundUp(period));
  const int half = std::max(2, RoundUp(period / 2));
  // Two periods of lead-in measure the noise that k1 may be a swell of; half
  // a period (eight samples at least) will do to tell a burst of broadband
  // noise, which toggles far faster than any noise.
  if (k1 - ks < std::max(half, 8)) return false;
  const bool shortLead = k1 - ks < 2 * cycle;
  const double noise = LeadInNoise(onset, ks, k1, shortLead ? 1 : half);
  if (!(noise > 0)) return false;
  // A lead-in that dies away (the transmitter's crosstalk ringing down) is no
  // noise that k1 could be a swell of: its early half stands well above its
  // late half.
  const std::vector<double>& p = onset.absPrefix;
  const int quiet = k1 - half, middle = (ks + quiet) / 2;
  if (middle > ks && quiet > middle &&
      (p[middle - ks] - p[0]) / (middle - ks) > 3 * (p[quiet - ks] - p[middle - ks]) / (quiet - middle)) {
    return false;
  }
  double swell = 0;  // the strongest cycle starting within half a period of k1
  for (int i = k1; i <= std::min(ke, k1 + half); ++i) swell = std::max(swell, onset.after[i]);
  const double rawNoise = raw.onset ? LeadInNoise(*raw.onset, ks, k1, shortLead ? 1 : half) : noise;
  const std::vector<double>& asCame = raw.Or(d);
  const bool burst = Broadband(asCame, k1, ke, half, rawNoise);
  if ((shortLead || swell >= kSwellAtMost * noise) && !burst) return false;
  // Back down to twice the noise within eight periods, or past a burst's
  // last quick sign change: an arrival may follow a burst too closely for
  // the energy to fall back in between...
  const int limit = std::min(ke - cycle, k1 + 8 * cycle);
  int k = burst ? PastBurst(asCame, k1, limit, period, 2 * rawNoise) : k1 + cycle;
  while (!burst && k <= limit && onset.after[k] > 2 * noise) ++k;
  if (k < 0 || k > limit) return false;
  // ...then a coherent cycle well above the noise, and half as high again as
  // a swell's. A burst's last slower swings still fill the window of a cycle
  // from its last quick change, so that the search starts half a period on,
  // and the arrival's start is never looked for before that change. It
  // reads the record as it came too: smoothed, a swell of white noise passes
  // for a coherent cycle.
  const int from = burst ? k : ks;
  if (burst) k += half;
  const OnsetRatio& read = burst ? raw.Or(onset) : onset;
  const std::vector<double>& readD = burst ? asCame : d;
  const double level = burst ? rawNoise : noise;
  while (k <= ke - cycle && !CycleStandsOut(read, readD, k, half, level, burst ? 0.0 : swell)) ++k;
  if (k > ke - cycle) return false;
  k1 = ArrivalStart(read, from, ke, k, half, level);
  rMax = onset.ratio[k1];
  return true;
}

EnergyAround EnergyAroundPick(const OnsetRatio& onset, int ks, int pick, int k1, double period, int reach) {
  EnergyAround out;
  const int lastWindow = static_cast<int>(onset.after.size()) - 1;
  const int half = std::max(1, RoundUp(period / 2));
  pick = std::clamp(pick, ks, lastWindow);
  const double own = onset.after[pick];
  const double noise = LeadInNoise(onset, ks, pick, half);
  out.overNoise = noise > 0 ? own / noise : 0.0;
  out.laterAgainstPick = own > 0 ? ArrivalLevel(onset, std::clamp(k1, ks, lastWindow), half) / own : 0.0;
  out.leadPeriods = (k1 - ks) / period;
  const int last = pick - RoundUp(period) - reach;
  if (last - ks < RoundUp(2 * period)) return out;
  const double strongest = Largest(onset.after.data(), ks, last);
  // An arrival passed over is not far weaker than the pick's: in a clean
  // record, the faintest wander stands well above the noise.
  out.aboveNoise = strongest > kEarlierEnergy * noise && strongest >= kWeakestFirst * own;
  out.againstPick = own > 0 ? strongest / own : 0.0;
  return out;
}

template <typename T>
NoiseModel FitLine(const std::vector<T>& x, int s0, int s1) {
  NoiseModel m;
  const double n = s1 - s0 + 1;
  double si = 0, sx = 0, six = 0, sii = 0;
  for (int i = s0; i <= s1; ++i) {
    si += i;
    sx += x[i];
    six += static_cast<double>(i) * x[i];
    sii += static_cast<double>(i) * i;
  }
  const double den = n * sii - si * si;
  m.slope = std::fabs(den) > 1e-6 ? (n * six - si * sx) / den : 1e10;
  m.intercept = (sx - m.slope * si) / n;
  double ss = 0;
  for (int i = s0; i <= s1; ++i) {
    const double e = x[i] - m.slope * i - m.intercept;
    ss += e * e;
  }
  m.sigma = std::sqrt(ss / n);
  return m;
}
template NoiseModel FitLine<float>(const std::vector<float>&, int, int);
template NoiseModel FitLine<double>(const std::vector<double>&, int, int);

double LeadInDrift(const std::vector<float>& x, int ks, int end, double period) {
  if (!(end - ks > 2 * period)) return 0.0;
  // Over t = 0 .. n - 1 from a stretch's first sample, the sums of t and t²
  // are known; only those of x and t x are taken, in one pass per half.
  struct Sums {
    double n = 0, sx = 0, stx = 0;
    double Slope() const {
      const double st = n * (n - 1) / 2, stt = (n - 1) * n * (2 * n - 1) / 6, den = n * stt - st * st;
      return den > 0 ? (n * stx - st * sx) / den : 0.0;
    }
  };
  auto sums = [&](int from, int to) {
    Sums s;
    s.n = to - from + 1;
    for (int i = from; i <= to; ++i) {
      s.sx += x[i];
      s.stx += static_cast<double>(i - from) * x[i];
    }
    return s;
  };
  const int mid = ks + (end - ks) / 2;
  const Sums first = sums(ks, mid), second = sums(mid + 1, end);
  const Sums whole{first.n + second.n, first.sx + second.sx, first.stx + second.stx + first.n * second.sx};
  const double slope = whole.Slope();
  return std::fabs(first.Slope() - second.Slope()) <= kDriftAgreement * std::fabs(slope) ? slope : 0.0;
}

namespace {

// Mean and population deviation of a short window; the line is flat.
NoiseModel FlatNoise(const std::vector<float>& x, int s0, int s1) {
  NoiseModel m;
  const int n = s1 - s0 + 1;
  double sum = 0;
  for (int i = s0; i <= s1; ++i) sum += x[i];
  m.intercept = sum / n;
  double ss = 0;
  for (int i = s0; i <= s1; ++i) ss += (x[i] - m.intercept) * (x[i] - m.intercept);
  m.sigma = std::sqrt(ss / n);
  return m;
}

// Among sub-windows sliding over a long quiet lead, the one that is both quiet
// and flat: the smallest sum of its rank by noise level and by slope.
NoiseModel QuietestSubWindow(const std::vector<float>& x, int start, int end, double period) {
  const int len = end - start;
  const int w = std::max(7, static_cast<int>(period * std::max(1.5, len / period - 0.5)));
  if (w >= len + 1) return FitLine(x, start, end);
  const int positions = len - w + 1;
  std::vector<int> starts;
  if (positions > 16) {
    for (int j = 0; j < 16; ++j) starts.push_back(start + j * (positions / 16));
  } else {
    for (int j = 0; j < positions; ++j) starts.push_back(start + j);
  }
  starts.erase(std::remove_if(starts.begin(), starts.end(), [&](int s) { return s > end - w; }), starts.end());
  // Each position's line from prefix sums over the window, not a pass of its own.
  const int count0 = end - start + 1;
  std::vector<double> sx(count0 + 1, 0.0), six(count0 + 1, 0.0), sxx(count0 + 1, 0.0);
  double sumX = 0.0, sumIX = 0.0, sumXX = 0.0;  // in registers, not read back
  for (int i = 0; i < count0; ++i) {
    const double v = x[start + i];
    sx[i + 1] = sumX += v;
    six[i + 1] = sumIX += static_cast<double>(start + i) * v;
    sxx[i + 1] = sumXX += v * v;
  }
  std::vector<NoiseModel> fits;
  for (int s : starts) {
    const int a = s - start, b = s + w - start + 1;  // [a, b) local
    const double n = b - a;
    const double i0 = s, i1 = s + w;
    const double si = (i0 + i1) * n / 2;
    const double sii = (i1 * (i1 + 1) * (2 * i1 + 1) - (i0 - 1) * i0 * (2 * i0 - 1)) / 6;
    const double sumX = sx[b] - sx[a], sumIX = six[b] - six[a], sumXX = sxx[b] - sxx[a];
    NoiseModel m;
    const double den = n * sii - si * si;
    m.slope = std::fabs(den) > 1e-6 ? (n * sumIX - si * sumX) / den : 1e10;
    m.intercept = (sumX - m.slope * si) / n;
    const double ss = sumXX - 2 * m.slope * sumIX - 2 * m.intercept * sumX + m.slope * m.slope * sii +
                      2 * m.slope * m.intercept * si + n * m.intercept * m.intercept;
    m.sigma = std::sqrt(std::max(0.0, ss) / n);
    fits.push_back(m);
  }
  const int count = static_cast<int>(fits.size());
  auto ranks = [&](auto key) {
    std::vector<int> order(count), rank(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(fits[a]) < key(fits[b]); });
    for (int r = 0; r < count; ++r) rank[order[r]] = r;
    return rank;
  };
  const std::vector<int> bySigma = ranks([](const NoiseModel& m) { return m.sigma; });
  const std::vector<int> bySlope = ranks([](const NoiseModel& m) { return std::fabs(m.slope); });
  int best = 0;
  for (int j = 1; j < count; ++j) {
    if (bySigma[j] + bySlope[j] < bySigma[best] + bySlope[best]) best = j;
  }
  return fits[best];
}

// Length of the long-lead window in periods, by period and contrast.
double LeadFactor(double period, double contrast) {
  static const double table[5][3] = {{5, 4.5, 4}, {4.5, 4.0, 3.5}, {4, 3.5, 3}, {3.5, 3.0, 2.5}, {3, 2.5, 2}};
  const int row = period < 5 ? 0 : period < 9 ? 1 : period < 13 ? 2 : period < 17 ? 3 : 4;
  const int column = contrast <= 15 ? 0 : contrast <= 30 ? 1 : 2;
  return table[row][column];
}

}  // namespace

NoiseModel MeasureNoise(const std::vector<float>& x, int ks, int k1, double period, double contrast) {
  const int d = k1 - ks;
  const int ke = static_cast<int>(x.size()) - 1;
  const int roundPeriod = std::max(1, RoundUp(period));
  int start = ks, end = ks;
  bool longLead = false;
  if (d >= 31 && d > 2 * period && d / roundPeriod >= 2) {
    longLead = true;
    end = period < 10 ? k1 - 5 : static_cast<int>(k1 + 0.5 - period / 2);
    start = std::max(ks, static_cast<int>(end + 0.5 - period * LeadFactor(period, contrast)));
  } else if (d <= 30 || 2 * period >= d) {
    if (d <= 0.667 * period) {
      end = d <= 1 ? ks : d <= 10 ? ks + 3 : d <= 15 ? ks + 5 : ks + 10;
    } else {
      int e = d <= period ? k1 - static_cast<int>(0.333 * period + 0.5) : static_cast<int>(k1 + 0.5 - period / 2);
      e = std::max(e, ks);
      if (e - ks <= 1 && d > 9) {
        end = ks + 2;
      } else if (e - ks > 2 || d < 15) {
        end = e;
      } else {
        end = ks + 3;
      }
    }
  } else {
    const int e = std::max(ks, static_cast<int>(k1 + 0.5 - period / 2));
    end = std::max(e, ks + d / 10);
  }
  end = std::clamp(end, ks, ke);
  start = std::clamp(start, ks, end);
  const int samples = end - start + 1;
  if (longLead && samples > 30) return QuietestSubWindow(x, start, end, period);
  if (samples > 14) return FitLine(x, start, end);
  return FlatNoise(x, start, end);
}

}  // namespace tarnix::picker

#include "processing/picker.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "model/sample_conversion.h"
#include "processing/above_band_noise.h"
#include "processing/curved_baseline.h"
#include "processing/digital_filter.h"
#include "processing/first_motion.h"
#include "processing/picker_stages.h"

namespace tarnix {

using namespace picker;

namespace {

constexpr double kMinimumPeriod = 7.0;
// Beyond this the few periods added to sample indices overflow an int; only a
// damaged sampling interval gives such a period.
constexpr double kMaximumPeriod = std::numeric_limits<int>::max() / 8.0;
constexpr int kPickLeadIn = 512;
constexpr int kSecondHighPassHz = 20000;
constexpr double kThresholdFactor = 2.5;

// Weights of the signs against a pick (see ClassifyPick), set so that a
// score above zero marks it doubtful; above kPoorScore the odds are that it
// is off by more than ten samples.
constexpr double kScoreBias = 2.3, kNoMotionWeight = 3.11, kAboveNoiseWeight = 1.63, kAgainstWeight = 1.15,
                 kAsStrongWeight = 0.56, kFirstCycleWeight = -0.83, kFromOnsetWeight = 1.73, kFromSplitWeight = 0.79,
                 kLeadWeight = -1.06, kLaterWeight = -0.98, kQuietLeadWeight = 0.51, kGuardedWeight = -0.71,
                 kWarningsWeight = 0.71, kPoorScore = 2.0;

// Regularity of the half-cycles that follow a position: their count, mean and
// deviation of widths, and mean peak.
struct Regularity {
  int count = 0;
  double mean = 0, deviation = 0, amplitude = 0;
};

Regularity RegularityAfter(const HalfCycles& h, double position) {
  Regularity r;
  const int n = static_cast<int>(h.crossing.size());
  int b = 0;
  while (b < n && h.crossing[b] < position) ++b;
  if (b >= n - 1) return r;
  const int last = std::max(b + 1, std::min(b + 7, n - 2));
  std::vector<int> used;
  for (int i = b + 1; i <= last; ++i) used.push_back(i);
  auto width = [&](int i) { return h.crossing[i] - h.crossing[i - 1]; };
  if (used.size() > 5) {
    // The two widths furthest from the mean are outliers of the wave train.
    double mean = 0;
    for (int i : used) mean += width(i);
    mean /= used.size();
    for (int drop = 0; drop < 2; ++drop) {
      auto worst = std::max_element(used.begin(), used.end(), [&](int a, int c) {
        return std::fabs(width(a) - mean) < std::fabs(width(c) - mean);
      });
      used.erase(worst);
    }
  }
  r.count = static_cast<int>(used.size());
  for (int i : used) {
    r.mean += width(i);
    r.amplitude += h.peak[i];
  }
  r.mean /= r.count;
  r.amplitude /= r.count;
  for (int i : used) r.deviation += (width(i) - r.mean) * (width(i) - r.mean);
  r.deviation = std::sqrt(r.deviation / r.count);
  return r;
}

bool Irregular(const Regularity& r) { return r.count < 4 || std::trunc(r.mean) < 2; }

double LaterScore(const Regularity& r) {
  if (Irregular(r)) return 999;
  return 100 * (static_cast<int>(r.deviation) / static_cast<int>(r.mean));
}

double EarlierScore(const Regularity& r, const Regularity& later) {
  if (Irregular(r)) return 999;
  const double a1 = std::trunc(later.amplitude);
  if (a1 > 1e-9) return 100 * (a1 - std::trunc(r.amplitude)) / a1 + 100 * std::trunc(r.deviation) / std::trunc(r.mean);
  return 100 * (static_cast<int>(r.deviation) / static_cast<int>(r.mean));
}

// An earlier onset that competes with k1: the strongest ratio before the
// ramp that leads up to k1. Taken over k1 when the wave train that follows it
// is the more regular.
void PreferRegularEarlierOnset(const HalfCycles& h, const std::vector<double>& ratio, int ks, double period,
                               int& k1, double& rMax) {
  int j = k1 - 1;
  while (j >= ks && ratio[j] >= 1.2) --j;
  if (j < ks) return;
  int earlier = j;
  for (int i = j; i >= ks; --i) {
    if (ratio[i] > ratio[earlier]) earlier = i;
  }
  const double w = ratio[earlier];
  if (!(w > 3 && w >= rMax / 2) || k1 - earlier <= 4 * period) return;
  const Regularity later = RegularityAfter(h, k1);
  if (LaterScore(later) > EarlierScore(RegularityAfter(h, earlier), later)) {
    k1 = earlier;
    rMax = w;
  }
}

// A strong ratio peak shortly before k1, behind a valley, is the true start of
// the energy more often than not.
void PreferEarlierPeak(const std::vector<double>& ratio, int ks, int ke, double period, int& k1, double& rMax) {
  if (period / 2 < 5) return;
  // Smoothed only where the valley and peak searches below look: a window
  // of the record, read through s(k), zero around it.
  const int from = std::max(ks, static_cast<int>(k1 - period) - 3), to = std::min(ke, k1 + 1);
  std::vector<double> window(std::max(0, to - from + 1) + 4, 0.0);
  auto s = [&](int k) -> double& { return window[std::clamp(k - from + 2, 0, static_cast<int>(window.size()) - 1)]; };
  for (int k = from; k <= to; ++k) {
    double sum = 0;
    int count = 0;
    for (int i = std::max(ks, k - 2); i <= std::min(ke, k + 2); ++i, ++count) sum += ratio[i];
    s(k) = sum / count;
  }
  const int valleyFrom = k1 - 2;
  const int valleyTo = std::max(ks + 2, static_cast<int>(k1 - period / 2));
  if (valleyFrom - valleyTo + 1 < 6) return;
  int valley = -1;
  for (int j = valleyFrom; j >= valleyTo; --j) {
    if (j + 2 > ke) continue;
    if (s(j) <= s(j - 1) && s(j + 1) > s(j) && s(j + 2) > s(j + 1) && (valley < 0 || s(j) < s(valley))) valley = j;
  }
  if (valley < 0) return;
  const int peakFrom = valley - 1;
  const int peakTo = std::max(ks + 2, static_cast<int>(valley - period / 2));
  if (peakFrom - peakTo + 1 < 6) return;
  int peak = -1;
  for (int j = peakFrom; j >= peakTo; --j) {
    if (s(j) >= s(j - 1) && s(j + 1) < s(j) && s(j + 2) < s(j + 1) && (peak < 0 || s(j) > s(peak))) peak = j;
  }
  if (peak < 0) return;
  const double w = s(peak);
  if ((rMax > 10 && w > 0.7 * rMax) || (rMax > 7.5 && w > 0.75 * rMax) || (rMax > 5 && w > 0.8 * rMax) ||
      (rMax > 3.5 && w > 0.85 * rMax) || (rMax > 2.5 && w > 0.9 * rMax)) {
    k1 = peak;
    rMax = w;
  }
}

// One half-cycle of the residual between two crossings.
struct HalfCycle {
  double start = 0, end = 0;
  int peakIndex = 0;
  double peak = 0;     // signed value at the peak
  double meanAbs = 0;  // mean |r| over the half-cycle's samples
  double Width() const { return end - start; }
};

std::vector<HalfCycle> HalfCyclesBetweenCrossings(const std::vector<double>& r, const HalfCycles& h) {
  std::vector<HalfCycle> out;
  for (size_t j = 0; j + 1 < h.crossing.size(); ++j) {
    HalfCycle c;
    c.start = h.crossing[j];
    c.end = h.crossing[j + 1];
    c.peakIndex = h.peakIndex[j + 1];
    c.peak = r[c.peakIndex];
    const int from = static_cast<int>(c.start + 0.5) + 1;
    const int to = static_cast<int>(c.end + 0.5);
    double sum = 0;
    for (int i = from; i <= to; ++i) sum += std::fabs(r[i]);
    c.meanAbs = to >= from ? sum / (to - from + 1) : 0.0;
    out.push_back(c);
  }
  return out;
}

// The rising edge of the first motion: from where it leaves the noise to its
// peak; the zero crossing after the peak closes it.
struct RisingEdge {
  double start = 0;
  int peak = 0;
  double end = 0;
};

// The rising edge of a half-cycle: back from its peak to where the rise
// leaves the noise, then down to the trough it starts from; never before the
// half-cycle's own start crossing.
RisingEdge EdgeOf(const std::vector<double>& r, const HalfCycle& c, double noiseLevel, int a) {
  RisingEdge e;
  e.peak = c.peakIndex;
  e.end = c.end;
  const int lowest = std::max(a, static_cast<int>(c.start) - 1);
  const double floor = std::min(noiseLevel, 0.1 * std::fabs(r[e.peak]));
  int i = e.peak - 1;
  while (i > lowest && r[i] > floor) --i;
  while (i - 1 > lowest && r[i - 1] <= r[i]) --i;
  e.start = std::max(i, a);
  return e;
}

// The first motion among the candidate half-cycles (earliest first). It is the
// earliest positive half-cycle that
//  - stands clearly above the noise (peak at least the threshold),
//  - starts the wave train rather than riding the noise before it: at least a
//    fifth of the largest of the three half-cycles that follow,
//  - is not an isolated spike: the half-cycle after it carries at least half
//    of its peak, and
//  - is joined to the energy onset: no half-cycle between it and the one at
//    the onset falls back below half the threshold.
// Without such a half-cycle, the first positive qualifying half-cycle from the
// onset on is taken; failing that, the rise still under way at the window's
// end when it is above the threshold (a long first period whose lobe the
// window cuts), and failing that the half-cycle at the onset.
//
// A smooth wavelet's first lobe can be too small or too broken by noise to
// qualify; so the positive half-cycle just before, across one trough, takes
// over when the three are one train: it and the trough are true lobes of
// about the chosen width, and it carries at least 0.3 of the chosen peak.
// The step is taken in half-cycles, never in estimated periods, which need
// not match the first arrival's.
RisingEdge SelectFirstMotion(const std::vector<double>& r, const std::vector<HalfCycle>& cycles,
                             const HalfCycle& trailing, const std::vector<int>& candidates, int onsetCycle,
                             double threshold, double noiseLevel, int a) {
  const int count = static_cast<int>(cycles.size());
  auto startsTrain = [&](int j) {
    const HalfCycle& c = cycles[j];
    if (c.peak <= 0 || c.peak < threshold) return false;
    if (j + 1 >= count || std::fabs(cycles[j + 1].peak) < 0.5 * c.peak) return false;
    double next = 0;
    for (int i = j + 1; i <= std::min(j + 3, count - 1); ++i) next = std::max(next, std::fabs(cycles[i].peak));
    return c.peak >= 0.2 * next;
  };
  int chosen = -1;
  for (int j : candidates) {
    if (!startsTrain(j)) continue;
    bool joined = true;
    for (int i = j + 1; i < onsetCycle; ++i) joined = joined && std::fabs(cycles[i].peak) >= 0.5 * threshold;
    if (joined) {
      chosen = j;
      break;
    }
  }
  for (size_t i = 0; chosen < 0 && i < candidates.size(); ++i) {
    if (candidates[i] >= onsetCycle && cycles[candidates[i]].peak > 0) chosen = candidates[i];
  }
  if (chosen < 0 && trailing.peak >= threshold) return EdgeOf(r, trailing, noiseLevel, a);
  if (chosen < 0) chosen = onsetCycle;
  if (chosen >= 2) {
    const HalfCycle &c = cycles[chosen], &trough = cycles[chosen - 1], &before = cycles[chosen - 2];
    if (before.peak >= std::max(0.8 * threshold, 0.3 * c.peak) && -trough.peak >= 0.5 * before.peak &&
        before.Width() >= 0.5 * c.Width() && trough.Width() >= 0.5 * c.Width()) {
      chosen -= 2;
    }
  }

  const HalfCycle& c = cycles[chosen];
  RisingEdge e = EdgeOf(r, c, noiseLevel, a);
  // A wavelet's zero crossings keep its period whatever its envelope, so the
  // first motion began half a period before the crossing that ends it, the
  // half period measured on the next full cycle, where the signal is strong.
  // A smooth start hides in the noise for a while, so the leaving point is
  // late; this is taken instead when it is earlier by less than a quarter
  // period.
  if (chosen + 2 < count && std::fabs(cycles[chosen + 1].peak) >= threshold &&
      std::fabs(cycles[chosen + 2].peak) >= threshold) {
    const double half = (cycles[chosen + 2].end - c.end) / 2;
    const double fromCrossing = c.end - half;
    if (fromCrossing <= e.start + 1 && fromCrossing >= e.start - half / 2) e.start = std::max<double>(fromCrossing, a);
  }
  return e;
}

// The onset on the rising edge: lines fitted over a window as long as the rise
// time, sliding along the half-cycle; the latest zero intercept that falls
// inside it. A window longer than the edge leaves the edge's start.
double OnsetOnEdge(const std::vector<double>& r, const RisingEdge& edge) {
  const int first = static_cast<int>(edge.start);
  const int last = static_cast<int>(edge.end);
  const int window = std::max(2, RoundUp(edge.peak - edge.start));
  if (window > last - first + 1) return edge.start;
  double best = -1;
  for (int s = first; s + window - 1 <= last; ++s) {
    const int e = s + window - 1;
    double slope, intercept, sum = 0;
    for (int i = s; i <= e; ++i) sum += r[i];
    if (window >= 5) {
      double si = 0, sx = 0, six = 0, sii = 0;
      for (int i = s; i <= e; ++i) {
        si += i;
        sx += r[i];
        six += i * r[i];
        sii += static_cast<double>(i) * i;
      }
      slope = (window * six - si * sx) / (window * sii - si * si);
      intercept = (sx - slope * si) / window;
      if (std::fabs(slope) <= 1e-12) continue;
    } else {
      slope = (r[e] - r[s]) / (e - s);
      intercept = r[s] - slope * s;
      if (std::fabs(slope) <= 1e-6) continue;
    }
    if (slope <= 0 || sum <= 0) continue;
    const double zero = -intercept / slope;
    if (zero > edge.start && zero < edge.end) best = std::max(best, zero);
  }
  return best >= 0 ? best : edge.start;
}

// The rising edge of the first motion among the half-cycles of [a, b], of
// which there is at least one.
RisingEdge FirstMotionEdge(const std::vector<double>& r, const std::vector<HalfCycle>& cycles, int a, int b, int k1,
                           double period, double threshold, double noiseSigma, double rMax, double contrast) {
  int onsetCycle = 0;
  while (onsetCycle + 1 < static_cast<int>(cycles.size()) && cycles[onsetCycle].start < k1) ++onsetCycle;

  const double level = threshold * (rMax < 3 && contrast < 10 ? 0.5 : rMax < 4 && contrast < 15 ? 0.6 : 0.7);
  auto qualifies = [&](const HalfCycle& c) { return c.Width() > period / 4 && c.meanAbs > level; };
  // Up to three qualifying half-cycles back from the onset and three forward,
  // earliest first.
  std::vector<int> candidates;
  for (int j = onsetCycle - 1, found = 0; j >= 0 && found < 3; --j) {
    if (qualifies(cycles[j])) {
      candidates.insert(candidates.begin(), j);
      ++found;
    }
  }
  for (int j = onsetCycle, found = 0; j < static_cast<int>(cycles.size()) && found < 3; ++j) {
    if (qualifies(cycles[j])) {
      candidates.push_back(j);
      ++found;
    }
  }
  // The half-cycle still open at the window's end, from the last crossing.
  HalfCycle trailing;
  trailing.start = cycles.back().end;
  trailing.end = b;
  trailing.peakIndex = static_cast<int>(trailing.start + 1);
  for (int i = trailing.peakIndex; i <= b; ++i) {
    if (r[i] > r[trailing.peakIndex]) trailing.peakIndex = i;
  }
  trailing.peakIndex = std::min(trailing.peakIndex, b);
  trailing.peak = r[trailing.peakIndex];
  return SelectFirstMotion(r, cycles, trailing, candidates, onsetCycle, threshold, noiseSigma, a);
}

// Noise far below the arrival's band (flow, the tool's own hum, a tube wave
// ringing on) wanders across a few of the arrival's periods and moves its
// crossings off the wave's. A centred mean over one of the arrival's periods
// follows that wander and leaves a wave of the period with every crossing
// after its first lobe where it was. It is taken off r over [lead, beyond]
// when it holds more than half the lead-in's power: noise of the arrival's
// own band leaves it far less, and taking that off moves weak lobes. The
// period is the one the crossings at k1 keep, failing that the estimate.
void TakeOffSlowWander(std::vector<double>& r, int lead, int a, int beyond, int k1, double period, double threshold,
                       bool recordEnds) {
  double half = period / 2;
  FirstMotionStart(r, Lobes(r, a, beyond, 0.6 * threshold), k1, period, 0.5 * threshold, recordEnds, &half);
  const std::vector<double> mean = CentredMean(r, lead, beyond, RoundUp(2 * half));
  const int quietEnd = std::min(beyond + 1, std::max(lead + 2, static_cast<int>(k1 - period / 2)));
  double power = 0, rest = 0;
  for (int i = lead; i < quietEnd; ++i) {
    power += r[i] * r[i];
    rest += (r[i] - mean[i]) * (r[i] - mean[i]);
  }
  if (rest >= 0.5 * power) return;
  for (int i = lead; i <= beyond; ++i) r[i] -= mean[i];
}

// What the refinement found: the onset, and how far the first motion stands
// above the threshold, for the pick's quality.
struct Refined {
  int onset = 0;
  double firstMotion = 0;  // peak of the first-motion half-cycle
  double threshold = 0;
  double motionOnset = -1;  // where the first motion began, from its crossings
  int split = 0;            // where the window splits into noise and signal
  double firstCycle = 0;    // rms of the first cycle over the lead-in's
};

// Refinement on [a, b]: the first-motion half-cycle and its onset. The split
// into noise and signal that names the first lobe learns the noise from
// `lead` on, earlier than a; past k1 the baseline keeps the slope `drift`,
// or the curve that the lead-in from ks on shows to carry on.
Refined Refine(const std::vector<float>& x, const NoiseModel& noise, double drift, int ks, int lead, int a, int b,
               int k1, double period, double contrast, double rMax) {
  // The first motion's crossings are followed past b, into the cycle that
  // measures its period; a period estimated at half its length (below the
  // plausible range) must not cut them off.
  const int beyond = std::min(static_cast<int>(x.size()) - 1, static_cast<int>(b + 3 * period));
  std::vector<double> r(x.size(), 0.0);
  for (int i = lead; i <= beyond; ++i) r[i] = x[i] - (noise.slope * i + noise.intercept);

  int e1 = k1 - a > 1.5 * period ? static_cast<int>(a + 0.5 + period)
                                  : std::max(static_cast<int>(k1 + 0.5 - period / 2), static_cast<int>(a + 0.5 + period / 2));
  e1 = std::clamp(e1, a, b);
  double early = 0;
  for (int i = a; i <= e1; ++i) early += std::fabs(r[i]);
  early /= e1 - a + 1;
  const int e2 = std::clamp(b - k1 > period ? static_cast<int>(b + 0.5 - period) : k1, a, b);
  double late = 0;
  for (int i = e2; i <= b; ++i) late = std::max(late, std::fabs(r[i]));
  const double q = rMax > 15 && contrast >= 50 ? 1.0 / contrast : 0.005;
  const double threshold = kThresholdFactor * std::max({noise.sigma, q * late, early});

  const HalfCycles h = FindHalfCycles(r.data(), a, b);
  const std::vector<HalfCycle> cycles = HalfCyclesBetweenCrossings(r, h);
  Refined out;
  out.threshold = threshold;
  out.onset = std::clamp(k1, a, b);
  // Where the window splits best into noise and signal, then the lobe that
  // begins there. When the arrival stands less than ten thresholds above the
  // noise, both are read on a lightly smoothed copy; a clean record keeps
  // every sample's detail. The split only names the lobe: a sixteenth of a
  // period will do.
  double strongest = 0;
  for (int i = a; i <= beyond; ++i) strongest = std::max(strongest, std::fabs(r[i]));
  // The lobes are read about the noise line's level at k1, not along its
  // slope: fitted to a few periods of noise in the arrival's own band, the
  // slope follows the noise's wander, and carried on for periods past k1 it
  // tilts the arrival's lobes off zero until their crossings vanish. The
  // baseline's own drift (`drift`, from the whole lead-in) carries on: over
  // a long period, a steep one moved the first lobe's crossings by a fifth
  // of it.
  // A baseline that the lead-in (up to eight periods of it) shows to curve,
  // and to carry on curving over its last two periods, is taken off instead:
  // a slow wander as strong as the arrival bows the residual of any line by
  // more than a first lobe stands.
  std::vector<double> flat(r);
  const int cycle = std::max(2, RoundUp(period));
  const int quietEnd = std::min(beyond, static_cast<int>(k1 - period / 2));
  if (const auto curve =
          CurveCarriedOn(x, noise, std::max(ks, k1 - 8 * cycle), quietEnd, 2 * cycle + 1, 0.3 * threshold)) {
    for (int i = lead; i <= beyond; ++i) flat[i] -= (*curve)(i);
  } else {
    for (int i = k1 + 1; i <= beyond; ++i) flat[i] += (noise.slope - drift) * (i - k1);
  }
  const bool noisy = strongest < 10 * threshold;
  if (noisy) TakeOffSlowWander(flat, lead, a, beyond, k1, period, threshold, beyond == static_cast<int>(x.size()) - 1);
  const std::vector<double> rs =
      noisy ? Smoothed(std::move(flat), lead, beyond, std::max(1, static_cast<int>(0.15 * period))) : std::move(flat);
  const int split =
      AicOnset(rs.data(), lead, std::min(beyond, static_cast<int>(k1 + 2 * period)), std::max(2, RoundUp(period / 16)));
  // The split and the energy onset each name a lobe, or none. A swell of
  // band-limited noise just before the arrival can draw either back into the
  // noise, seldom both: the later lobe named is the arrival's first.
  const std::vector<Lobe> lobes = Lobes(rs, a, beyond, 0.6 * threshold);
  const bool recordEnds = beyond == static_cast<int>(x.size()) - 1;
  out.motionOnset = std::max(FirstMotionStart(rs, lobes, split, period, 0.5 * threshold, recordEnds),
                             FirstMotionStart(rs, lobes, k1, period, 0.5 * threshold, recordEnds));
  // A clean record whose noise line sits a little off zero may hold no
  // crossing before the arrival's first lobe: the lobes alone find it then.
  if (!cycles.empty()) {
    const RisingEdge edge = FirstMotionEdge(r, cycles, a, b, k1, period, threshold, noise.sigma, rMax, contrast);
    out.onset = std::clamp(RoundUp(OnsetOnEdge(r, edge)), a, b);
    out.firstMotion = r[edge.peak];
  }
  out.split = split;
  // The arrival's own signal-to-noise ratio: its first cycle against the
  // lead-in up to a quarter period before it.
  const int start = out.motionOnset >= 0 ? RoundUp(out.motionOnset) : out.onset;
  const int quiet = start - RoundUp(period / 4);
  double noisePower = 0, cyclePower = 0;
  for (int i = lead; i < quiet; ++i) noisePower += r[i] * r[i];
  const int cycleEnd = std::min(beyond, start + RoundUp(period));
  for (int i = start; i <= cycleEnd; ++i) cyclePower += r[i] * r[i];
  if (quiet - lead > 4 && noisePower > 0 && cycleEnd >= start) {
    out.firstCycle = std::sqrt(cyclePower / (cycleEnd - start + 1) / (noisePower / (quiet - lead)));
  }
  return out;
}

// How far a pick can be trusted, from what picking it showed. A first motion
// below four fifths of the threshold, or a record without contrast, is poor.
// Otherwise each sign against the pick adds its weight to a score; the
// weights were fitted to labelled waveforms (log odds of a gross error), so
// that each is the evidence the sign carries with the others present.
// Against the pick: a first motion whose start the crossings could not
// confirm; a cycle before it well above the lead-in's noise (an arrival the
// guard did not take) or of its own size (noise as strong as the arrival,
// which either may be); a pick far from the split into noise and signal, or,
// with a weak first cycle, from the energy onset (with a strong one the
// distance is the estimated period's, not the pick's); a pick standing far
// higher above the lead-in's quietest stretches than above the whole lead-in
// (a lead-in that swells as high as an arrival); and together enough of the
// warnings that are common alone on a good pick in noise (a weak energy
// ratio, a pick far from the energy onset or the split, a weak first cycle
// or first motion). For it: a strong first cycle, a long lead-in to measure
// it against, later cycles far stronger than the pick's (its own arrival
// growing, not a later one taken for the first), an onset the guard found
// before a stronger arrival.
PickQuality ClassifyPick(const Refined& refined, const EnergyAround& energy, double rMax, double contrast, int pick,
                         int k1, double period, bool guarded) {
  const double standing = refined.threshold > 0 ? refined.firstMotion / refined.threshold : 0.0;
  if (standing < 0.8 || contrast < 2) return PickQuality::Poor;
  const double fromOnset = std::abs(pick - k1) / period, fromSplit = std::abs(pick - refined.split) / period;
  const int warnings = (refined.firstCycle < 3) + (standing < 1.5) + 4 * (rMax < 3) + 4 * (fromOnset > 0.4) +
                       2 * (fromSplit > 0.3);
  auto ln = [](double v) { return std::log(std::max(v, 1e-3)); };
  const double score =
      kScoreBias + kNoMotionWeight * (refined.motionOnset < 0) + kAboveNoiseWeight * energy.aboveNoise +
      kAgainstWeight * energy.againstPick + kAsStrongWeight * (energy.againstPick > 0.75) +
      kFirstCycleWeight * ln(refined.firstCycle) +
      kFromOnsetWeight * (refined.firstCycle < 6 ? std::min(fromOnset, 3.0) : 0.0) +
      kFromSplitWeight * std::min(fromSplit, 3.0) + kLeadWeight * ln(energy.leadPeriods) +
      kLaterWeight * ln(energy.laterAgainstPick) +
      kQuietLeadWeight * (ln(energy.overNoise) - ln(refined.firstCycle)) + kGuardedWeight * guarded +
      kWarningsWeight * (warnings >= 6);
  return score > kPoorScore ? PickQuality::Poor : score > 0 ? PickQuality::Doubtful : PickQuality::Good;
}

// Final picks from the refined onset, on the residual of the noise line.
CorePick FinalPicks(const std::vector<float>& x, const NoiseModel& noise, int k, int ke, double period) {
  CorePick p;
  p.refined = k;
  k = std::min(k, ke);
  auto r = [&](int i) { return x[i] - noise.slope * i - noise.intercept; };
  auto v = [&](int i) { return static_cast<int>(x[i] + 0.5 - noise.slope * i - noise.intercept); };
  auto largestV = [&](int from, int to) {
    int best = from;
    for (int i = from; i <= to; ++i) {
      if (v(i) > v(best)) best = i;
    }
    return best;
  };
  int s = k;
  while (s < ke && v(s) < 1) ++s;
  if (v(s) < 1) {
    p.onset = k;
    p.peak = std::min(ke, k + static_cast<int>(period / 4 + 0.5));  // never past the record
    return p;
  }
  int firstPeak = s, j = s + 1;
  for (; j <= ke && v(j) >= 0; ++j) {
    if (std::abs(v(j)) > std::abs(v(firstPeak))) firstPeak = j;
  }
  if (j > ke || firstPeak - k > period) {
    p.onset = k;
    p.peak = largestV(k, std::min(static_cast<int>(k + 0.5 + period / 2), ke));
    return p;
  }
  // The crossing between the sample before and j. A sample before that sits
  // within a rounding of the line counts as positive in v, but r there is
  // slightly negative: unclamped, the interpolation could then run any
  // distance back, even out of the record.
  const double c1 = std::clamp(j - v(j) / (v(j) - r(j - 1)), j - 1.0, static_cast<double>(j));
  int secondPeak = j, m = j + 1;
  for (; m <= ke && v(m) <= 0; ++m) {
    if (std::abs(v(m)) > std::abs(v(secondPeak))) secondPeak = m;
  }
  const bool precursor = c1 - k <= period / 4;
  if (m <= ke) {
    p.onset = precursor ? c1 : k;
    p.peak = precursor ? secondPeak : firstPeak;
  } else if (!precursor) {
    p.onset = k;
    p.peak = firstPeak;
  } else {
    p.onset = c1;
    int best = std::min(k + 1, ke);
    const int to = std::min(static_cast<int>(k + 0.5 + 0.375 * period), ke);
    for (int i = best; i <= to; ++i) {
      if (std::fabs(r(i)) > std::fabs(r(best))) best = i;
    }
    p.peak = best;
  }
  return p;
}

// The record as it came, for its pass through the moving average that takes
// noise far above the arrivals' band off.
struct AsItCame {
  Unsmoothed record;
  const std::vector<float>* beforeHighPass;
  double period;
};

CorePick PickRecord(double delay, double dtUs, const std::vector<float>& x, double tStart, double tEnd, double f0,
                    const std::vector<float>* beforeHighPass, bool mayDespike, const AsItCame* raw = nullptr);

// The record picked again through the moving average that takes noise far
// above the arrivals' band off. Spikes go first: spread by the average, they
// pass for a cycle.
CorePick PickSmoothed(double delay, double dtUs, double tStart, double tEnd, double f0, bool mayDespike, int ks,
                      int ke, const AsItCame& raw) {
  auto smooth = [&](const std::vector<float>& v) {
    return WithoutAboveBandNoise(WithoutSpikes(v, ks, ke), ks, ke, dtUs);
  };
  const std::vector<float> smoothed = smooth(*raw.record.x);
  const std::vector<float> smoothedBefore = raw.beforeHighPass ? smooth(*raw.beforeHighPass) : std::vector<float>();
  return PickRecord(delay, dtUs, smoothed, tStart, tEnd, f0, raw.beforeHighPass ? &smoothedBefore : nullptr,
                    mayDespike, &raw);
}

// PickCore; once a spike has drawn the energy onset, it picks the record
// again without its spikes (mayDespike false); when its quietest stretch holds
// noise far above the arrivals' band, again through the moving average that
// takes that off (given the record as it came, `raw`).
CorePick PickRecord(double delay, double dtUs, const std::vector<float>& x, double tStart, double tEnd, double f0,
                    const std::vector<float>* beforeHighPass, bool mayDespike, const AsItCame* raw) {
  const int n = static_cast<int>(x.size());
  CorePick none;
  none.quality = PickQuality::Poor;
  if (n < 4 || !(dtUs > 0)) return none;
  const int ks = std::clamp(static_cast<int>((tStart - delay) / dtUs + 0.5), 0, n - 1);
  const int ke = std::clamp(static_cast<int>((tEnd - delay) / dtUs + 0.5), ks, n - 1);
  if (ke - ks < 3) return none;

  Detrended detrended = DetrendWithPrefix(x, ks, ke, DetrendWindow(f0, dtUs));
  const std::vector<double>& d = detrended.d;
  const HalfCycles cycles = FindHalfCycles(d.data(), ks, ke);
  // Smoothed, a burst's slowed swings pass for an arrival's half-cycles and
  // shorten the period: it stays the one the record as it came gave.
  const double period =
      raw ? raw->period : std::max(kMinimumPeriod, 1e6 / DominantFrequency(cycles, ks, ke, dtUs, f0) / dtUs);
  if (!(period <= kMaximumPeriod)) return none;

  OnsetRatio onset = ComputeOnsetRatio(d, std::move(detrended.absPrefix), ks, ke, period);
  int k1 = onset.k1;
  double rMax = onset.rMax;
  PreferRegularEarlierOnset(cycles, onset.ratio, ks, period, k1, rMax);
  PreferEarlierPeak(onset.ratio, ks, ke, period, k1, rMax);
  // An electrical spike of a sample or two can draw the energy ratio: the
  // record is then picked again without its spikes. The spike is looked for
  // within a period of k1, where the ratio's forward window put it: over a
  // period and a half, a clean arrival close behind held most of the stretch
  // and hid it.
  const int half = std::max(2, RoundUp(period / 2));
  // Spikes and bursts of broadband noise are told on the record as it came.
  const Unsmoothed unsmoothed = raw ? raw->record : Unsmoothed{};
  const std::vector<float>& plain = unsmoothed.Or(x);
  const std::vector<float>* plainBefore = raw ? raw->beforeHighPass : beforeHighPass;
  if (mayDespike && SpikeAt(plain, ks, k1, k1 + 2 * half, 2 * half)) {
    const std::vector<float> clean = WithoutSpikes(plain, ks, ke);
    const std::vector<float> cleanBefore = plainBefore ? WithoutSpikes(*plainBefore, ks, ke) : std::vector<float>();
    return PickRecord(delay, dtUs, clean, tStart, tEnd, f0, plainBefore ? &cleanBefore : nullptr, false);
  }
  // The quietest stretch of the record, the trailing window of least energy
  // (every quarter window will do), shows whether its noise lies far above
  // the arrivals' band.
  if (!raw) {
    const int window = std::max(1, RoundUp(2 * period));
    int quiet = ks + window - 1;
    for (int i = quiet; i <= ke; i += std::max(1, window / 4)) {
      if (onset.before[i] < onset.before[quiet]) quiet = i;
    }
    // Its second differences reach a sample to either side: never out of the
    // picked range (a saturated start before it bends like no noise).
    if (quiet <= ke && NoiseAboveBand(x, std::max(ks + 1, quiet - window + 1), std::min(ke - 1, quiet), dtUs)) {
      const AsItCame asItCame{{&x, &d, &onset}, beforeHighPass, period};
      return PickSmoothed(delay, dtUs, tStart, tEnd, f0, mayDespike, ks, ke, asItCame);
    }
  }
  LeaveRecordStart(x, onset, ks, ke, period, k1, rMax);
  const bool guarded = GuardEarlierArrival(x, d, onset, ks, period, k1, rMax, unsmoothed);
  if (!guarded) LeaveNoiseSwell(d, onset, ks, ke, period, k1, rMax, unsmoothed);

  // A causal high-pass keeps where a wave starts but not its crossings: it
  // narrows the first lobe, and a start read back from the crossings came a
  // third of a period early. The first motion, and the peak after it, are
  // read where the wave is still its own; the noise far below its band that
  // the high-pass took off, Refine takes off itself.
  const bool unfiltered = beforeHighPass && beforeHighPass->size() == x.size();
  const std::vector<float>& motion = unfiltered ? *beforeHighPass : x;
  const NoiseModel noise = MeasureNoise(motion, ks, k1, period, onset.contrast);
  const int a = std::max(ks, static_cast<int>(k1 + 0.5 - 2 * period));
  const int b = std::min(ke, static_cast<int>(k1 + 0.5 + 2 * period));
  // Two periods before k1 leave band-limited noise too few cycles to be told
  // from a weak first arrival; four do.
  const int lead = std::max(ks, static_cast<int>(k1 + 0.5 - 4 * period));
  const double drift = LeadInDrift(motion, ks, static_cast<int>(k1 - period / 2), period);
  const Refined refined = Refine(motion, noise, drift, ks, lead, a, b, k1, period, onset.contrast, rMax);
  CorePick pick = FinalPicks(motion, noise, refined.onset, ke, period);
  // The stored onset is the sample where the first motion began.
  if (refined.motionOnset >= 0) pick.onset = std::clamp(RoundUp(refined.motionOnset), ks, ke);
  pick.energyOnset = k1;
  const int onsetIndex = static_cast<int>(pick.onset);
  const EnergyAround energy = EnergyAroundPick(onset, ks, onsetIndex, k1, period, DetrendWindow(f0, dtUs) / 2);
  pick.quality = ClassifyPick(refined, energy, rMax, onset.contrast, onsetIndex, k1, period, guarded);
  return pick;
}

// The run of samples at either limit of the converter that the record starts
// with: the receiver saturated by the transmitter's pulse. Nothing can be read
// there, and the knee where the record leaves the limit drew the energy ratio
// (a flat lead-in against the steep recovery after it). 0 when the record
// does not start at a limit, or holds too little after the run to pick.
int SaturatedStart(const uint16_t* samples, int n) {
  if (n <= 0 || (samples[0] != 0 && samples[0] != kFullScale)) return 0;
  int run = 1;
  while (run < n && samples[run] == samples[0]) ++run;
  return run >= 3 && run < n - 4 ? run : 0;
}

}  // namespace

CorePick PickCore(double delay, double dtUs, const std::vector<float>& x, double tStart, double tEnd, double f0,
                  const std::vector<float>* beforeHighPass) {
  return PickRecord(delay, dtUs, x, tStart, tEnd, f0, beforeHighPass, true);
}

WaveformPick PickWaveform(int n, uint16_t* samples, float dtUs, float delay, bool highPassOn, float highPassHz,
                          bool lowPassOn, float lowPassHz) {
  WaveformPick out;
  out.quality = PickQuality::Poor;  // until something is picked
  // Times past 500 s, and the sample indices they give, come only from a
  // damaged header; so does an infinite interval (whose span is not a number).
  constexpr double kLongestUs = 5e8;
  const double span = (n - 1) * static_cast<double>(dtUs);
  if (n <= 0 || !(dtUs > 0) || !(span < kLongestUs) || !(std::fabs(delay) < kLongestUs) ||
      !(std::fabs(delay / dtUs) < kLongestUs)) {
    return out;
  }
  const int saturated = SaturatedStart(samples, n);
  std::vector<float> x(n), again(highPassOn ? n : 0), before(highPassOn ? n : 0);
  for (int k = 0; k < n; ++k) x[k] = samples[k] - 2048.0f;
  // The picking copy settles the second high-pass on a flat lead-in.
  const HighPassedCopy copy{again.data(), kSecondHighPassHz, kPickLeadIn, before.data()};
  FilterFloats(n, x.data(), dtUs, highPassOn, highPassHz, lowPassOn, lowPassHz, highPassOn ? &copy : nullptr);
  // Clamped in float first, so that the loop vectorises.
  for (int k = 0; k < n; ++k) {
    samples[k] = static_cast<uint16_t>(static_cast<int>(std::clamp(x[k] + 2048.0f, 0.0f, 65535.0f)));
  }

  const std::vector<float>& picked = highPassOn ? again : x;
  const CorePick core =
      PickCore(delay, dtUs, picked, delay + saturated * static_cast<double>(dtUs),
               delay + (n - 1) * static_cast<double>(dtUs), kNominalFrequency, highPassOn ? &before : nullptr);
  // In double throughout: in single precision, a long delay's offset in
  // samples and the times taken from it were off by several samples.
  const double dt = dtUs, lag = delay;
  const int k0 = static_cast<int>(-lag / dt + 0.5);
  out.arrivalTime = static_cast<int>((core.onset - k0) * dt - lag);
  out.ampTime = static_cast<int>((core.peak - k0) * dt - lag);
  out.refined = core.refined;
  out.energyOnset = core.energyOnset;
  out.quality = core.quality;
  return out;
}

}  // namespace tarnix

#include "processing/first_motion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace tarnix::picker {
namespace {

// The start of the lobe `first` from the crossings that end it and up to
// `later` lobes after it while they keep about the half period: a straight
// line through them, one half period per lobe, back to where the first lobe
// began. More crossings than two average out the noise on each; noise moves
// a crossing as much less as the wave is steeper there, so each counts with
// the square of the mean height of the two lobes it joins. Given where a
// trough began that holds a merged first lobe before lobe `first` (see
// MergedFirstLobe), the line runs through both of that trough's crossings
// too, and back to where the merged lobe began, a half period further.
double LineThroughCrossings(const std::vector<Lobe>& lobes, int first, double half, int later,
                            double mergedTrough = -1) {
  double sw = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
  int n = 0;
  auto add = [&](double x, double y, double height) {
    const double w = height * height;
    sw += w;
    sx += w * x;
    sy += w * y;
    sxx += w * x * x;
    sxy += w * x * y;
    ++n;
  };
  const int count = static_cast<int>(lobes.size());
  const bool merged = mergedTrough >= 0;
  if (merged) {
    const double trough = std::fabs(lobes[first - 1].peak);
    add(-1, mergedTrough, trough);
    add(0, lobes[first].start, trough);
  }
  for (int m = 0; m <= later && first + m < count; ++m) {
    const Lobe& c = lobes[first + m];
    if (m > 0 && (c.Width() < 0.6 * half || c.Width() > half / 0.6)) break;
    const double next = first + m + 1 < count ? std::fabs(lobes[first + m + 1].peak) : std::fabs(c.peak);
    add(m + 1, c.end, 0.5 * (std::fabs(c.peak) + next));
  }
  if (n < 3) return lobes[first].end - half;
  const double slope = (sw * sxy - sx * sy) / (sw * sxx - sx * sx);
  return (sy - slope * sx) / sw - (merged ? 2 * slope : 0.0);
}

// A weak first lobe and its trough just before lobes[j], read on the plain
// crossings of r: the dead band merges a first lobe too weak to pass it with
// the noise before into one long trough. The trough must keep the half
// period, be more than half as strong as lobe j and the trough after it, and
// stand well above the largest positive value in the 1.4 half periods before
// it (the weak lobe, noise riding on it may break it up; an envelope still
// rising), which must be at least a tenth of lobe j. Returns where the trough
// begins, or -1.
double MergedFirstLobe(const std::vector<double>& r, const std::vector<Lobe>& lobes, int j, double half) {
  const Lobe& c = lobes[j];
  if (j < 1 || lobes[j - 1].peak >= 0) return -1;
  const int lowest = std::max(1, static_cast<int>(c.start - 4 * half));
  int i = static_cast<int>(std::ceil(c.start)) - 1;  // the last sample before lobe j
  if (i <= lowest || r[i] >= 0) return -1;
  double trough = 0;
  for (; i > lowest && r[i] < 0; --i) trough = std::min(trough, r[i]);
  if (r[i] < 0) return -1;
  const double troughStart = i + r[i] / (r[i] - r[i + 1]);
  double lobe = 0;
  for (int k = std::max(lowest, static_cast<int>(troughStart - 1.4 * half)); k <= i; ++k) lobe = std::max(lobe, r[k]);
  const double troughWidth = c.start - troughStart;
  const bool merged = troughWidth >= 0.6 * half && troughWidth <= half / 0.6 && -trough >= 0.6 * c.peak &&
                      -trough >= 0.6 * std::fabs(lobes[j + 1].peak) && -trough >= 1.5 * lobe && lobe >= 0.1 * c.peak;
  return merged ? troughStart : -1;
}

// dst[i] = mean of src over [i - h, i + h] cut to [from, to], for i in
// [from, to]; one running sum.
void MovingMean(const double* src, double* dst, int from, int to, int h) {
  double sum = 0;
  int count = 0;
  int lo = from, hi = from - 1;
  for (int i = from; i <= to; ++i) {
    const int wantLo = std::max(from, i - h), wantHi = std::min(to, i + h);
    for (; hi < wantHi; ++count) sum += src[++hi];
    for (; lo < wantLo; --count) sum -= src[lo++];
    dst[i] = sum / count;
  }
}

}  // namespace

// r over [from, to] under a centred moving average of the given width,
// twice: symmetric, so that a wave's crossings stay where they are, while
// noise above the signal's band averages out. Taken by value: the callers'
// records are mostly theirs to give.
std::vector<double> Smoothed(std::vector<double> out, int from, int to, int width) {
  // The first pass's result, read only where it was written.
  const auto tmp = std::make_unique_for_overwrite<double[]>(out.size());
  MovingMean(out.data(), tmp.get(), from, to, width / 2);
  MovingMean(tmp.get(), out.data(), from, to, width / 2);
  return out;
}

std::vector<double> CentredMean(const std::vector<double>& r, int from, int to, int width) {
  std::vector<double> out(r.size(), 0.0);
  MovingMean(r.data(), out.data(), from, to, width / 2);
  return out;
}

// Lobes of r over [from, to] that count a sign change only once r passes
// the dead band on the other side: noise jitter about a crossing makes no
// lobes. Each lobe runs between the last zero crossings before such changes.
std::vector<Lobe> Lobes(const std::vector<double>& r, int from, int to, double band) {
  std::vector<Lobe> out;
  int sign = 0;
  // The latest zero crossing by the index just after it (from: none yet);
  // noise jitters across zero far more often than a lobe takes a crossing, so
  // its fractional place is worked out only then, and without a branch on
  // every jitter.
  int crossingAt = from;
  auto crossing = [&] {
    const int c = crossingAt;
    return c == from ? static_cast<double>(from) : c - r[c] / (r[c] - r[c - 1]);
  };
  double start = from;
  // The sign as a factor: the peak is the largest r * direction, kept as
  // highest; before the first sign nothing is higher.
  double direction = 0, highest = std::numeric_limits<double>::infinity();
  Lobe lobe;
  for (int i = from + 1; i <= to; ++i) {
    crossingAt = (r[i] >= 0) != (r[i - 1] >= 0) ? i : crossingAt;
    const int s = r[i] > band ? 1 : r[i] < -band ? -1 : 0;
    if (s != 0 && s != sign) {
      const double c = crossing();
      if (sign != 0) {
        lobe.start = start;
        lobe.end = c;
        lobe.peak = r[lobe.peakIndex];
        out.push_back(lobe);
      }
      start = sign != 0 ? c : from;
      sign = s;
      direction = s;
      lobe = Lobe{};
      lobe.peakIndex = i;
      for (int k = std::max(from, static_cast<int>(start)); k <= i; ++k) {
        if (r[k] * direction > r[lobe.peakIndex] * direction) lobe.peakIndex = k;
      }
      highest = r[lobe.peakIndex] * direction;
    }
    const double level = r[i] * direction;
    const bool higher = level > highest;
    lobe.peakIndex = higher ? i : lobe.peakIndex;
    highest = higher ? level : highest;
  }
  return out;
}

// Where the first motion began: a wavelet's zero crossings keep its period
// whatever its envelope, so the first positive lobe began half a period
// (measured on the cycle after it, where the signal is strong) before the
// crossing that ends it. The first lobe is the first one that ends clearly
// after the statistical onset and stands out of the noise.
double FirstMotionStart(const std::vector<double>& r, const std::vector<Lobe>& lobes, double onset, double period,
                        double level, bool recordEnds, double* halfPeriod) {
  const int count = static_cast<int>(lobes.size());
  for (int j = 0; j + (recordEnds ? 1 : 2) < count; ++j) {
    const Lobe& c = lobes[j];
    if (c.end <= onset + 0.1 * period || c.peak <= 0) continue;
    // An arrival near the record's end may close only one lobe after this.
    const bool lastButOne = j + 2 == count;
    const double next = std::max(std::fabs(lobes[j + 1].peak), lastButOne ? 0.0 : std::fabs(lobes[j + 2].peak));
    if (c.peak < level || c.peak < 0.3 * next) continue;
    // The half period from the two lobes after this one; a lobe too weak to
    // pass the dead band merges the two around it, so a second lobe far wider
    // or narrower than the first is left out.
    const double w1 = lobes[j + 1].Width(), w2 = lastButOne ? w1 : lobes[j + 2].Width();
    const double half = w2 > 1.5 * w1 || w2 < w1 / 1.5 ? w1 : (w1 + w2) / 2;
    // A smooth start can hide its first lobe from the statistics: a lobe and
    // trough before this one that stand out of the noise belong to the same
    // wavelet when the trough keeps the half period (the lobe's own start is
    // lost in the noise, so it need only not be short) and the envelope rises
    // smoothly (the trough at least half this lobe, the lobe a fifth: a smooth
    // start's first lobe is under half the next, and noise in the arrival's
    // band takes more off it); all the more so when this lobe would start
    // well after the statistical onset. A lobe three levels out of the noise
    // needs no share of this one: an envelope rising as the square or cube of
    // the time leaves its first lobe a tenth of the next, and noise seldom
    // swells that far.
    auto keepsHalf = [&](const Lobe& h) { return h.Width() >= 0.6 * half && h.Width() <= half / 0.6; };
    int first = j;
    const double troughStart = MergedFirstLobe(r, lobes, j, half);
    const bool merged = troughStart >= 0;
    if (!merged && j >= 2) {
      const Lobe &before = lobes[j - 2], &trough = lobes[j - 1];
      const double need = c.end - half > onset + 0.5 * half ? level : 2 * level;
      if (before.Width() >= 0.6 * half && keepsHalf(trough) && before.peak >= need && -trough.peak >= need &&
          (before.peak >= 0.2 * c.peak || before.peak >= 3 * level) && -trough.peak >= 0.5 * c.peak) {
        first = j - 2;
      }
    }
    // Noise shifts every crossing, so a lobe that stands less far out of it
    // takes a line through more of them; a clean arrival's later lobes drift
    // with the envelope and the next arrival instead.
    const double start = LineThroughCrossings(lobes, first, half, c.peak >= 8 * level ? 2 : 4, troughStart);
    if (merged) first = j - 2;
    // The statistical onset lies on the first lobe's rise: late by up to most
    // of it on a smooth start, early by less than half of it. Otherwise this
    // is not its lobe; unless no crossing before it showed where it rose: the
    // window's first lobe, far out of a lead-in so quiet that its residual
    // kept to one side of zero. Without noise to measure against, the
    // statistics place the onset up to half a period early.
    const bool riseUnseen = j == 0 && c.peak >= 8 * level;
    if (start > onset + 0.75 * half && !riseUnseen) return -1;
    if (start >= onset - 1.2 * half - (j - first) * half) {
      if (halfPeriod) *halfPeriod = half;
      return start;
    }
  }
  return -1;
}

}  // namespace tarnix::picker

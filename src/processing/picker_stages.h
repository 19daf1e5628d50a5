#pragma once
// The stages of the first-arrival picker, exposed for stage-level tests. All
// indices are absolute sample indices into the waveform; every stage is a
// linear pass (moving sums are kept incrementally).
#include <vector>

namespace tarnix::picker {

// round(v) of the picker: one half added, then truncated toward zero.
inline int RoundUp(double v) { return static_cast<int>(v + 0.5); }

// Centred moving-average detrending window for a nominal frequency: a third of
// the frequency, in samples, made odd.
int DetrendWindow(double f0, double dtUs);
// d[k] = x[k] - centred mean of x over window samples; the series is extended
// by copies of its first and last sample.
std::vector<double> Detrend(const std::vector<float>& x, int ks, int ke, int window);
// The same, with the prefix sums of |d| over [ks, ke] (the sum over [ks, i) at
// i - ks) made in the same pass.
struct Detrended {
  std::vector<double> d;
  std::vector<double> absPrefix;
};
Detrended DetrendWithPrefix(const std::vector<float>& x, int ks, int ke, int window);

// Sign changes of a series over [from, to]: the fractional crossing, and the
// largest |value| of the half-cycle that ends there with its index.
struct HalfCycles {
  std::vector<double> crossing;
  std::vector<double> peak;
  std::vector<int> peakIndex;
};
HalfCycles FindHalfCycles(const double* v, int from, int to);

// Dominant frequency from the half-cycles; f0 when the estimate fails or lies
// outside [f0 / 1.6, 1.6 f0].
double DominantFrequency(const HalfCycles& h, int ks, int ke, double dtUs, double f0);

// Trailing (over twice the period) and forward (over one period) mean |d|, and
// their ratio, which peaks where energy starts.
struct OnsetRatio {
  std::vector<double> ratio;  // indexed from ks
  std::vector<double> before, after;  // the trailing and forward mean |d|
  std::vector<double> absPrefix;      // sum of |d| over [ks, i) at i - ks
  double contrast = 1.0;
  int k1 = 0;
  double rMax = 0.0;
};
OnsetRatio ComputeOnsetRatio(const std::vector<double>& d, int ks, int ke, double period);
// The same from the prefix sums of |d| that DetrendWithPrefix made.
OnsetRatio ComputeOnsetRatio(const std::vector<double>& d, std::vector<double> absPrefix, int ks, int ke,
                             double period);

// An onset within a period of the record's start is measured against the few
// samples that stand in for the lead-in its trailing window lacks; when the
// record after two periods holds a clear rise of its own, the strongest one
// there takes over k1 (and rMax), unless the onset stands plainly above the
// lead-in it has in x. Returns whether it did.
bool LeaveRecordStart(const std::vector<float>& x, const OnsetRatio& onset, int ks, int ke, double period, int& k1,
                      double& rMax);

// Whether most of what x holds over [from, to) away from its level in the
// `period` samples before sits in three samples: an electrical spike, which
// the detrending and smoothing spread over a cycle that then looks like an
// arrival's. A wave's or the noise's cycle spreads over many samples.
bool SpikeAt(const std::vector<float>& x, int ks, int from, int to, int period);

// x with every spike of one or two samples in [ks, ke] replaced by the straight
// line between the samples around it. A spike stands more than six times
// the largest step among the five samples on either side off that line; a
// wave sampled at a dozen samples a period or more never does.
std::vector<float> WithoutSpikes(const std::vector<float>& x, int ks, int ke);

// The record as the tests for a spike or a burst of broadband noise read it:
// before the smoothing that noise above the arrivals' band calls for, which
// spreads a spike and slows a burst's toggling down; the noise those tests
// measure against is read there too.
struct Unsmoothed {
  const std::vector<float>* x = nullptr;  // null: the record was not smoothed
  const std::vector<double>* d = nullptr;  // x detrended
  const OnsetRatio* onset = nullptr;       // the ratio's windows over d
  const std::vector<float>& Or(const std::vector<float>& smoothed) const { return x ? *x : smoothed; }
  const std::vector<double>& Or(const std::vector<double>& smoothed) const { return d ? *d : smoothed; }
  const OnsetRatio& Or(const OnsetRatio& smoothed) const { return onset ? *onset : smoothed; }
};

// An arrival before k1 that a stronger later one hid from the ratio: where the
// record x up to k1 splits best into noise and signal, or failing that the
// earliest place where d rises well above the quiet lead-in, provided the
// signal there stays up, coherently, for a cycle (when scanning, a cycle and
// a half, or a cycle above every earlier swell of the noise) and is not far
// weaker than the arrival at k1. Moves k1 (and rMax) there and returns true;
// otherwise leaves them exactly as they are.
bool GuardEarlierArrival(const std::vector<float>& x, const std::vector<double>& d, const OnsetRatio& onset, int ks,
                         double period, int& k1, double& rMax, const Unsmoothed& raw = {});

// A k1 on a swell of the noise: its first cycle under 2.6 times the lead-in's
// noise (or a burst of broadband noise of any strength), the record back
// down to twice the noise within eight periods after it, and then a coherent
// cycle three times the noise and, after a swell, half as high again. A
// lead-in that dies away (crosstalk ringing down) holds no such noise.
// Moves k1 (and rMax) to where that arrival starts and returns true;
// otherwise leaves them exactly as they are.
bool LeaveNoiseSwell(const std::vector<double>& d, const OnsetRatio& onset, int ks, int ke, double period, int& k1,
                     double& rMax, const Unsmoothed& raw = {});

// The energy around a pick, from the ratio's windows. Before it: whether the
// strongest cycle stands well above the lead-in's noise and is not far
// weaker than the pick's first cycle (an arrival the pick may have passed
// over), and its level against the pick's own first cycle (a pick that noise
// of its own size came before). Only windows ending a period and the
// detrending's reach (in samples) before the pick count, which the arrival
// at the pick does not leak into. Around it: the pick's first cycle against
// the lead-in's noise, the strongest of the first four cycles from the
// energy onset k1 against it, and the lead-in before k1 in periods.
struct EnergyAround {
  bool aboveNoise = false;
  double againstPick = 0.0;
  double overNoise = 0.0;
  double laterAgainstPick = 0.0;
  double leadPeriods = 0.0;
};
EnergyAround EnergyAroundPick(const OnsetRatio& onset, int ks, int pick, int k1, double period, int reach);

// Akaike's criterion for splitting v[from..to] into two stationary parts,
// noise then signal, from prefix sums in one pass: the first index of the
// second part. Splits are tried every `step` samples.
template <typename T>
int AicOnset(const T* v, int from, int to, int step = 1);

// A straight noise line with its level, fitted before the onset.
struct NoiseModel {
  double slope = 0.0;
  double intercept = 0.0;
  double sigma = 0.0;
};
// Least-squares line over x[s0..s1] with absolute indices.
template <typename T>
NoiseModel FitLine(const std::vector<T>& x, int s0, int s1);
NoiseModel MeasureNoise(const std::vector<float>& x, int ks, int k1, double period, double contrast);

// The baseline's own drift before the arrival, per sample: the slope of the
// line through x over [ks, end] when both its halves keep it; 0 when they
// part, as they do on a curved baseline and, as a rule, under noise of the
// arrivals' band (which tilts each half at random), and over two periods or
// less.
double LeadInDrift(const std::vector<float>& x, int ks, int end, double period);

// Mean |v| over window samples ending at k (trailing) or starting at k
// (forward); window positions outside [ks, ke] take the mean |v| of the first
// or last max(3, window / 10) samples of the range.
std::vector<double> TrailingMeanAbs(const std::vector<double>& v, int ks, int ke, int window);
std::vector<double> ForwardMeanAbs(const std::vector<double>& v, int ks, int ke, int window);

}  // namespace tarnix::picker

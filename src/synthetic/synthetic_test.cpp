#include "synthetic/synthetic_test.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "model/sample_conversion.h"

namespace tarnix {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// Causal wavelet starting at tau = 0 with a positive first motion: a sine under
// an envelope that peaks after about 1.25 periods. A smooth wavelet leaves
// zero with zero slope; a sharp one is a sine at full slope from the onset,
// its envelope a third up at once.
double Wavelet(double tau, double freqHz, bool sharp = false) {
  if (tau <= 0) return 0;
  const double peak = 1.25 / freqHz;
  const double x = tau / peak;
  const double envelope = sharp ? (1.0 + 2.0 * x) / 3.0 * std::exp(1.0 - x) * std::exp(-0.5 * x * x / 4)
                                : x * std::exp(1.0 - x);
  return envelope * std::sin(kTwoPi * freqHz * tau);
}

// The first arrival's wavelet, its envelope peaking at one.
double FirstWavelet(double tau, double freqHz, TraceRecipe::Onset kind) {
  using Onset = TraceRecipe::Onset;
  if (kind == Onset::Smooth || kind == Onset::Sharp) return Wavelet(tau, freqHz, kind == Onset::Sharp);
  if (tau <= 0) return 0;
  const double cycles = tau * freqHz;
  const double envelope =
      kind == Onset::SlowRise ? cycles * cycles * std::exp(2.0 - cycles) / 4.0 : std::exp(-cycles / 1.5);
  return envelope * std::sin(kTwoPi * cycles);
}

// Band-pass biquad (constant peak gain) for band-limited noise around the
// signal band.
std::vector<double> BandLimit(const std::vector<double>& x, double centreHz, double q, double fs) {
  const double w0 = kTwoPi * centreHz / fs;
  const double alpha = std::sin(w0) / (2 * q);
  const double a0 = 1 + alpha;
  const double b0 = alpha / a0, b2 = -alpha / a0;
  const double a1 = -2 * std::cos(w0) / a0, a2 = (1 - alpha) / a0;
  std::vector<double> y(x.size());
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    y[i] = b0 * x[i] + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x[i];
    y2 = y1;
    y1 = y[i];
  }
  return y;
}

double Rms(const std::vector<double>& v, size_t from, size_t to) {
  double sum = 0;
  size_t n = 0;
  for (size_t i = from; i < std::min(to, v.size()); ++i, ++n) sum += v[i] * v[i];
  return n > 0 ? std::sqrt(sum / n) : 0.0;
}

}  // namespace

SynthTrace SynthesizeTrace(const TraceRecipe& recipe, std::mt19937& rng) {
  const int n = std::max(recipe.datLen, 1);
  const double dt = recipe.dtUs * 1e-6;
  const double f = recipe.freqKHz * 1000.0;
  const double onset = recipe.onsetUs * 1e-6;
  std::uniform_real_distribution<double> unit(0.0, 1.0);

  std::vector<double> first(n), signal(n);
  for (int i = 0; i < n; ++i) first[i] = recipe.amplitude * FirstWavelet(i * dt - onset, f, recipe.onset);
  signal = first;
  for (const LaterArrival& e : recipe.arrivals) {
    const double start = onset + e.delayUs * 1e-6;
    for (int i = static_cast<int>(std::max(0.0, start / dt)); i < n; ++i) {
      signal[i] += e.gain * recipe.amplitude * Wavelet(i * dt - start, e.freqKHz * 1000.0, e.sharp);
    }
  }
  if (recipe.laterArrivals) {
    // A slower, stronger tube wave and a few coda echoes, each of either polarity.
    struct Echo { double delay, gain, freq; };
    const Echo echoes[] = {{0.6 * onset + 8 / f, 1.5 + 1.5 * unit(rng), 0.7 * f},
                           {3.0 / f + 2.0 / f * unit(rng), 0.5 * unit(rng), f},
                           {6.0 / f + 4.0 / f * unit(rng), 0.4 * unit(rng), 0.9 * f}};
    for (const Echo& e : echoes) {
      const double sign = unit(rng) < 0.5 ? -1.0 : 1.0;
      for (int i = 0; i < n; ++i) {
        signal[i] += sign * e.gain * recipe.amplitude * Wavelet(i * dt - onset - e.delay, e.freq);
      }
    }
  }

  const auto begin = static_cast<size_t>(std::max(0.0, std::ceil(onset / dt)));
  const auto end = static_cast<size_t>(std::ceil((onset + 1.0 / f) / dt));
  const double firstCycleRms = Rms(first, begin, end);
  std::normal_distribution<double> gauss(0.0, 1.0);
  // Band-limited noise comes out of a filter that has run long before the
  // record starts: a filter started at rest would leave a quiet first period
  // that no real record has.
  const bool banded = recipe.noise != TraceRecipe::Noise::White;
  const bool below = recipe.noise == TraceRecipe::Noise::BelowBand;
  const double centre = below ? f / 3 : f;
  const size_t settle = banded ? static_cast<size_t>(std::ceil(10.0 / (centre * dt))) : 0;
  std::vector<double> noise(n + settle);
  for (double& v : noise) v = gauss(rng);
  if (banded) noise = BandLimit(noise, centre, below ? 1.0 : 1.5, 1.0 / dt);
  noise.erase(noise.begin(), noise.begin() + static_cast<std::ptrdiff_t>(settle));
  const double noiseRms = Rms(noise, 0, noise.size());
  const double noiseScale =
      noiseRms > 0 ? firstCycleRms / std::pow(10.0, recipe.snrDb / 20.0) / noiseRms : 0.0;

  SynthTrace out;
  out.samples.resize(n);
  for (int i = 0; i < n; ++i) {
    const double drift = recipe.trend * std::sin(0.5 * 3.141592653589793 * i / n);
    const double v = std::round(signal[i] + noiseScale * noise[i] + recipe.dcOffset + drift);
    out.samples[i] = static_cast<uint16_t>(std::clamp(v, -2048.0, 2047.0) + kZeroLevel);
  }
  out.onsetIndex = onset / dt;
  const int halfCycleEnd = std::min(n, static_cast<int>(end));
  out.firstPeakIndex = static_cast<int>(begin);
  for (int i = static_cast<int>(begin); i < halfCycleEnd; ++i) {
    if (first[i] > first[out.firstPeakIndex]) out.firstPeakIndex = i;
  }
  return out;
}

namespace {

struct RockLayer {
  double bottom;  // m
  double velocity;  // km/s
  double freqKHz;
  double attenuation;  // amplitude factor
};

// Weathered top, sound rock, a fractured zone, and fresh rock at depth.
const RockLayer kColumn[] = {
    {2.5, 2.4, 21, 0.35}, {6.0, 4.3, 30, 0.8},  {8.0, 5.2, 34, 1.0}, {9.6, 2.1, 20, 0.25},
    {14.0, 5.0, 33, 0.9}, {1e9, 5.8, 38, 1.0},
};

const RockLayer& LayerAt(double depth) {
  for (const RockLayer& l : kColumn) {
    if (depth < l.bottom) return l;
  }
  return kColumn[std::size(kColumn) - 1];
}

// What the instrument records as the first arrival: the first sample after the
// onset whose deviation from the baseline reaches a tenth of the first peak.
int InstrumentPick(const SynthTrace& trace, double dcOffset) {
  const int n = static_cast<int>(trace.samples.size());
  const int from = std::clamp(static_cast<int>(std::ceil(trace.onsetIndex)), 0, n - 1);
  const int to = std::clamp(trace.firstPeakIndex, from, n - 1);
  const double level = 0.1 * (trace.samples[to] - kZeroLevel - dcOffset);
  for (int i = from; i <= to; ++i) {
    if (trace.samples[i] - kZeroLevel - dcOffset >= level) return i;
  }
  return from;
}

}  // namespace

SyntheticTest MakeSyntheticTest(const SynthOptions& options) {
  std::mt19937 rng(options.seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  SyntheticTest t;
  TestHeader& h = t.header;
  h.site = "合成测试场地";
  h.date = "2026-12-07";
  h.unit = "Tarnix";
  h.person = "synth";
  h.inst = "KVT-SYN";
  h.m_holeID = "ZK01";
  h.move = 0.2f;
  h.pipeNum = 3;
  h.pileD = 0.076f;
  h.sensorD = 35.0f;
  h.dT = options.dtUs;
  h.datLen = 1024;
  const int points = std::max(options.points, 2);
  const float shallowest = 0.4f;
  h.pileLen = shallowest + (points - 1) * h.move;
  h.pipeDepth.fill(h.pileLen);

  const double waterUs = (76.0 - h.sensorD) / 2.0 / 1500.0 * 1000.0 * 2.0;  // in and out
  const float spans[2] = {0.5f, 0.8f};
  for (int si = 0; si < 2; ++si) {
    SectionRecord& s = t.sections[si];
    s.sourPipe = 0;
    s.destPipe = si + 1;
    s.crossD = spans[si];
    s.gain = 100.0f;
    s.dT = options.dtUs;
    s.datLen = h.datLen;
    s.filtL = 0.0f;
    s.filtH = 0.0f;
    s.valid = true;
  }
  // Logged from the bottom up; the same two-receiver shot gives both sections.
  for (int i = points - 1; i >= 0; --i) {
    const float depth = shallowest + i * h.move;
    const RockLayer& layer = LayerAt(depth);
    const double velocity = layer.velocity * (1.0 + 0.04 * (unit(rng) - 0.5));
    const double strength = 700.0 * layer.attenuation * (0.8 + 0.4 * unit(rng));
    for (int si = 0; si < 2; ++si) {
      SectionRecord& s = t.sections[si];
      TraceRecipe recipe;
      recipe.dtUs = options.dtUs;
      recipe.datLen = h.datLen;
      recipe.onsetUs = waterUs + spans[si] / velocity * 1000.0;
      recipe.freqKHz = layer.freqKHz * (1.0 - 0.15 * si);  // the far receiver hears less
      recipe.amplitude = strength * (si == 0 ? 1.0 : 0.55);
      recipe.snrDb = options.snrDb;
      recipe.noise = unit(rng) < 0.5 ? TraceRecipe::Noise::ArrivalBand : TraceRecipe::Noise::White;
      recipe.dcOffset = 30.0 * (unit(rng) - 0.5);
      recipe.trend = 20.0 * (unit(rng) - 0.5);
      const SynthTrace trace = SynthesizeTrace(recipe, rng);
      const int pick = InstrumentPick(trace, recipe.dcOffset);
      const double volts = SampleVolts(trace.samples[trace.firstPeakIndex], s.gain);
      const float ampDb = static_cast<float>(VoltsToDb(volts));
      s.AppendPoint(trace.samples.data(), h.datLen, depth, depth, spans[si], s.gain,
                    pick * options.dtUs, trace.firstPeakIndex * options.dtUs, ampDb);
    }
  }
  for (SectionRecord& s : t.sections) s.RebuildAmpDb();
  return t;
}

}  // namespace tarnix

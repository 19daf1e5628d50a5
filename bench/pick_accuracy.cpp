// Accuracy of the automatic picker on labelled synthetic waveforms like those
// of single-hole logs: a first arrival of 15-45 kHz starting sharply or
// smoothly anywhere from 15 % to 85 % of the record, a stronger, slower shear
// arrival from three periods after it, a still stronger low-frequency tube
// wave later, a weak coda, white or band-limited noise, DC offsets and slow
// trends. Per SNR: median |error| of the stored index in samples, the share
// within 3 samples and of gross errors (> 10), and how the quality classes
// fall on good (within 3) and gross picks. Five more tables give the same for
// noise far below the arrival's band, with the filters off and with the
// high-pass on, for first arrivals of two other envelopes, and on a baseline
// drifting straight or bowed by up to three times the arrival. Every row
// also gives the share within 3 and of gross errors of two textbook pickers on
// the same traces: the whole-record AIC and a recursive STA/LTA with AIC.
//
//   build/bench/bench/pick_accuracy [traces-per-cell [seed]]
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "model/sample_conversion.h"
#include "processing/picker.h"
#include "reference_pickers.h"
#include "synthetic/synthetic_test.h"

namespace {

struct Outcome {
  double error = 0;
  tarnix::PickQuality quality = tarnix::PickQuality::Good;
  bool energyMiss = false;  // the energy-ratio onset more than two periods off
  double aicError = 0, staLtaError = 0;  // the textbook pickers'
};

tarnix::TraceRecipe RandomRecipe(double snr, double dt, tarnix::TraceRecipe::Noise noise, std::mt19937& rng) {
  std::uniform_real_distribution<double> u(0, 1);
  tarnix::TraceRecipe recipe;
  recipe.dtUs = dt;
  recipe.datLen = 1024;
  recipe.onsetUs = recipe.datLen * dt * (0.15 + 0.7 * u(rng));
  recipe.freqKHz = 15 + 30 * u(rng);
  recipe.onset = u(rng) < 0.5 ? tarnix::TraceRecipe::Onset::Sharp : tarnix::TraceRecipe::Onset::Smooth;
  recipe.amplitude = 300 + 900 * u(rng);
  recipe.snrDb = snr;
  recipe.noise = noise;
  recipe.dcOffset = 200 * (u(rng) - 0.5);
  recipe.trend = 100 * (u(rng) - 0.5);
  recipe.laterArrivals = false;
  const double periodUs = 1000.0 / recipe.freqKHz;
  auto sign = [&] { return u(rng) < 0.5 ? -1.0 : 1.0; };
  const double shearDelay = periodUs * (3 + 3 * u(rng));
  recipe.arrivals = {
      {shearDelay, sign() * (1 + 2 * u(rng)), recipe.freqKHz * (0.5 + 0.35 * u(rng)), u(rng) < 0.5},
      {shearDelay + periodUs * (2 + 4 * u(rng)), sign() * (1.5 + 2.5 * u(rng)), 4 + 6 * u(rng), false},
      {periodUs * (1.5 + 2 * u(rng)), sign() * 0.25 * u(rng), recipe.freqKHz * 0.9, false},
  };
  return recipe;
}

// A baseline under the record, of up to `size` times the arrival's amplitude
// over the record and of either sign: drifting straight, or bowed by a slow
// wander (a parabola from its turning point, anywhere in the record).
struct Baseline {
  enum class Shape { Flat, Straight, Bowed } shape = Shape::Flat;
  double size = 0;
};

// highPassHz 0: filters off (a low-pass would delay the onset it is measured
// against). The baseline is clipped at the converter's limits.
Outcome PickOne(const tarnix::TraceRecipe& recipe, float highPassHz, std::mt19937& rng, Baseline baseline = {}) {
  tarnix::SynthTrace trace = tarnix::SynthesizeTrace(recipe, rng);
  if (baseline.shape != Baseline::Shape::Flat) {
    std::uniform_real_distribution<double> u(-1, 1);
    const double total = baseline.size * recipe.amplitude * u(rng);
    const double turn = baseline.shape == Baseline::Shape::Bowed ? 0.5 + 0.5 * u(rng) : 0.0;
    const double n = static_cast<double>(trace.samples.size());
    for (size_t i = 0; i < trace.samples.size(); ++i) {
      const double x = i / n;
      const double v = trace.samples[i] +
                       total * (baseline.shape == Baseline::Shape::Straight ? x - 0.5 : (x - turn) * (x - turn));
      trace.samples[i] = static_cast<uint16_t>(std::clamp(std::round(v), 0.0, static_cast<double>(tarnix::kFullScale)));
    }
  }
  const float dt = static_cast<float>(recipe.dtUs);
  Outcome o;
  const std::vector<double> raw = tarnix::bench::CenteredSamples(trace.samples);
  o.aicError = std::fabs(tarnix::bench::WholeRecordAic(raw) - trace.onsetIndex);
  o.staLtaError = std::fabs(tarnix::bench::StaLtaAic(raw, 1e6 / tarnix::kNominalFrequency / dt) - trace.onsetIndex);
  const tarnix::WaveformPick pick =
      tarnix::PickWaveform(static_cast<int>(trace.samples.size()), trace.samples.data(), dt, 0.0f, highPassHz > 0,
                           highPassHz, false, 0);
  o.error = std::fabs(static_cast<int>(pick.arrivalTime / dt) - trace.onsetIndex);
  o.quality = pick.quality;
  const double period = 1000.0 / recipe.freqKHz / recipe.dtUs;
  o.energyMiss = std::fabs(pick.energyOnset - trace.onsetIndex) > 2 * period;
  return o;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Shares of good / doubtful / poor among the outcomes that pass the filter.
template <typename Keep>
std::array<double, 3> QualityShares(const std::vector<Outcome>& all, Keep keep) {
  std::array<double, 3> count{};
  double n = 0;
  for (const Outcome& o : all) {
    if (!keep(o)) continue;
    count[static_cast<int>(o.quality)] += 1;
    n += 1;
  }
  for (double& c : count) c = n > 0 ? 100 * c / n : 0;
  return count;
}

// One table row per SNR over traces of each noise kind, dT 1 and 0.5 us; with
// otherOnsets, the sharp first arrivals die away within a cycle and a half
// and the smooth ones rise as the square of the time; the baseline as in
// PickOne.
void PrintTable(const std::vector<tarnix::TraceRecipe::Noise>& kinds, float highPassHz, int traces,
                std::mt19937& rng, bool otherOnsets = false, Baseline baseline = {}) {
  using Onset = tarnix::TraceRecipe::Onset;
  std::printf(
      "SNR   median  within3   gross  energy-miss | good: g/d/p %%     | gross: g/d/p %%     | AIC: within3 gross"
      " | STA/LTA+AIC\n");
  std::vector<Outcome> pooled;
  for (double snr : {40.0, 20.0, 10.0, 5.0}) {
    std::vector<Outcome> all;
    for (double dt : {1.0, 0.5}) {
      for (tarnix::TraceRecipe::Noise noise : kinds) {
        for (int t = 0; t < traces; ++t) {
          tarnix::TraceRecipe recipe = RandomRecipe(snr, dt, noise, rng);
          if (otherOnsets) recipe.onset = recipe.onset == Onset::Sharp ? Onset::Damped : Onset::SlowRise;
          all.push_back(PickOne(recipe, highPassHz, rng, baseline));
        }
      }
    }
    std::vector<double> errors;
    double within = 0, gross = 0, misses = 0, aic[2] = {0, 0}, staLta[2] = {0, 0};
    for (const Outcome& o : all) {
      errors.push_back(o.error);
      within += o.error <= 3;
      gross += o.error > 10;
      misses += o.energyMiss;
      aic[0] += o.aicError <= 3;
      aic[1] += o.aicError > 10;
      staLta[0] += o.staLtaError <= 3;
      staLta[1] += o.staLtaError > 10;
    }
    const double n = static_cast<double>(all.size());
    const auto good = QualityShares(all, [](const Outcome& o) { return o.error <= 3; });
    const auto bad = QualityShares(all, [](const Outcome& o) { return o.error > 10; });
    std::printf(
        "%2.0f dB %6.2f  %6.1f%%  %5.1f%%  %6.1f%%     | %4.0f %4.0f %4.0f     | %4.0f %4.0f %4.0f     "
        "| %5.1f%% %5.1f%%     | %5.1f%% %5.1f%%\n",
        snr, Median(errors), 100 * within / n, 100 * gross / n, 100 * misses / n, good[0], good[1], good[2], bad[0],
        bad[1], bad[2], 100 * aic[0] / n, 100 * aic[1] / n, 100 * staLta[0] / n, 100 * staLta[1] / n);
    pooled.insert(pooled.end(), all.begin(), all.end());
  }
  const auto good = QualityShares(pooled, [](const Outcome& o) { return o.error <= 3; });
  const auto bad = QualityShares(pooled, [](const Outcome& o) { return o.error > 10; });
  std::printf("all SNRs: %.1f%% of good picks flagged, %.1f%% of gross ones\n", good[1] + good[2], bad[1] + bad[2]);
}

}  // namespace

int main(int argc, char** argv) {
  using Noise = tarnix::TraceRecipe::Noise;
  const int traces = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;
  std::mt19937 rng(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2026u);
  std::printf("Positive first motion; %d traces per SNR (dT 1 and 0.5 us, white and band-limited noise)\n",
              4 * traces);
  PrintTable({Noise::White, Noise::ArrivalBand}, 0, traces, rng);
  std::printf("\nNoise far below the arrival's band (a third of its frequency); %d traces per SNR\n", 2 * traces);
  PrintTable({Noise::BelowBand}, 0, traces, rng);
  std::printf("\nThe same with the high-pass on at 20 kHz (the picking copy high-passed once more)\n");
  PrintTable({Noise::BelowBand}, 20000, traces, rng);
  std::printf("\nFirst arrivals dying away within a cycle and a half, or rising as the square of the time\n");
  PrintTable({Noise::White, Noise::ArrivalBand}, 0, traces, rng, true);
  std::printf("\nA baseline drifting straight by up to three times the arrival's amplitude over the record\n");
  PrintTable({Noise::White, Noise::ArrivalBand}, 0, traces, rng, false, {Baseline::Shape::Straight, 3.0});
  std::printf("\nA baseline bowed by a slow wander of up to three times the arrival's amplitude over the record\n");
  PrintTable({Noise::White, Noise::ArrivalBand}, 0, traces, rng, false, {Baseline::Shape::Bowed, 3.0});
  return 0;
}

// Accuracy of the automatic picker on labelled synthetic waveforms: per SNR the
// median and 95th percentile of |error| and the share of gross errors (> 10
// samples), in samples, for the core onset and for the stored arrival index.
//
//   build/bench/bench/pick_accuracy [traces-per-cell]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "synthetic/synthetic_test.h"
#include "processing/picker.h"

namespace {

struct Errors {
  std::vector<double> core, stored;
  int energyMisses = 0;  // the energy-ratio onset more than two periods off
};

double Percentile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5))];
}

double Share(const std::vector<double>& v, double limit, bool above) {
  if (v.empty()) return 0;
  const auto n = std::count_if(v.begin(), v.end(), [&](double e) { return above ? e > limit : e <= limit; });
  return 100.0 * n / v.size();
}

Errors Measure(double snr, double dt, bool bandLimited, double polarity, float lowPassKHz, int traces,
               std::mt19937& rng) {
  std::uniform_real_distribution<double> u(0, 1);
  Errors e;
  for (int t = 0; t < traces; ++t) {
    tarnix::TraceSpec spec;
    spec.dtUs = dt;
    spec.datLen = 1024;
    const double record = 1024 * dt;
    spec.onsetUs = record * (0.1 + 0.45 * u(rng));
    spec.freqKHz = 20 + 20 * u(rng);
    spec.amplitude = polarity * (300 + 900 * u(rng));
    spec.snrDb = snr;
    spec.bandLimitedNoise = bandLimited;
    spec.dcOffset = 200 * (u(rng) - 0.5);
    spec.trend = 100 * (u(rng) - 0.5);
    tarnix::SynthTrace trace = tarnix::SynthesizeTrace(spec, rng);

    const bool lowPass = lowPassKHz > 0;
    const tarnix::WaveformPick pick =
        tarnix::PickWaveform(static_cast<int>(trace.samples.size()), trace.samples.data(), static_cast<float>(dt),
                             0.0f, false, 0, lowPass, lowPassKHz * 1000.0f);
    const int index = static_cast<int>(pick.arrivalTime / dt);
    e.stored.push_back(std::fabs(index - trace.onsetIndex));

    // The core on the same filtered waveform, for its fractional onset.
    std::vector<float> x(trace.samples.size());
    for (size_t i = 0; i < x.size(); ++i) x[i] = trace.samples[i] - 2048.0f;
    const tarnix::CorePick core = tarnix::PickCore(0, dt, x, 0, (x.size() - 1) * dt);
    e.core.push_back(std::fabs(core.onset - trace.onsetIndex));
    const double period = 1000.0 / spec.freqKHz / dt;
    if (std::fabs(core.energyOnset - trace.onsetIndex) > 2 * period) ++e.energyMisses;
  }
  return e;
}

void Row(const char* label, const std::vector<double>& v) {
  std::printf("  %-7s median %5.2f  p95 %7.2f  within 3: %5.1f%%  gross: %5.1f%%\n", label, Percentile(v, 0.5),
              Percentile(v, 0.95), Share(v, 3, false), Share(v, 10, true));
}

}  // namespace

int main(int argc, char** argv) {
  const int traces = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;
  std::mt19937 rng(2026);
  struct Set {
    const char* name;
    double polarity;
    float lowPassKHz;
  };
  // Filters off: a low-pass would delay the onset it is measured against.
  const Set sets[] = {{"Positive first motion", 1.0, 0.0f}, {"Negative first motion", -1.0, 0.0f}};
  for (const Set& set : sets) {
    std::printf("%s; %d traces per SNR (dT 1 and 0.5 us, white and band-limited noise)\n", set.name, 4 * traces);
    for (double snr : {40.0, 20.0, 10.0, 5.0, 0.0}) {
      Errors all;
      for (double dt : {1.0, 0.5}) {
        for (bool band : {false, true}) {
          const Errors e = Measure(snr, dt, band, set.polarity, set.lowPassKHz, traces, rng);
          all.core.insert(all.core.end(), e.core.begin(), e.core.end());
          all.stored.insert(all.stored.end(), e.stored.begin(), e.stored.end());
          all.energyMisses += e.energyMisses;
        }
      }
      std::printf("SNR %2.0f dB  (energy-ratio onset off by more than 2 periods: %.1f%%)\n", snr,
                  100.0 * all.energyMisses / all.core.size());
      Row("core", all.core);
      Row("stored", all.stored);
    }
  }
  return 0;
}

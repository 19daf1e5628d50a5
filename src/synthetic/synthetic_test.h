#pragma once
// Synthetic borehole sonic tests with known first arrivals: a realistic
// two-receiver probe test for demonstrations and tests, and single labelled
// traces for measuring pickers.
#include <cstdint>
#include <random>
#include <vector>

#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

// A later arrival added to the first: shear, tube wave or coda.
struct LaterArrival {
  double delayUs = 0;   // after the first arrival's onset
  double gain = 1;      // envelope peak relative to the first arrival's
  double freqKHz = 30;
  bool sharp = false;
};

struct TraceRecipe {
  double dtUs = 1.0;
  int datLen = 1024;
  double onsetUs = 150.0;       // true first arrival
  double freqKHz = 30.0;        // dominant frequency of the first arrival
  double amplitude = 800.0;     // counts, envelope peak of the first arrival
  double snrDb = 30.0;          // 20 log10(rms of the first cycle / rms of the noise)
  // White noise, noise of the first arrival's own band, or noise far below
  // it (flow, hum, a tube wave ringing on) around a third of its frequency.
  enum class Noise { White, ArrivalBand, BelowBand };
  Noise noise = Noise::White;
  double dcOffset = 0.0;        // counts
  double trend = 0.0;           // counts of slow drift over the record
  bool laterArrivals = true;    // tube wave and coda, of random polarity
  // How the first arrival starts: with zero slope, rising as the time under
  // its envelope; with full slope; with zero slope and curvature, its
  // envelope rising as the square of the time (a probe ringing up, the first
  // lobe a tenth of the next); or with full slope and dying away within a
  // cycle and a half.
  enum class Onset { Smooth, Sharp, SlowRise, Damped };
  Onset onset = Onset::Smooth;
  std::vector<LaterArrival> arrivals;  // explicit later arrivals, added as given
};

struct SynthTrace {
  std::vector<uint16_t> samples;  // 12-bit offset binary
  double onsetIndex = 0;          // true onset in samples (fractional)
  int firstPeakIndex = 0;         // largest sample of the first half-cycle
};

// One trace; the first motion is positive.
SynthTrace SynthesizeTrace(const TraceRecipe& recipe, std::mt19937& rng);

struct SynthOptions {
  int points = 100;   // points per receiver
  uint32_t seed = 1;
  float dtUs = 1.0f;
  double snrDb = 30.0;
};

struct SyntheticTest {
  TestHeader header;
  Sections sections;
};

// A hole logged from the bottom up with a probe of one transmitter and two
// receivers 0.5 m and 0.8 m away (sections 0 and 1), through a layered rock
// column of 2-6 km/s with a weak fractured zone. Picks and amplitudes are what
// a simple instrument threshold would record.
SyntheticTest MakeSyntheticTest(const SynthOptions& options);

}  // namespace tarnix

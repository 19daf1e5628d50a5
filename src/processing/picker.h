#pragma once
// Automatic first-arrival picking of one waveform: plain arrays in, picks out.
// No document and no user interface, so it can be measured and tested alone.
#include <cstdint>
#include <vector>

#include "model/sam_node.h"

namespace tarnix {

inline constexpr double kNominalFrequency = 30000.0;  // Hz

struct CorePick {
  double onset = 0.0;   // kOn: fractional sample index of the first arrival
  int peak = 0;         // kPk: sample index of the amplitude pick
  int refined = 0;      // the refined onset of the first-motion half-cycle
  int energyOnset = 0;  // k1: where the energy ratio put the onset
  PickQuality quality = PickQuality::Good;
};

// The core picker on a filtered, zero-centred waveform x whose first sample is
// at delay µs; tStart and tEnd bound the search in µs; f0 is the nominal
// frequency in Hz. When x went through a high-pass, beforeHighPass is the
// same record (of the same length) as it was before, on which the first
// motion is read.
CorePick PickCore(double delay, double dtUs, const std::vector<float>& x, double tStart, double tEnd,
                  double f0 = kNominalFrequency, const std::vector<float>* beforeHighPass = nullptr);

struct WaveformPick {
  int arrivalTime = 0;  // whole µs from the first sample
  int ampTime = 0;
  int refined = 0;
  int energyOnset = 0;
  PickQuality quality = PickQuality::Good;
};

// Filters the working samples in place with the channel's settings (cut-offs in
// Hz), then picks a copy that is high-passed once more at 20 kHz when the
// high-pass is on; the first motion then on the samples before the high-pass.
WaveformPick PickWaveform(int n, uint16_t* samples, float dtUs, float delay, bool highPassOn, float highPassHz,
                          bool lowPassOn, float lowPassHz);

}  // namespace tarnix

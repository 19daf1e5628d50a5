#pragma once
// Second-order Butterworth high-pass and low-pass filters: the only filters of
// the system, used for the shown waveforms, by the picker and for the dominant
// frequency.
#include <cstdint>

namespace tarnix {

// Low-pass by the bilinear transform without pre-warping. dtSeconds 0 copies.
// in and out may be the same array.
void LowPass2(int count, const float* in, float* out, double dtSeconds, float cutoffHz);
// High-pass by the bilinear transform with pre-warping; the cut-off is whole Hz.
void HighPass2(int count, const float* in, float* out, double dtSeconds, int cutoffHz);
// The same as if leadCount (at least 2) copies of lead had gone before in;
// only the count samples behind them are written.
void HighPass2Behind(int count, const float* in, float* out, double dtSeconds, int cutoffHz, float lead,
                     int leadCount);

// A copy of filtered samples high-passed once more, as if leadCount (at least
// 2) copies of the first, rounded, had gone before (HighPass2Behind); and,
// when beforeHighPass is given, the samples as they were before the first
// high-pass (low-passed when that is on).
struct HighPassedCopy {
  float* samples;  // apart from the filtered ones
  int cutoffHz;
  int leadCount;
  float* beforeHighPass = nullptr;
};

// Filters n offset-binary words (zero level 2048) behind a straight lead-in ramp
// that settles the filters before the first sample; low-pass first. dtUs is the
// sampling interval in µs, cut-offs in Hz. Both filters off copies exactly.
// in and out may be the same array.
void FilterWords(int n, const uint16_t* in, uint16_t* out, float dtUs, bool highPassOn,
                 float highPassHz, bool lowPassOn, float lowPassHz);
// The same on zero-centred floats, in place; with a copy, that too, in the
// same pass where it can be.
void FilterFloats(int n, float* x, float dtUs, bool highPassOn, float highPassHz, bool lowPassOn,
                  float lowPassHz, const HighPassedCopy* copy = nullptr);

// Lead-in length in samples for a sampling interval: 10 µs worth, within 8..32;
// 0 when no filter is on, or for an interval that is not a finite number,
// which filters nothing.
int FilterLeadIn(float dtUs, bool anyFilterOn);

}  // namespace tarnix

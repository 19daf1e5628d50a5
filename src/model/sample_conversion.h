#pragma once
// Conversions of 12-bit offset-binary samples (zero level 2048) to physical units.
#include <cstdint>

namespace tarnix {

inline constexpr uint16_t kZeroLevel = 2048;
inline constexpr uint16_t kFullScale = 4095;  // the converter's top; its bottom is 0
// The value that stands in for "no amplitude": 1 µV, which is 0 dB.
inline constexpr double kFloorVolts = 1e-6;

// Volts of a sample under the given gain; kFloorVolts when the gain is 0.
double SampleVolts(uint16_t sample, float gain);
double VoltsToMillivolts(double volts);
// dB relative to 1 µV. The value passes once through single precision as
// millivolts, as the displays have always shown it; exactly 0 gives 0 dB.
double VoltsToDb(double volts);

}  // namespace tarnix

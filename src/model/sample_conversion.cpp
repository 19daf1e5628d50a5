#include "model/sample_conversion.h"

#include <cmath>

namespace tarnix {

double SampleVolts(uint16_t sample, float gain) {
  if (gain == 0.0f) return kFloorVolts;
  return (static_cast<int>(sample) - kZeroLevel) * 2.0 / 2048.0 / gain;
}

double VoltsToMillivolts(double volts) { return volts * 1000.0; }

double VoltsToDb(double volts) {
  const float millivolts = static_cast<float>(volts * 1000.0);
  const double u = millivolts / 1000.0;
  if (u == 0.0) return 0.0;
  return 20.0 * std::log10(std::fabs(u) / kFloorVolts);
}

}  // namespace tarnix

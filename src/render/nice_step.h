#pragma once
// Tick spacings of the axes and rulers.
#include <cmath>

namespace tarnix {

// The smallest of 1, 2 or 5 times a power of ten that is at least `least`.
inline double NiceStep(double least) {
  if (!(least > 0.0)) return 1.0;
  const double power = std::pow(10.0, std::floor(std::log10(least)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= least) return m * power;
  }
  return 10.0 * power;
}

}  // namespace tarnix

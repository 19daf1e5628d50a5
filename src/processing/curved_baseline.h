#pragma once
// A baseline that curves across the lead-in: the slow wander of a tool still
// settling, or a trend far below the arrivals' band, which a straight line
// leaves bowed away from zero by more than a weak first lobe stands.
#include <optional>
#include <vector>

#include "processing/picker_stages.h"

namespace tarnix::picker {

// c0 + c1 t + c2 t², t = i - centre.
struct Parabola {
  double centre = 0, c0 = 0, c1 = 0, c2 = 0;
  double operator()(int i) const {
    const double t = i - centre;
    return c0 + t * (c1 + t * c2);
  }
};

// The parabola through x less `line` over [from, to] when it carries on past
// the stretch it was fitted to: fitted without the last `held` samples, it
// must predict them where the line no longer does (off by more than `level`,
// which the picker's lobes would notice), to within `level` or twice its own
// fit; and a curve must take most of what the line leaves, over the held
// samples and over the whole stretch, or it only follows the noise. Nothing
// when the stretch holds too few samples to tell.
std::optional<Parabola> CurveCarriedOn(const std::vector<float>& x, const NoiseModel& line, int from, int to, int held,
                                       double level);

}  // namespace tarnix::picker

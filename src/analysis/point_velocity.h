#pragma once
// Compression-wave velocity of a point from the probe's two receivers.
#include "model/section_record.h"

namespace tarnix {

// |L1 - L2| * 1000 / |T1 - T2| in km/s from the spans and arrival times of point
// i in both receivers; 0 when the times are equal or a receiver lacks the point.
float PointVp(const SectionRecord& first, const SectionRecord& second, int i);

}  // namespace tarnix

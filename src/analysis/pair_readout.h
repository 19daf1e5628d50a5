#pragma once
// What the analysis pane and the data table show of one point of a receiver
// pair: depth, the two times and spans and their differences, and Vp.
#include "model/section_record.h"

namespace tarnix {

// True when the two times differ by less than a tenth's rounding: their
// difference prints as "0.0", and the pair's Vp is then shown as 0, whatever
// the unrounded difference would give.
bool TimesReadAlike(float t1, float t2);

struct PairReadout {
  double depth = 0.0;     // m
  double t1 = 0.0;        // µs
  double t2 = 0.0;
  double timeDiff = 0.0;  // |T1 - T2|
  double span1 = 0.0;     // m
  double span2 = 0.0;
  double spanDiff = 0.0;  // |L1 - L2|, m
  double vp = 0.0;        // km/s; 0 when the times read alike

  bool operator==(const PairReadout&) const = default;
};

// Point i of both receivers; a point one receiver lacks reads as zeros there.
PairReadout PairReadoutAt(const SectionRecord& first, const SectionRecord& second, int i);

// The depth of point i (its stored depth, the point's own one before the
// arrays are built).
float PointDepth(const SectionRecord& s, int i);

}  // namespace tarnix

#include "analysis/pair_readout.h"

#include <cmath>

#include "analysis/point_velocity.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

float ArrivalAt(const SectionRecord& s, int i) {
  return i >= 0 && i < static_cast<int>(s.arrivalTime.size()) ? s.arrivalTime[i] : 0.0f;
}

}  // namespace

bool TimesReadAlike(float t1, float t2) { return CFormat("%.1f", std::fabs(static_cast<double>(t1) - t2)) == "0.0"; }

float PointDepth(const SectionRecord& s, int i) {
  if (i >= 0 && i < static_cast<int>(s.depths.size())) return s.depths[i];
  const CSamNode* p = s.PointAt(i);
  return p != nullptr ? p->sourL : 0.0f;
}

PairReadout PairReadoutAt(const SectionRecord& first, const SectionRecord& second, int i) {
  PairReadout r;
  r.depth = PointDepth(first, i);
  r.t1 = ArrivalAt(first, i);
  r.t2 = ArrivalAt(second, i);
  r.timeDiff = std::fabs(r.t1 - r.t2);
  const CSamNode* p1 = first.PointAt(i);
  const CSamNode* p2 = second.PointAt(i);
  r.span1 = p1 != nullptr ? p1->span : 0.0;
  r.span2 = p2 != nullptr ? p2->span : 0.0;
  r.spanDiff = std::fabs(r.span1 * 1000.0 - r.span2 * 1000.0) / 1000.0;
  r.vp = TimesReadAlike(static_cast<float>(r.t1), static_cast<float>(r.t2)) ? 0.0 : PointVp(first, second, i);
  return r;
}

}  // namespace tarnix

#include "analysis/point_velocity.h"

#include <cmath>

namespace tarnix {

float PointVp(const SectionRecord& first, const SectionRecord& second, int i) {
  const CSamNode* p1 = first.PointAt(i);
  const CSamNode* p2 = second.PointAt(i);
  if (p1 == nullptr || p2 == nullptr || i >= static_cast<int>(first.arrivalTime.size()) ||
      i >= static_cast<int>(second.arrivalTime.size())) {
    return 0.0f;
  }
  const float t1 = first.arrivalTime[i];
  const float t2 = second.arrivalTime[i];
  if (t1 == t2) return 0.0f;
  return std::fabs(p1->span - p2->span) * 1000.0f / std::fabs(t1 - t2);
}

}  // namespace tarnix

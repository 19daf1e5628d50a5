#include "analysis/point_evaluation.h"

#include <cstddef>

namespace tarnix {

void RebuildGrades(SectionRecord& section) {
  const size_t n = section.points.size();
  section.grades.assign(n, 0.0f);
  for (size_t i = 0; i < n; ++i) {
    if (!section.points[i].HasWaveform()) continue;
    const float v = i < section.velocity.size() ? section.velocity[i] : 0.0f;
    const float a = i < section.ampDb.size() ? section.ampDb[i] : 0.0f;
    const int below = (v < section.criticalV ? 1 : 0) + (a < section.criticalA ? 1 : 0);
    section.grades[i] = static_cast<float>(1 + below);
  }
}

}  // namespace tarnix

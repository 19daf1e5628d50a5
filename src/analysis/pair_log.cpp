#include "analysis/pair_log.h"

#include <algorithm>
#include <cmath>

#include "analysis/point_velocity.h"

namespace tarnix {
namespace {

float At(const std::vector<float>& values, int i) {
  return i >= 0 && i < static_cast<int>(values.size()) ? values[static_cast<size_t>(i)] : 0.0f;
}

}  // namespace

PairLog BuildPairLog(const Receivers& pair, float move) {
  PairLog log;
  if (pair.first == nullptr || pair.second == nullptr || !pair.first->valid || !pair.second->valid) return log;
  const SectionRecord& a = *pair.first;
  const SectionRecord& b = *pair.second;
  log.span1 = a.crossD;
  log.span2 = b.crossD;
  log.step = move > 0.0f ? move : 0.0f;
  const int first = std::max(a.firstIndex, 0);
  const int last = std::min(a.lastIndex, a.PointCount() - 1);
  // Points are held deepest first.
  for (int i = last; i >= first; --i) {
    LogRow r;
    r.depth = a.points[static_cast<size_t>(i)].sourL;
    const CSamNode* q = b.PointAt(i);
    r.measured = a.points[static_cast<size_t>(i)].HasWaveform() && q != nullptr && q->HasWaveform();
    if (r.measured) {
      r.t1 = At(a.arrivalTime, i);
      r.t2 = At(b.arrivalTime, i);
      r.dt = std::fabs(r.t2 - r.t1);
      r.vp = PointVp(a, b, i);
      r.amp1 = At(a.ampDb, i);
      r.amp2 = At(b.ampDb, i);
      r.freq = At(a.mainFreq, i);
    }
    log.rows.push_back(r);
  }
  return log;
}

}  // namespace tarnix

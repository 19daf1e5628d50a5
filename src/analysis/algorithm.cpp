#include "analysis/algorithm.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/point_velocity.h"
#include "analysis/statistics.h"

namespace tarnix {

float CAlgorithm::CalcAmpCritical(const float*, int, const SectionRecord&, int) const { return 0.0f; }

float CAlgorithm::CalcMaxValue(const float* values, int count, const SectionRecord& section, int step) const {
  return CalcMaximum(values, count, section, step);
}

float CAlgorithm::ReservedValue(const float*, int, const SectionRecord&, int) const { return 0.0f; }

float CAlgorithm::CalcVelocityStats(const float*, int, const Sections&, int, float&, float&, float&, int) const {
  return 0.0f;
}

float CAlgorithm::CalcVelocityCritical(const float*, int, const Sections&, int, int) const { return 0.0f; }

void CAlgorithm::ReservedAction(int, int, int, int, int, int) {}

float CAlgorithm::GetMinValidDepth(const Receivers&) const { return 0.0f; }

float CAlgorithm::PageYToDepth(float, int, int, int, int, int, int, int, int) const { return 0.0f; }

int CAlgorithm::FindNearestPoint(const Receivers&, float) const { return 0; }

int CAlgorithm::CalcAverageVp(const Receivers&, float, float) const { return 0; }

float CAlgorithm::CalcPoissonRatio(int, int) const { return 0.0f; }

float CAlgorithm::CalcDynamicModulus(int, float, float, int, int) const { return 0.0f; }

float CAlgorithm::CalcIntegrityIndex(int, int) const { return 0.0f; }

Receivers ReceiversAt(const Sections& sections, int index) {
  if (index < 0 || index >= kSectionCount) return {};
  return {&sections[index], index + 1 < kSectionCount ? &sections[index + 1] : nullptr};
}

float CAlgorithm_SL_264_2001::CalcVelocityStats(const float* values, int count, const Sections& sections,
                                                int sectionIndex, float& mean, float& stdDev,
                                                float& dispersion, int step) const {
  if (sectionIndex < 0 || sectionIndex >= kSectionCount) return 0.0f;
  const SectionRecord& s = sections[sectionIndex];
  mean = CalcAverage(values, count, s, step);
  stdDev = CalcStdDev(values, count, s, step);
  dispersion = CalcDispersion(values, count, s, step);
  return 0.0f;
}

float CAlgorithm_SL_264_2001::GetMinValidDepth(const Receivers& r) const {
  const SectionRecord* r1 = r.first;
  const SectionRecord* r2 = r.second;
  if (r1 == nullptr) return 0.0f;
  const int n = std::min(r1->PointCount(), static_cast<int>(r1->velocity.size()));
  float remembered = 0.0f;
  for (int i = n - 1; i >= 0; --i) {
    if (r1->velocity[i] == 0.0f) continue;
    remembered = r1->points[i].sourL;
    if (r2 != nullptr && i < static_cast<int>(r2->velocity.size()) && r2->velocity[i] != 0.0f) {
      return remembered;
    }
  }
  return remembered;
}

float CAlgorithm_SL_264_2001::PageYToDepth(float pileLen, int, int y, int, int pageTop, int, int pageBottom,
                                           int pixelScale, int scroll) const {
  if (pixelScale == 0) return 0.0f;
  const auto h = static_cast<float>(pageBottom - pageTop);
  const float heading = h / 60 + h / 18 * 4;
  return (y - heading + scroll) * pileLen / pixelScale;
}

int CAlgorithm_SL_264_2001::FindNearestPoint(const Receivers& r, float depth) const {
  const SectionRecord* r1 = r.first;
  if (r1 == nullptr || r1->points.empty()) return 0;
  int best = 0;
  float bestDistance = std::fabs(depth - r1->points[0].sourL);
  for (int i = 1; i < r1->PointCount(); ++i) {
    const float d = std::fabs(depth - r1->points[i].sourL);
    if (d < bestDistance) {  // on a tie the deeper (earlier) point stays
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

int CAlgorithm_SL_264_2001::CalcAverageVp(const Receivers& r, float topDepth, float bottomDepth) const {
  const SectionRecord* r1 = r.first;
  const SectionRecord* r2 = r.second;
  if (r1 == nullptr || r2 == nullptr) return 0;
  const int t = FindNearestPoint(r, topDepth);
  const int b = FindNearestPoint(r, bottomDepth);
  if (b > t) return 0;
  float sum = 0.0f;
  for (int i = b; i <= t; ++i) sum += std::fabs(PointVp(*r1, *r2, i));
  return static_cast<int>(sum * 1000.0f / static_cast<float>(t - b + 1));
}

float CAlgorithm_SL_264_2001::CalcPoissonRatio(int vs, int vp) const {
  if (vs == 0 || vs == vp) return 0.0f;
  // Whole-number squares with integer halving, as the published tables were
  // computed; 64 bits because a layer's Vp can exceed 46 340 m/s when two
  // arrival times nearly coincide.
  const int64_t vp2 = static_cast<int64_t>(vp) * vp;
  const int64_t vs2 = static_cast<int64_t>(vs) * vs;
  const int64_t denominator = vp2 - vs2;  // also 0 for vs = -vp
  if (denominator == 0) return 0.0f;
  return static_cast<float>(static_cast<double>(vp2 / 2 - vs2) / static_cast<double>(denominator));
}

float CAlgorithm_SL_264_2001::CalcDynamicModulus(int mode, float poisson, float density, int vp, int vs) const {
  const float mu = mode == 1 ? CalcPoissonRatio(vs, vp) : poisson;
  if (mu == 1.0f) return 1.0f;
  const double v = vp;
  return static_cast<float>(density * v * v * (1 + mu) * (1 - 2 * mu) / (1 - mu) / 1000000000.0);
}

float CAlgorithm_SL_264_2001::CalcIntegrityIndex(int vBlock, int vMass) const {
  if (vBlock == 0) return 0.0f;
  const double r = static_cast<double>(vMass) / vBlock;
  return static_cast<float>(r * r);
}

}  // namespace tarnix

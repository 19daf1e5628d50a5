#include "document/pick_agreement.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarnix {
namespace {

PickQuality Lower(PickQuality q) { return q == PickQuality::Good ? PickQuality::Doubtful : PickQuality::Poor; }

}  // namespace

void GradeReceiverAgreement(SectionRecord& nearSection, SectionRecord& farSection) {
  const int count = std::min({nearSection.PointCount(), farSection.PointCount(),
                              static_cast<int>(nearSection.arrivalTime.size()),
                              static_cast<int>(farSection.arrivalTime.size())});
  std::vector<double> diff(count, 0.0);
  std::vector<bool> known(count, false);
  for (int i = 0; i < count; ++i) {
    known[i] = nearSection.points[i].HasWaveform() && farSection.points[i].HasWaveform();
    diff[i] = farSection.arrivalTime[i] - nearSection.arrivalTime[i];
  }
  // Judged against the differences as picked, before any is lowered: out of
  // step when more than a quarter away from the nearest usable point on
  // either side (both, where there are two).
  auto usable = [&](int j) { return known[j] && diff[j] > 0; };
  auto away = [&](int i, int j) { return std::fabs(diff[i] - diff[j]) > 0.25 * diff[j]; };
  std::vector<bool> disagree(count, false);
  for (int i = 0; i < count; ++i) {
    if (!known[i]) continue;
    if (!(diff[i] > 0)) {
      disagree[i] = true;
      continue;
    }
    int before = i - 1, after = i + 1;
    while (before >= 0 && !usable(before)) --before;
    while (after < count && !usable(after)) ++after;
    const bool hasBefore = before >= 0, hasAfter = after < count;
    disagree[i] = (hasBefore || hasAfter) && (!hasBefore || away(i, before)) && (!hasAfter || away(i, after));
  }
  for (int i = 0; i < count; ++i) {
    if (!disagree[i]) continue;
    nearSection.points[i].pickQuality = Lower(nearSection.points[i].pickQuality);
    farSection.points[i].pickQuality = Lower(farSection.points[i].pickQuality);
  }
}

}  // namespace tarnix

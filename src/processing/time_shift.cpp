#include "processing/time_shift.h"

#include <algorithm>
#include <cmath>

#include "model/sample_conversion.h"

namespace tarnix {

int CorrectionSamples(int32_t correctionUs, float dtUs) {
  const double k = correctionUs / static_cast<double>(dtUs);
  if (!std::isfinite(k)) return 0;
  return static_cast<int>(std::clamp(k, -2147483647.0, 2147483647.0));
}

int32_t RecordIndex(int shownIndex, int32_t correctionUs, float dtUs) {
  if (!(dtUs > 0.0f)) return shownIndex;
  return static_cast<int32_t>(static_cast<float>(correctionUs) / dtUs + static_cast<float>(shownIndex));
}

void ShiftWaveform(CSamNode& point, int k) {
  const int n = static_cast<int>(point.samples.size());
  auto& s = point.samples;
  if (k > 0) {
    const int m = std::min(k, n);
    std::move(s.begin() + m, s.end(), s.begin());
    std::fill(s.end() - m, s.end(), kZeroLevel);
  } else if (k < 0) {
    const int m = static_cast<int>(std::min<long long>(-static_cast<long long>(k), n));
    std::move_backward(s.begin(), s.end() - m, s.end());
    std::fill(s.begin(), s.begin() + m, kZeroLevel);
  }
  const int hi = std::max(n - 1, 0);
  auto place = [&](int32_t record) {
    return static_cast<int32_t>(std::clamp<long long>(static_cast<long long>(record) - k, 0, hi));
  };
  point.ampIndex = place(point.autoAmpIndex);
  point.arrivalIndex = place(point.autoArrivalIndex);
}

void ShiftSection(SectionRecord& section, int k) {
  const int last = std::min(section.lastIndex, section.PointCount() - 1);
  for (int i = std::max(section.firstIndex, 0); i <= last; ++i) {
    CSamNode& p = section.points[i];
    if (p.HasWaveform()) ShiftWaveform(p, k);
  }
}

}  // namespace tarnix

#include "analysis/statistics.h"

#include <algorithm>
#include <cmath>

namespace tarnix {

ValueRange EvaluatedRange(const std::vector<float>& array, const SectionRecord& s) {
  if (s.firstIndex < 0 || s.firstIndex >= static_cast<int>(array.size())) return {};
  const int available = static_cast<int>(array.size()) - s.firstIndex;
  return {array.data() + s.firstIndex, std::min(s.lastIndex - s.firstIndex + 1, available)};
}

std::vector<float> SelectSample(const float* values, int count, const SectionRecord& section, int step) {
  std::vector<float> out;
  if (values == nullptr || count <= 0 || section.firstIndex < 0) return out;
  const int span = std::min(section.lastIndex - section.firstIndex, count - 1);
  int lastTaken = -1;
  if (step <= 0) {
    for (int j = 0; j <= span; ++j) {
      const CSamNode* p = section.PointAt(section.firstIndex + j);
      if (p != nullptr && p->HasWaveform()) {
        out.push_back(values[j]);
        lastTaken = j;
      }
    }
  } else {
    for (long long j = 0; j <= span; j += static_cast<long long>(step) + 1) {
      out.push_back(values[j]);
      lastTaken = static_cast<int>(j);
    }
  }
  // The shallowest point of the hole never enters a statistic.
  const int last = section.PointCount() - 1;
  if (!out.empty() && section.lastIndex == last && section.firstIndex + lastTaken == last &&
      section.points[last].HasWaveform()) {
    out.pop_back();
  }
  return out;
}

float ArrayMean(const float* values, int n) {
  if (n <= 0) return 0.0f;
  long double sum = 0;
  for (int i = 0; i < n; ++i) sum += values[i];
  return static_cast<float>(sum / n);
}

float ArrayStdDev(const float* values, int n) {
  if (n < 2) return 0.0f;
  const float m = ArrayMean(values, n);
  float sum = 0.0f;  // a single-precision accumulator, as the figures have always been
  for (int i = 0; i < n; ++i) {
    const float d = values[i] - m;
    sum += d * d / static_cast<float>(n - 1);
  }
  return std::sqrt(sum);
}

float CalcAverage(const float* values, int count, const SectionRecord& section, int step) {
  const std::vector<float> s = SelectSample(values, count, section, step);
  return ArrayMean(s.data(), static_cast<int>(s.size()));
}

float CalcStdDev(const float* values, int count, const SectionRecord& section, int step) {
  const std::vector<float> s = SelectSample(values, count, section, step);
  return ArrayStdDev(s.data(), static_cast<int>(s.size()));
}

float CalcDispersion(const float* values, int count, const SectionRecord& section, int step) {
  if (count <= 0) return 0.0f;
  const std::vector<float> s = SelectSample(values, count, section, step);
  const int n = static_cast<int>(s.size());
  const float d = ArrayStdDev(s.data(), n);
  return d > 0.0f ? d / ArrayMean(s.data(), n) : 0.0f;
}

float CalcMaximum(const float* values, int count, const SectionRecord& section, int step) {
  const std::vector<float> s = SelectSample(values, count, section, step);
  if (s.empty()) return 0.0f;
  float m = s[0];
  for (float v : s) {
    if (v > m) m = v;
  }
  return m;
}

float CalcMinimum(const float* values, int count, const SectionRecord& section, int step) {
  const std::vector<float> s = SelectSample(values, count, section, step);
  if (s.empty()) return 0.0f;
  float m = s[0];
  for (float v : s) {
    if (v < m) m = v;
  }
  return m;
}

}  // namespace tarnix

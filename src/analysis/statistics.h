#pragma once
// Descriptive statistics of a section's per-point values over its evaluated
// range, as every panel and file shows them.
#include <vector>

#include "model/section_record.h"

namespace tarnix {

// One per-point array over the section's evaluated range: what the statistics
// take as values and count.
struct ValueRange {
  const float* values = nullptr;
  int count = 0;
};
ValueRange EvaluatedRange(const std::vector<float>& array, const SectionRecord& section);

// The values a statistic runs over. values[j] belongs to point firstIndex + j.
// step <= 0: every point with a waveform; step > 0: every (step+1)-th value,
// waveform or not. When the range ends at the section's shallowest point and
// that point was taken and has a waveform, it is left out again.
std::vector<float> SelectSample(const float* values, int count, const SectionRecord& section, int step);

float CalcAverage(const float* values, int count, const SectionRecord& section, int step);
float CalcStdDev(const float* values, int count, const SectionRecord& section, int step);
// Standard deviation over mean, as a fraction.
float CalcDispersion(const float* values, int count, const SectionRecord& section, int step);
float CalcMaximum(const float* values, int count, const SectionRecord& section, int step);
float CalcMinimum(const float* values, int count, const SectionRecord& section, int step);

// The same on a plain array without selection.
float ArrayMean(const float* values, int n);
float ArrayStdDev(const float* values, int n);

}  // namespace tarnix

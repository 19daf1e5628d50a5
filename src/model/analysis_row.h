#pragma once
// One row of a result file's analysis table: the numbers stored per section.
#include <array>

#include "model/section_record.h"

namespace tarnix {

struct AnalysisRow {
  float vAvg = 0.0f, vC = 0.0f, vSd = 0.0f, vDis = 0.0f, vMin = 0.0f;
  float aAvg = 0.0f, aC = 0.0f, aMin = 0.0f;
};

using AnalysisRows = std::array<AnalysisRow, kSectionCount>;

}  // namespace tarnix

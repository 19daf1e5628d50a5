#pragma once
// The statistics block of the analysis information panel: per section in use,
// six labelled texts for each of T, V, A and F, and two summary lines of the
// numbers as shown.
#include <string>
#include <vector>

#include "analysis/algorithm.h"
#include "analysis/section_summary.h"
#include "model/section_record.h"

namespace tarnix {

struct LabelledText {
  std::string label;
  std::string text;
};

struct SectionStatistics {
  int section = 0;
  std::vector<LabelledText> items;  // 24, in the order T, V, A, F
};

struct StatisticsBlock {
  std::vector<SectionSummary> summaries;  // the numbers behind the texts
  std::vector<SectionStatistics> sections;
  std::string velocityLine;   // "声速：平均=...km/s 离散=..."
  std::string amplitudeLine;  // "声幅：平均=...dB 离散=..."
};

StatisticsBlock BuildStatisticsBlock(const Sections& sections, const CAlgorithm& algorithm, int samplingStep);

}  // namespace tarnix

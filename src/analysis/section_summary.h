#pragma once
// A section's statistics as numbers, computed once: the panel, the result file,
// the CLI and the exports all format from these.
#include <vector>

#include "analysis/algorithm.h"
#include "model/analysis_row.h"
#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

// Statistics of one per-point quantity over the evaluated range.
struct QuantityStats {
  float max = 0.0f;
  float min = 0.0f;
  float mean = 0.0f;
  float stdDev = 0.0f;
  float critical = 0.0f;
  float dispersion = 0.0f;  // a fraction: standard deviation over mean
};

struct SectionSummary {
  int section = 0;
  QuantityStats t, v, a, f;  // time µs, velocity km/s, amplitude dB, dominant frequency kHz
};

// step: the sampling step of the statistics (0: every point with a waveform).
SectionSummary SummarizeSection(const Sections& sections, int index, const CAlgorithm& algorithm, int step);
// Every section in use, in order.
std::vector<SectionSummary> SummarizeSections(const Sections& sections, const CAlgorithm& algorithm, int step);

// The analysis table of a result file: every point with a waveform; a
// criterion set by hand (the curve axis is manual) is kept, otherwise the
// algorithm's is stored. Sections not in use give empty rows.
AnalysisRows ResultAnalysisRows(const TestHeader& header, const Sections& sections, const CAlgorithm& algorithm);

}  // namespace tarnix

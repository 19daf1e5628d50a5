#include "analysis/section_summary.h"

#include "analysis/statistics.h"

namespace tarnix {
namespace {

QuantityStats Describe(const std::vector<float>& array, const SectionRecord& s, int step) {
  const ValueRange r = EvaluatedRange(array, s);
  QuantityStats q;
  q.max = CalcMaximum(r.values, r.count, s, step);
  q.min = CalcMinimum(r.values, r.count, s, step);
  q.mean = CalcAverage(r.values, r.count, s, step);
  q.stdDev = CalcStdDev(r.values, r.count, s, step);
  q.dispersion = CalcDispersion(r.values, r.count, s, step);
  return q;
}

}  // namespace

SectionSummary SummarizeSection(const Sections& sections, int index, const CAlgorithm& algorithm, int step) {
  const SectionRecord& s = sections[index];
  SectionSummary out;
  out.section = index;
  out.t = Describe(s.arrivalTime, s, step);
  out.f = Describe(s.mainFreq, s, step);

  // The velocity's mean, spread and criterion are the algorithm's to define.
  const ValueRange v = EvaluatedRange(s.velocity, s);
  out.v.max = CalcMaximum(v.values, v.count, s, step);
  out.v.min = CalcMinimum(v.values, v.count, s, step);
  algorithm.CalcVelocityStats(v.values, v.count, sections, index, out.v.mean, out.v.stdDev, out.v.dispersion,
                              step);
  out.v.critical = algorithm.CalcVelocityCritical(v.values, v.count, sections, index, step);

  const ValueRange a = EvaluatedRange(s.ampDb, s);
  out.a = Describe(s.ampDb, s, step);
  out.a.critical = algorithm.CalcAmpCritical(a.values, a.count, s, step);
  return out;
}

std::vector<SectionSummary> SummarizeSections(const Sections& sections, const CAlgorithm& algorithm, int step) {
  std::vector<SectionSummary> out;
  for (int i = 0; i < kSectionCount; ++i) {
    if (sections[i].valid) out.push_back(SummarizeSection(sections, i, algorithm, step));
  }
  return out;
}

AnalysisRows ResultAnalysisRows(const TestHeader& header, const Sections& sections, const CAlgorithm& algorithm) {
  AnalysisRows rows{};
  for (const SectionSummary& summary : SummarizeSections(sections, algorithm, 0)) {
    const SectionRecord& s = sections[summary.section];
    AnalysisRow& row = rows[summary.section];
    row.vAvg = summary.v.mean;
    row.vC = header.curves[kCurveV].manual != 0 ? s.criticalV : summary.v.critical;
    row.vSd = summary.v.stdDev;
    row.vDis = summary.v.dispersion;
    row.vMin = summary.v.min;
    row.aAvg = summary.a.mean;
    row.aC = header.curves[kCurveA].manual != 0 ? s.criticalA : summary.a.critical;
    row.aMin = summary.a.min;
  }
  return rows;
}

}  // namespace tarnix

#include "analysis/section_statistics.h"

#include <cmath>

#include "analysis/statistics.h"
#include "model/c_text.h"

namespace tarnix {
namespace {

void Add(SectionStatistics& out, const char* label, std::string text) {
  out.items.push_back({label, std::move(text)});
}

// Maximum, minimum, mean and standard deviation in one format.
void AddFour(SectionStatistics& out, const char* q, const char* format, ValueRange r, const SectionRecord& s,
             int step) {
  Add(out, (std::string(q) + "最大值").c_str(), CFormat(format, CalcMaximum(r.values, r.count, s, step)));
  Add(out, (std::string(q) + "最小值").c_str(), CFormat(format, CalcMinimum(r.values, r.count, s, step)));
  Add(out, (std::string(q) + "平均值").c_str(), CFormat(format, CalcAverage(r.values, r.count, s, step)));
  Add(out, (std::string(q) + "标准差").c_str(), CFormat(format, CalcStdDev(r.values, r.count, s, step)));
}

SectionStatistics SectionBlock(const Sections& sections, int index, const CAlgorithm& algorithm, int step) {
  const SectionRecord& s = sections[index];
  SectionStatistics out;
  out.section = index;

  const ValueRange t = EvaluatedRange(s.arrivalTime, s);
  AddFour(out, "T", "%.1f", t, s, step);
  Add(out, "T临界值", CFormat("%.1f", 0.0));
  Add(out, "T离差值", CFormat("%.1f%%", CalcDispersion(t.values, t.count, s, step) * 100));

  const ValueRange v = EvaluatedRange(s.velocity, s);
  float mean = 0.0f, stdDev = 0.0f, dispersion = 0.0f;
  algorithm.CalcVelocityStats(v.values, v.count, sections, index, mean, stdDev, dispersion, step);
  Add(out, "V最大值", CFormat("%.3f", CalcMaximum(v.values, v.count, s, step)));
  Add(out, "V最小值", CFormat("%.3f", CalcMinimum(v.values, v.count, s, step)));
  Add(out, "V平均值", CFormat("%.3f", mean));
  Add(out, "V标准差", CFormat("%.3f", stdDev));
  Add(out, "V临界值", CFormat("%.3f", algorithm.CalcVelocityCritical(v.values, v.count, sections, index, step)));
  Add(out, "V离差值", CFormat("%.2f%%", dispersion * 100));

  const ValueRange a = EvaluatedRange(s.ampDb, s);
  AddFour(out, "A", "%.2f", a, s, step);
  Add(out, "A临界值", CFormat("%.2f", algorithm.CalcAmpCritical(a.values, a.count, s, step)));
  Add(out, "A离差值", CFormat("%.2f%%", CalcDispersion(a.values, a.count, s, step) * 100));

  const ValueRange f = EvaluatedRange(s.mainFreq, s);
  AddFour(out, "F", "%.3f", f, s, step);
  Add(out, "F临界值", "");
  Add(out, "F离差值", CFormat("%.2f%%", CalcDispersion(f.values, f.count, s, step) * 100));
  return out;
}

const std::string& TextOf(const SectionStatistics& s, const char* label) {
  for (const LabelledText& item : s.items) {
    if (item.label == label) return item.text;
  }
  static const std::string empty;
  return empty;
}

}  // namespace

StatisticsBlock BuildStatisticsBlock(const Sections& sections, const CAlgorithm& algorithm, int samplingStep) {
  StatisticsBlock block;
  // The summary lines average what the panel shows, not the unrounded numbers.
  double vMean = 0, vDis = 0, aMean = 0, aDis = 0;
  for (int i = 0; i < kSectionCount; ++i) {
    if (!sections[i].valid) continue;
    block.sections.push_back(SectionBlock(sections, i, algorithm, samplingStep));
    const SectionStatistics& s = block.sections.back();
    vMean += CToFloat(TextOf(s, "V平均值"));
    vDis += CToFloat(TextOf(s, "V离差值"));  // stops at the "%"
    aMean += CToFloat(TextOf(s, "A平均值"));
    aDis += CToFloat(TextOf(s, "A离差值"));
  }
  const auto n = static_cast<double>(block.sections.size());
  if (n > 0) {
    vMean /= n;
    vDis /= n;
    aMean /= n;
    aDis /= n;
  }
  block.velocityLine = "声速：平均=" + CFormat("%2.3f", vMean) + "km/s 离散=" + CFormat("%2.2f", vDis);
  block.amplitudeLine = "声幅：平均=" + CFormat("%d", static_cast<int>(std::floor(aMean + 0.5))) +
                        "dB 离散=" + CFormat("%2.2f", aDis);
  return block;
}

}  // namespace tarnix

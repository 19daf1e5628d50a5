#include "analysis/section_statistics.h"

#include <cmath>

#include "analysis/section_summary.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

void Add(SectionStatistics& out, const std::string& label, std::string text) {
  out.items.push_back({label, std::move(text)});
}

// Maximum, minimum, mean and standard deviation in one format.
void AddFour(SectionStatistics& out, const char* q, const char* format, const QuantityStats& s) {
  Add(out, std::string(q) + "最大值", CFormat(format, s.max));
  Add(out, std::string(q) + "最小值", CFormat(format, s.min));
  Add(out, std::string(q) + "平均值", CFormat(format, s.mean));
  Add(out, std::string(q) + "标准差", CFormat(format, s.stdDev));
}

SectionStatistics SectionTexts(const SectionSummary& s) {
  SectionStatistics out;
  out.section = s.section;
  AddFour(out, "T", "%.1f", s.t);
  Add(out, "T临界值", CFormat("%.1f", 0.0));
  Add(out, "T离差值", CFormat("%.1f%%", s.t.dispersion * 100));
  AddFour(out, "V", "%.3f", s.v);
  Add(out, "V临界值", CFormat("%.3f", s.v.critical));
  Add(out, "V离差值", CFormat("%.2f%%", s.v.dispersion * 100));
  AddFour(out, "A", "%.2f", s.a);
  Add(out, "A临界值", CFormat("%.2f", s.a.critical));
  Add(out, "A离差值", CFormat("%.2f%%", s.a.dispersion * 100));
  AddFour(out, "F", "%.3f", s.f);
  Add(out, "F临界值", "");
  Add(out, "F离差值", CFormat("%.2f%%", s.f.dispersion * 100));
  return out;
}

// A number as the panel shows it, to the digits it shows.
double Shown(const char* format, double v) { return CToFloat(CFormat(format, v)); }

}  // namespace

StatisticsBlock BuildStatisticsBlock(const Sections& sections, const CAlgorithm& algorithm, int samplingStep) {
  StatisticsBlock block;
  // The summary lines average what the panel shows, not the unrounded numbers.
  double vMean = 0, vDis = 0, aMean = 0, aDis = 0;
  for (const SectionSummary& s : SummarizeSections(sections, algorithm, samplingStep)) {
    block.summaries.push_back(s);
    block.sections.push_back(SectionTexts(s));
    vMean += Shown("%.3f", s.v.mean);
    vDis += Shown("%.2f", s.v.dispersion * 100);
    aMean += Shown("%.2f", s.a.mean);
    aDis += Shown("%.2f", s.a.dispersion * 100);
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

#include "cli/batch_summary.h"

#include <algorithm>
#include <utility>

#include "analysis/section_statistics.h"
#include "base/c_text.h"

namespace tarnix::cli {
namespace {

// A field quoted when it could break the row.
std::string Field(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The statistic as the panel shows it, without a percent sign.
std::string Shown(const SectionStatistics& s, const char* label) {
  for (const LabelledText& item : s.items) {
    if (item.label != label) continue;
    std::string text = item.text;
    if (!text.empty() && text.back() == '%') text.pop_back();
    return text;
  }
  return "";
}

// Doubtful and poor picks over the evaluated range.
std::pair<int, int> QualityCounts(const SectionRecord& s) {
  int doubtful = 0, poor = 0;
  for (int i = std::max(s.firstIndex, 0); i <= s.lastIndex && i < s.PointCount(); ++i) {
    const CSamNode& p = s.points[static_cast<size_t>(i)];
    if (!p.HasWaveform()) continue;
    doubtful += p.pickQuality == PickQuality::Doubtful ? 1 : 0;
    poor += p.pickQuality == PickQuality::Poor ? 1 : 0;
  }
  return {doubtful, poor};
}

}  // namespace

std::string SummaryHeader() {
  return "file,hole,section,pair,top_m,bottom_m,points,v_mean_kms,v_min_kms,v_dispersion_pct,a_mean_db,"
         "a_dispersion_pct,v_critical_kms,a_critical_db,doubtful_picks,poor_picks\n";
}

std::string SummaryRows(const std::string& file, const CTarnixDoc& doc, const CTarnixDoc& picked) {
  std::string rows;
  const StatisticsBlock block = BuildStatisticsBlock(doc.AllSections(), doc.Algorithm(), doc.samplingStep);
  for (const SectionStatistics& stats : block.sections) {
    const SectionRecord& s = doc.Section(stats.section);
    const int first = std::max(s.firstIndex, 0);
    const int last = std::min(s.lastIndex, s.PointCount() - 1);
    const auto [doubtful, poor] = QualityCounts(picked.Section(stats.section));
    const bool any = last >= first;
    rows += Field(file) + "," + Field(doc.Header().m_holeID) + "," + CFormat("%d", stats.section) + "," +
            CFormat("%d-%d", s.sourPipe + 1, s.destPipe + 1) + "," +
            (any ? CFormat("%.2f,%.2f", s.points[static_cast<size_t>(last)].sourL,
                           s.points[static_cast<size_t>(first)].sourL)
                 : std::string(",")) +
            "," + CFormat("%d", any ? last - first + 1 : 0) + "," + Shown(stats, "V平均值") + "," +
            Shown(stats, "V最小值") + "," + Shown(stats, "V离差值") + "," + Shown(stats, "A平均值") + "," +
            Shown(stats, "A离差值") + "," + Shown(stats, "V临界值") + "," + Shown(stats, "A临界值") + "," +
            CFormat("%d,%d", doubtful, poor) + "\n";
  }
  return rows;
}

}  // namespace tarnix::cli

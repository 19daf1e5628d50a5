// tarnix-cli stats: the statistics block exactly as the analysis panel shows it;
// with --json the same numbers, to the digits the panel shows, as JSON numbers.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "analysis/section_statistics.h"
#include "base/c_text.h"
#include "cli/cli_document.h"
#include "cli/cli_commands.h"

namespace tarnix::cli {
namespace {

// "23.96%" → 23.96, "262.0" → 262.0; an empty text (no criterion) → null.
nlohmann::ordered_json ShownNumber(const std::string& text) {
  if (text.empty()) return nullptr;
  return CToFloat(text);
}

}  // namespace

int RunStats(const Args& args) {
  std::string path;
  bool json = false;
  for (const std::string& a : args) {
    if (a == "--json") {
      json = true;
    } else if (!a.empty() && a[0] != '-' && path.empty()) {
      path = a;
    } else {
      return UsageError("stats: unexpected argument '" + a + "'");
    }
  }
  if (path.empty()) return UsageError("stats needs a FILE");
  CliDocument opened;
  CTarnixDoc& doc = opened.doc;
  if (!opened.Open(path)) return 1;
  const StatisticsBlock block = BuildStatisticsBlock(doc.AllSections(), doc.Algorithm(), doc.samplingStep);
  if (json) {
    nlohmann::ordered_json out;
    out["sections"] = nlohmann::ordered_json::array();
    for (const SectionStatistics& s : block.sections) {
      nlohmann::ordered_json items;
      for (const LabelledText& item : s.items) items[item.label] = ShownNumber(item.text);
      out["sections"].push_back({{"index", s.section}, {"statistics", items}});
    }
    out["velocityLine"] = block.velocityLine;
    out["amplitudeLine"] = block.amplitudeLine;
    std::printf("%s\n", out.dump(1).c_str());
    return 0;
  }
  for (const SectionStatistics& s : block.sections) {
    std::printf("section %d\n", s.section);
    for (const LabelledText& item : s.items) std::printf("  %s\t%s\n", item.label.c_str(), item.text.c_str());
  }
  std::printf("%s\n%s\n", block.velocityLine.c_str(), block.amplitudeLine.c_str());
  return 0;
}

}  // namespace tarnix::cli

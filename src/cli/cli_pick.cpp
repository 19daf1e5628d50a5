// tarnix-cli pick: automatic picking of every section in use, as the frame
// command does it, with the per-depth velocities of the receiver pair.
#include <cmath>
#include <cstdio>
#include <string>

#include "analysis/point_velocity.h"
#include "analysis/section_statistics.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/document_json.h"
#include "cli/pick_options.h"
#include "formats/file_paths.h"
#include "base/c_text.h"

namespace tarnix::cli {
namespace {

void PrintTable(CTarnixDoc& doc) {
  const SectionRecord* one = doc.ChannelSection(0);
  const SectionRecord* two = doc.ChannelSection(1);
  if (one == nullptr || two == nullptr || !two->valid) {
    std::printf("no receiver pair in use\n");
    return;
  }
  std::printf("%8s %8s %8s %8s %6s %6s %9s\n", "depth(m)", "T1(us)", "T2(us)", "dT(us)", "L1(m)", "L2(m)",
              "Vp(km/s)");
  // A doubtful pick is marked '?', a poor one '!', right after its time.
  auto mark = [](const CSamNode& p) {
    return p.pickQuality == PickQuality::Good ? ' ' : p.pickQuality == PickQuality::Doubtful ? '?' : '!';
  };
  for (int i = 0; i < one->PointCount() && i < two->PointCount(); ++i) {
    const float t1 = one->arrivalTime[i], t2 = two->arrivalTime[i];
    std::printf("%s\n", CFormat("%8.2f %8.1f%c%8.1f%c%8.1f %6.3f %6.3f %9.3f", one->points[i].sourL, t1,
                                mark(one->points[i]), t2, mark(two->points[i]), std::fabs(t2 - t1),
                                one->points[i].span, two->points[i].span, PointVp(*one, *two, i))
                            .c_str());
  }
}

}  // namespace

int RunPick(const Args& args) {
  std::string in, out;
  bool json = false, yes = false;
  FilterOverride filters;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      json = true;
    } else if (a == "--yes") {
      yes = true;
    } else if ((a == "--high-pass" || a == "--low-pass" || a == "--out") && i + 1 >= args.size()) {
      return UsageError("pick: " + a + (a == "--out" ? " needs a path" : " needs a cut-off in kHz or off"));
    } else if (a == "--high-pass" || a == "--low-pass" || a == "--out") {
      const std::string& value = args[++i];
      bool ok = true;
      if (a == "--out") {
        out = value;
      } else if (filters.Parse(a, value, ok) && !ok) {
        return UsageError("pick: " + a + " takes a cut-off in kHz or off");
      }
    } else if (!a.empty() && a[0] != '-' && in.empty()) {
      in = a;
    } else {
      return UsageError("pick: unexpected argument '" + a + "'");
    }
  }
  if (in.empty()) return UsageError("pick needs IN");
  if (const std::string refusal = filters.Refusal(); !refusal.empty()) return UsageError("pick: " + refusal);
  if (!out.empty() && (!IsResultPath(out) || IsRawTestPath(out))) return UsageError("pick: --out must be a .CHA path");

  CliDocument opened(yes);
  CTarnixDoc& doc = opened.doc;
  filters.ApplyTo(doc);
  if (!opened.Open(in)) return 1;
  PickEverySection(doc);
  if (!out.empty() && !opened.Save(out)) return 1;
  if (json) {
    std::printf("%s\n", DocumentJson(doc, false).dump(1).c_str());
    return 0;
  }
  PrintTable(doc);
  const StatisticsBlock block = BuildStatisticsBlock(doc.AllSections(), doc.Algorithm(), doc.samplingStep);
  std::printf("%s\n%s\n", block.velocityLine.c_str(), block.amplitudeLine.c_str());
  return 0;
}

}  // namespace tarnix::cli

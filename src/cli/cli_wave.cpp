// tarnix-cli wave: one measurement point of a test as "单波保存(&I)" writes it,
// or its picture as "导出测点波形(&W)" draws it.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/gui_application.h"
#include "document/single_wave.h"
#include "report/point_wave_export.h"

namespace tarnix::cli {
namespace {

// The point nearest the depth, within half a centimetre; -1 when none.
int PointAtDepth(const SectionRecord& s, double depth) {
  int best = -1;
  double bestDistance = 0.005;
  for (int i = 0; i < s.PointCount(); ++i) {
    const double d = std::fabs(s.points[i].sourL - depth);
    if (d <= bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace

int RunWave(const Args& args) {
  std::string in, out, bmp;
  double depth = NAN;
  int section = -1;
  bool yes = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--depth" || a == "--section" || a == "--out" || a == "--bmp";
    if (takesValue && i + 1 >= args.size()) return UsageError("wave: " + a + " needs a value");
    char* end = nullptr;
    if (a == "--depth") {
      depth = std::strtod(args[++i].c_str(), &end);
      if (*end != '\0' || !std::isfinite(depth)) return UsageError("wave: --depth takes metres");
    } else if (a == "--section") {
      const long s = std::strtol(args[++i].c_str(), &end, 10);
      if (*end != '\0' || s < 0 || s >= kSectionCount) return UsageError("wave: --section takes 0 to 9");
      section = static_cast<int>(s);
    } else if (a == "--out") {
      out = args[++i];
    } else if (a == "--bmp") {
      bmp = args[++i];
    } else if (a == "--yes") {
      yes = true;
    } else if (!a.empty() && a[0] != '-' && in.empty()) {
      in = a;
    } else {
      return UsageError("wave: unexpected argument '" + a + "'");
    }
  }
  if (in.empty() || (out.empty() && bmp.empty()) || std::isnan(depth)) {
    return UsageError("wave needs IN, --depth M and --out X.CHT or --bmp X.bmp");
  }
  const auto app = bmp.empty() ? nullptr : MakeGuiApplication();
  CliDocument opened(yes);
  if (!opened.Open(in)) return 1;
  CTarnixDoc& doc = opened.doc;
  if (section < 0) section = doc.CurrentSection();
  if (section < 0 || !doc.Section(section).valid) {
    std::fprintf(stderr, "tarnix-cli: %s: section %d is not in use\n", in.c_str(), section);
    return 1;
  }
  const int point = PointAtDepth(doc.Section(section), depth);
  if (point < 0) {
    std::fprintf(stderr, "tarnix-cli: %s: no point at %.2f m in section %d\n", in.c_str(), depth, section);
    return 1;
  }
  if (!bmp.empty()) {
    opened.ui.SetSubject(bmp);
    if (!ExportPointWaves(doc, section, point, bmp)) return 1;
  }
  if (!out.empty()) {
    const std::string path = WithRawTestSuffix(out);
    opened.ui.SetSubject(path);
    if (!doc.ConfirmSharedDataFile(path) || !SaveSingleWave(doc, section, point, path)) return 1;
    std::printf("%s\n", path.c_str());
  }
  return 0;
}

}  // namespace tarnix::cli

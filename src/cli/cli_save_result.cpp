// tarnix-cli save-result: writes a result file through the document's save path.
#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "formats/file_paths.h"
#include "base/c_text.h"

namespace tarnix::cli {
namespace {

// "FIRST:LAST" as two point indices.
bool ParseRange(const std::string& text, int& first, int& last) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i != colon && (text[i] < '0' || text[i] > '9')) return false;
  }
  if (text.size() > 20) return false;
  first = CToInt(text.substr(0, colon));
  last = CToInt(text.substr(colon + 1));
  return true;
}

}  // namespace

int RunSaveResult(const Args& args) {
  std::string in, out;
  bool yes = false, ranged = false;
  int first = 0, last = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--yes") {
      yes = true;
    } else if ((a == "--out" || a == "--range") && i + 1 >= args.size()) {
      return UsageError("save-result: " + a + (a == "--out" ? " needs a path" : " needs FIRST:LAST point indices"));
    } else if (a == "--out" || a == "--range") {
      const std::string& value = args[++i];
      if (a == "--out") {
        out = value;
      } else if (!(ranged = ParseRange(value, first, last))) {
        return UsageError("save-result: --range needs FIRST:LAST point indices");
      }
    } else if (!a.empty() && a[0] != '-' && in.empty()) {
      in = a;
    } else {
      return UsageError("save-result: unexpected argument '" + a + "'");
    }
  }
  if (in.empty() || out.empty()) return UsageError("save-result needs IN and --out OUT.CHA");
  if (!IsResultPath(out) || IsRawTestPath(out)) return UsageError("save-result: OUT must be a .CHA path");

  CliDocument opened(yes);
  CTarnixDoc& doc = opened.doc;
  if (!opened.Open(in)) return 1;
  if (ranged) {
    // Indices the test does not have are the caller's mistake, not a short range.
    int points = 0;
    for (const SectionRecord& s : doc.AllSections()) {
      if (s.valid) points = points == 0 ? s.PointCount() : std::min(points, s.PointCount());
    }
    if (first < 0 || last >= points || first > last) {
      return UsageError(CFormat("save-result: --range %d:%d lies outside the points 0:%d of ", first, last,
                                points - 1) + in);
    }
    if (!doc.SetEvaluatedRange(first, last)) return 1;
  }
  if (!opened.Save(out)) return 1;
  std::printf("wrote %s and %s\n", out.c_str(), DataFilePath(out).c_str());
  return 0;
}

}  // namespace tarnix::cli

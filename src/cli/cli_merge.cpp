// tarnix-cli merge: the merge dialog's load, merge and save steps, scripted.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/c_text.h"
#include "cli/cli_commands.h"
#include "cli/console_ui.h"
#include "document/file_merge.h"
#include "formats/file_paths.h"

namespace tarnix::cli {
namespace {

struct Assignment {
  std::string file;
  int section = 0;
  std::string target;
};

// "s-d", "发射在上"/"发射在下" or their English names.
std::optional<std::string> TargetText(const std::string& pair) {
  if (pair == "up") return std::string(kTransmitterAbove);
  if (pair == "down") return std::string(kTransmitterBelow);
  if (pair == kTransmitterAbove || pair == kTransmitterBelow) return pair;
  if (MergedIndex(TargetPair(pair).value_or(PipePair{})) >= 0) return pair;
  return std::nullopt;
}

// FILE:SECTION=PAIR; the file name may hold ':' itself.
std::optional<Assignment> ParseAssignment(const std::string& arg) {
  const size_t eq = arg.rfind('=');
  if (eq == std::string::npos) return std::nullopt;
  const size_t colon = arg.rfind(':', eq);
  if (colon == std::string::npos || colon == 0 || colon + 1 == eq) return std::nullopt;
  const std::string section = arg.substr(colon + 1, eq - colon - 1);
  if (section.find_first_not_of("0123456789") != std::string::npos || section.size() > 1) return std::nullopt;
  const std::optional<std::string> target = TargetText(arg.substr(eq + 1));
  if (!target) return std::nullopt;
  return Assignment{arg.substr(0, colon), CToInt(section), *target};
}

}  // namespace

int RunMerge(const Args& args) {
  std::string out;
  std::optional<int> pipes;
  std::optional<float> depth;
  std::vector<Assignment> assignments;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--out" || a == "--pipes" || a == "--depth") && i + 1 >= args.size()) {
      return UsageError("merge: " + a + " needs a value");
    } else if (a == "--out") {
      out = args[++i];
    } else if (a == "--pipes") {
      const std::string& v = args[++i];
      if (v.size() != 1 || v[0] < '2' || v[0] > '5') return UsageError("merge: --pipes takes 2 to 5");
      pipes = CToInt(v);
    } else if (a == "--depth") {
      depth = static_cast<float>(CToFloat(args[++i]));
    } else if (const std::optional<Assignment> as = ParseAssignment(a)) {
      assignments.push_back(*as);
    } else {
      return UsageError("merge: unexpected argument '" + a + "' (FILE:SECTION=PAIR, PAIR s-d, up or down)");
    }
  }
  if (out.empty() || !IsRawTestPath(out)) return UsageError("merge needs --out OUT.CHT");
  if (assignments.empty()) return UsageError("merge needs FILE:SECTION=PAIR");

  ConsoleUi ui;
  FileMerge merge(ui);
  if (pipes) {
    merge.SetAutoPipeCount(false);
    merge.SetPipeCount(*pipes);
  }
  // Consecutive assignments of one file are one load and one merge.
  for (size_t from = 0; from < assignments.size();) {
    const std::string& file = assignments[from].file;
    ui.SetSubject(file);
    if (!merge.Load(file)) {
      if (!IsRawTestPath(file) && file.find(".CHS") == std::string::npos && file.find(".RTX") == std::string::npos) {
        std::fprintf(stderr, "tarnix-cli: %s: not a .CHT, .CHS or .RTX file\n", file.c_str());
      }
      return 1;
    }
    size_t to = from;
    for (; to < assignments.size() && assignments[to].file == file; ++to) {
      const Assignment& as = assignments[to];
      if (!merge.Row(as.section).Enabled()) {
        std::fprintf(stderr, "tarnix-cli: %s: section %d is not in use\n", file.c_str(), as.section);
        return 1;
      }
      if (!merge.Choose(as.section, as.target)) {
        std::fprintf(stderr, "tarnix-cli: %s: %s is already the target of another section\n", file.c_str(),
                     as.target.c_str());
        return 1;
      }
    }
    if (!merge.Merge(depth.value_or(merge.Fields().holeDepth))) return 1;
    from = to;
  }
  ui.SetSubject(out);
  const float holeDepth = depth.value_or(merge.MergedHeader().pileLen);
  if (!merge.SaveTo(out, holeDepth)) return 1;
  std::printf("%s\n", out.c_str());
  return 0;
}

}  // namespace tarnix::cli

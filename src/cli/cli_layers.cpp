// tarnix-cli layers: both layer columns as a table, or with --json the layer
// block that dump --json prints; --recalc recomputes the test-result layers
// from the points first, by the file's calculation method or --method.
#include <cstdio>
#include <string>

#include "analysis/lithology.h"
#include "base/c_text.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/document_json.h"

namespace tarnix::cli {
namespace {

template <typename T>
T At(const std::vector<T>& list, size_t i) {
  return i < list.size() ? list[i] : T();
}

void PrintTable(const LayerSet& l, float minDepth) {
  std::printf("test-result layers (method %s)\n", l.m_way == 1 ? "1" : "2");
  std::printf("  layer\ttop\tbottom\tvp\tu\tEd\tKv\tcapacity\n");
  for (size_t k = 0; k < l.height.size(); ++k) {
    std::printf("  %zu\t%.2f\t%.2f\t%d\t%.4f\t%.2f\t%.2f\t%.2f\n", k + 1,
                LayerTop(l.height, static_cast<int>(k), minDepth), l.height[k], At(l.vp, k), At(l.u, k),
                At(l.movefilm, k), At(l.index, k), At(l.capacity, k));
  }
  std::printf("drilling-log layers\n");
  std::printf("  layer\ttop\tbottom\tlithology\tlegend\n");
  for (size_t k = 0; k < l.depth.size(); ++k) {
    const std::string name = At(l.picName, k);
    const auto file = LegendFileName(name);
    std::printf("  %zu\t%.2f\t%.2f\t%s\t%s\n", k + 1, LayerTop(l.depth, static_cast<int>(k), minDepth), l.depth[k],
                name.empty() ? "-" : name.c_str(), file ? (std::string(kLegendFolder) + "/" + *file).c_str() : "-");
  }
}

}  // namespace

int RunLayers(const Args& args) {
  std::string path;
  bool json = false;
  bool recalc = false;
  int way = -1;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      json = true;
    } else if (a == "--recalc") {
      recalc = true;
    } else if (a == "--method" && i + 1 < args.size() && (args[i + 1] == "1" || args[i + 1] == "2")) {
      way = args[++i] == "1" ? 1 : 0;
    } else if (!a.empty() && a[0] != '-' && path.empty()) {
      path = a;
    } else {
      return UsageError("layers: unexpected argument '" + a + "'");
    }
  }
  if (path.empty()) return UsageError("layers needs a FILE");
  if (way >= 0 && !recalc) return UsageError("layers: --method needs --recalc");
  CliDocument opened;
  CTarnixDoc& doc = opened.doc;
  if (!doc.OnOpenDocument(path)) return 1;
  if (recalc) {
    if (way >= 0) {
      LayerSet l = doc.Layers();
      l.m_way = way;
      doc.SetLayers(l);
    }
    doc.RecalcLayers();
  }
  if (json) {
    std::printf("%s\n", LayersJson(doc.Layers()).dump(1).c_str());
  } else {
    PrintTable(doc.Layers(), doc.MinValidDepth());
  }
  return 0;
}

}  // namespace tarnix::cli

#include "report/office_run.h"

#include <vector>

namespace tarnix {

bool RunOfficeExport(const automation::OfficeOutput& output, UiServices& ui, const automation::FinishedFn& written,
                     bool oneMessage, const std::function<bool(automation::ServerFactory&)>& exportWith) {
  std::vector<automation::FinishedFile> files;
  automation::OfficeServers servers(output, [&files](const automation::FinishedFile& f) { files.push_back(f); });
  const bool exported = exportWith(servers);
  bool ok = exported && !files.empty();
  for (const automation::FinishedFile& f : files) {
    if (!f.error.empty()) {
      if (exported || !oneMessage) ui.Message(f.error, MessageButtons::Ok);
      ok = false;
    } else if (written) {
      written(f);
    }
  }
  return ok;
}

}  // namespace tarnix

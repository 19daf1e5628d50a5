#include "document/log_exports.h"

#include "analysis/pair_log.h"
#include "formats/file_error.h"
#include "formats/log_export.h"

namespace tarnix {

bool ExportLog(CTarnixDoc& doc, int section, const std::string& path, LogFormat format) {
  const Receivers pair = ReceiversAt(doc.AllSections(), section);
  if (pair.first == nullptr || pair.second == nullptr || !pair.first->valid || !pair.second->valid) {
    doc.Ui().Message("请先打开文件!", MessageButtons::Ok);
    return false;
  }
  const PairLog log = BuildPairLog(pair, doc.Header().move);
  try {
    if (format == LogFormat::Las) {
      WriteLas(path, doc.Header(), log);
    } else {
      WriteCsv(path, log);
    }
  } catch (const FileError& e) {
    doc.Ui().Message(e.what(), MessageButtons::Ok);
    return false;
  }
  return true;
}

void OnExportLog(CTarnixDoc& doc, LogFormat format) {
  if (doc.CurrentSection() < 0) {
    doc.Ui().Message("请先打开文件!", MessageButtons::Ok);
    return;
  }
  FileDialogRequest request;
  request.save = true;
  const bool las = format == LogFormat::Las;
  request.title = las ? "导出LAS" : "导出CSV";
  request.filter = las ? "LAS 测井文件 (*.las)|*.las||" : "CSV 文件 (*.csv)|*.csv||";
  request.defaultExtension = las ? "las" : "csv";
  const std::string& path = doc.PathName();
  request.proposedName = path.substr(0, path.rfind('.'));
  request.flags = kHideReadOnly | kOverwritePrompt;
  const std::optional<std::string> chosen = doc.Ui().ChooseFile(request);
  if (!chosen) return;
  WaitCursor wait(doc.Ui());
  if (ExportLog(doc, doc.CurrentSection(), *chosen, format)) doc.Ui().SetStatusText("导出成功");
}

}  // namespace tarnix

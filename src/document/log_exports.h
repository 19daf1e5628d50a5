#pragma once
// "导出LAS" and "导出CSV": the per-depth log of the channel pair shown, for
// well-log readers and spreadsheets.
#include <string>

#include "document/tarnix_doc.h"

namespace tarnix {

enum class LogFormat { Las, Csv };

// Writes the log of the pair whose first receiver is section; a failure is
// shown. False when nothing was written.
bool ExportLog(CTarnixDoc& doc, int section, const std::string& path, LogFormat format);

// The menu command: asks for the file, then writes the current pair's log.
void OnExportLog(CTarnixDoc& doc, LogFormat format);

}  // namespace tarnix

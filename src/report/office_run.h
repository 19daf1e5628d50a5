#pragma once
// An office export run over the in-process servers: its files are told of
// after the command, when the wait cursor is gone.
#include <functional>

#include "document/ui_services.h"
#include "platform/automation/office_servers.h"

namespace tarnix {

// Runs `exportWith` over servers writing where `output` says. A file that
// could not be written is shown, unless `oneMessage` and the export failed
// (it has said why already); `written` hears of every file written. True when
// the export succeeded and wrote every file.
bool RunOfficeExport(const automation::OfficeOutput& output, UiServices& ui, const automation::FinishedFn& written,
                     bool oneMessage, const std::function<bool(automation::ServerFactory&)>& exportWith);

}  // namespace tarnix

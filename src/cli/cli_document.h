#pragma once
// The document a command works on, with console answers and default settings
// (a script's results must not depend on the desktop's saved settings).
#include "document/tarnix_doc.h"
#include "cli/console_ui.h"
#include "document/recent_file_list.h"

namespace tarnix::cli {

struct CliDocument {
  explicit CliDocument(bool assumeYes = false) : ui(assumeYes), doc(ui, recent) {}
  ConsoleUi ui;
  MemoryRecentFileList recent;
  CTarnixDoc doc;
};

}  // namespace tarnix::cli

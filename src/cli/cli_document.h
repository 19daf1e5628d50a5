#pragma once
// The document a command works on, with console answers and the default
// settings, or those of the settings file named with --settings, so that a
// script reproduces what the desktop shows with that file.
#include <string>

#include "cli/console_ui.h"
#include "document/tarnix_doc.h"
#include "document/recent_file_list.h"

namespace tarnix::cli {

// The settings file of this run; empty for the defaults.
void SetSettingsFile(const std::string& path);
const std::string& SettingsFile();

struct CliDocument {
  explicit CliDocument(bool assumeYes = false, bool keepMessages = false)
      : ui(assumeYes, keepMessages), doc(ui, recent) {
    if (!SettingsFile().empty()) doc.LoadSettings(SettingsFile());
  }
  // Open and save with the file named in every message.
  bool Open(const std::string& path) {
    ui.SetSubject(path);
    return doc.OnOpenDocument(path);
  }
  bool Save(const std::string& path) {
    ui.SetSubject(path);
    return doc.OnSaveDocument(path);
  }

  ConsoleUi ui;
  MemoryRecentFileList recent;
  CTarnixDoc doc;
};

}  // namespace tarnix::cli

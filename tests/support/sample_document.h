#pragma once
// A document with scripted answers, and the bundled sample test to open in it.
#include <string>

#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "support/scripted_ui_services.h"

namespace tarnix::test {

inline const std::string kSamplePath = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

struct SampleDocument {
  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  CTarnixDoc doc{ui, recent};
};

}  // namespace tarnix::test

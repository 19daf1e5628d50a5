#pragma once
// The main frame over a document with scripted answers, and the bundled sample.
#include <gtest/gtest.h>

#include <string>

#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "shell/main_frame.h"
#include "support/scripted_ui_services.h"

namespace tarnix {

inline const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest() : doc_(ui_, recent_), frame_(doc_, recent_) {}

  bool Enabled(CommandId id) { return frame_.Action(id)->isEnabled(); }
  void Open() {
    ASSERT_TRUE(doc_.OnOpenDocument(kSample));
    frame_.RefreshViews();
  }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  CMainFrame frame_;
};

}  // namespace tarnix

// Saving what was opened and opening what was saved: the second save writes
// the same bytes as the first (the first may normalise: sorted points, filled
// gaps, picks held inside the record).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

const std::string kSamples = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/";

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SaveTwice(const std::string& source, const std::string& extension) {
  test::TempDir dir;
  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  const std::string once = dir.File("once." + extension), twice = dir.File("twice." + extension);
  {
    CTarnixDoc doc(ui, recent);
    ASSERT_TRUE(doc.OnOpenDocument(source));
    ASSERT_TRUE(doc.OnSaveDocument(once));
  }
  CTarnixDoc doc(ui, recent);
  ASSERT_TRUE(doc.OnOpenDocument(once));
  ASSERT_TRUE(doc.OnSaveDocument(twice));
  EXPECT_EQ(Bytes(once), Bytes(twice));
  EXPECT_EQ(Bytes(dir.File("once.CHD")), Bytes(dir.File("twice.CHD")));
}

TEST(RoundTrip, RawTestAndResultFileAreByteStable) {
  SaveTwice(kSamples + "ZK01.CHT", "CHT");
  SaveTwice(kSamples + "ZK01_result.CHA", "CHA");
}

}  // namespace
}  // namespace tarnix

// The settings file: what it keeps, its byte layout, and the fallbacks for a
// missing, damaged or unwritable file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "document/tarnix_doc.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"
#include "support/document_access.h"

namespace tarnix {
namespace {

std::string Bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

int32_t IntAt(const std::string& b, size_t offset) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(b.at(offset + i))) << (8 * i);
  return static_cast<int32_t>(v);
}

float FloatAt(const std::string& b, size_t offset) {
  const uint32_t bits = static_cast<uint32_t>(IntAt(b, offset));
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

void ExpectFallbackFilters(const CTarnixDoc& doc, float high, float low, bool on) {
  for (int i = 0; i < kSectionCount; ++i) {
    const ChannelFilter& f = doc.Filter(i);
    EXPECT_EQ(f.highPassKHz, high);
    EXPECT_EQ(f.lowPassKHz, low);
    EXPECT_EQ(f.highPassOn, on);
    EXPECT_EQ(f.lowPassOn, on);
  }
}

class SettingsFile : public ::testing::Test {
 protected:
  // A document on its own, as each run of the program constructs one.
  struct Doc {
    ScriptedUiServices ui;
    MemoryRecentFileList recent;
    CTarnixDoc doc{ui, recent};
  };
  test::TempDir dir_;
  std::string path_ = dir_.File("tarnix.ini");
};

TEST_F(SettingsFile, KeepsEverySettingFromOneRunToTheNext) {
  Doc a;
  TestHeader& h = DocumentTestAccess::Header(a.doc);
  h.site = "大坝左岸";
  h.pileLen = 31.5f;
  h.pipeDepth = {30.0f, 29.5f, 29.0f, 28.5f, 28.0f};
  h.datLen = 512;
  h.remark = "备注";
  // Hole texts, the section count and the curve axes belong to a test.
  h.m_holeX = "12.5";
  h.sectionCount = 6;
  h.curves[kCurveV].manual = 1;
  for (int i = 0; i < kSectionCount; ++i) DocumentTestAccess::Filter(a.doc, i) = {i % 2 == 0, 1.0f + i, i % 3 == 0, 30.0f + i};
  a.doc.display.phase = -1;
  a.doc.display.rowHeight = 12.5f;
  a.doc.display.colours = {Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(10, 11, 12)};
  a.doc.display.depthReference = 3;
  a.doc.display.transmitterMode = 1;
  DocumentTestAccess::CurrentPoint(a.doc) = 17;
  a.doc.pageSetup.topMargin = 25;
  a.doc.pageSetup.headerText = "某水电站声波测试";
  a.doc.reportTexts.lockedTexts[0] = "某水电站";
  a.doc.reportTexts.history[2][9] = "最后一条";
  ASSERT_TRUE(a.doc.SaveSettings(path_));

  Doc b;
  b.doc.LoadSettings(path_);
  EXPECT_EQ(b.doc.Header().site, "大坝左岸");
  EXPECT_EQ(b.doc.Header().pipeDepth, h.pipeDepth);
  EXPECT_EQ(b.doc.Header().m_holeX, "0");
  EXPECT_EQ(b.doc.Header().sectionCount, 0);
  EXPECT_EQ(b.doc.Header().curves[kCurveV].manual, 0);
  EXPECT_EQ(b.doc.Filter(9).lowPassKHz, 39.0f);
  EXPECT_TRUE(b.doc.Filter(9).lowPassOn);
  EXPECT_EQ(b.doc.display.colours, a.doc.display.colours);
  EXPECT_EQ(b.doc.display.transmitterMode, 1);
  EXPECT_EQ(b.doc.CurrentPoint(), 17);
  EXPECT_EQ(b.doc.pageSetup, a.doc.pageSetup);
  EXPECT_EQ(b.doc.reportTexts.lockedTexts[0], "某水电站");
  EXPECT_EQ(b.doc.reportTexts.history[2][9], "最后一条");
  // Every stored field came back: the reloaded settings write the same bytes.
  ASSERT_TRUE(b.doc.SaveSettings(dir_.File("again.ini")));
  EXPECT_EQ(Bytes(dir_.File("again.ini")), Bytes(path_));
}

// Byte positions the desktop program's file has: a default header takes 180
// bytes, each filter entry 10, and the file ends with the grey range, one text
// and the two probe settings.
TEST_F(SettingsFile, FieldsSitWhereTheArchiveFormatPutsThem) {
  Doc a;
  DocumentTestAccess::Filter(a.doc, 1) = {true, 7.0f, false, 40.0f};
  DisplaySettings& d = a.doc.display;
  int32_t* const options[] = {&d.curvePosition, &d.panelHeight,  &d.phase,         &d.showCurrentWave,
                              &d.showTimeCurve, &d.showAmpCurve, &d.showWaveforms, &d.spectrumRefine,
                              &d.waveGain,      &d.valueGain,    &d.intervalGain,  &d.positiveThreshold,
                              &d.trainMode};
  for (int i = 0; i < 13; ++i) *options[i] = 101 + i;
  d.greyMin = 30;
  d.greyMax = 220;
  d.depthReference = 2;
  d.transmitterMode = 1;
  DocumentTestAccess::CurrentPoint(a.doc) = 9;
  ASSERT_TRUE(a.doc.SaveSettings(path_));
  const std::string b = Bytes(path_);

  EXPECT_EQ(b.substr(0, 10), std::string("\xFF\xFE\xFF\x03*\0*\0*\0", 10));  // inst "***"
  EXPECT_EQ(IntAt(b, 176), 0);                                               // standard
  EXPECT_EQ(FloatAt(b, 180), 20.0f);
  EXPECT_EQ(FloatAt(b, 190), 7.0f);
  EXPECT_EQ(FloatAt(b, 194), 40.0f);
  EXPECT_EQ(b.substr(198, 2), std::string("\1\0", 2));
  for (int i = 0; i < 13; ++i) EXPECT_EQ(IntAt(b, 280 + 4 * i), 101 + i) << "display option " << i;
  EXPECT_EQ(IntAt(b, 332), 0);   // wave-train row height
  EXPECT_EQ(IntAt(b, 336), 1);   // curve adjustment
  EXPECT_EQ(IntAt(b, 348), 0);
  EXPECT_EQ(FloatAt(b, 352), 10.0f);
  EXPECT_EQ(IntAt(b, 360), 9);         // current point
  EXPECT_EQ(IntAt(b, 364), 0x0000FF);  // red, red in the lowest byte
  EXPECT_EQ(IntAt(b, 368), 0xFF0000);  // blue
  const size_t n = b.size();
  EXPECT_EQ(IntAt(b, n - 22), 30);
  EXPECT_EQ(IntAt(b, n - 18), 220);
  EXPECT_EQ(b.substr(n - 14, 6), std::string("\xFF\xFE\xFF\x01" "1\0", 6));
  EXPECT_EQ(IntAt(b, n - 8), 2);
  EXPECT_EQ(IntAt(b, n - 4), 1);
}

TEST_F(SettingsFile, MissingFileKeepsTheDefaultsAndDamagedOneFallsBack) {
  Doc a;
  DocumentTestAccess::CurrentPoint(a.doc) = 5;
  a.doc.LoadSettings(dir_.File("none.ini"));
  ExpectFallbackFilters(a.doc, 20.0f, 50.0f, false);
  EXPECT_EQ(a.doc.CurrentPoint(), 5);

  DocumentTestAccess::Header(a.doc).site = "大坝左岸";
  a.doc.display.rowHeight = 12.5f;
  ASSERT_TRUE(a.doc.SaveSettings(path_));
  const std::string full = Bytes(path_);
  const std::string damaged[] = {full.substr(0, full.size() - 1), full.substr(0, 40), std::string("xyz"),
                                 std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xF0\xFF\xFF\x7F", 10)};
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    Doc b;
    DocumentTestAccess::Header(b.doc).pileLen = 99.0f;
    b.doc.LoadSettings(path_);
    EXPECT_EQ(b.doc.Header().site, "***");
    EXPECT_EQ(b.doc.Header().pileLen, 22.0f);
    EXPECT_EQ(b.doc.display.rowHeight, 10.0f);
    ExpectFallbackFilters(b.doc, 5.0f, 10.0f, true);
  }
}

TEST_F(SettingsFile, UnwritablePathIsReportedByTheResultOnly) {
  Doc a;
  std::ofstream(dir_.File("plain")) << "x";
  EXPECT_FALSE(a.doc.SaveSettings(dir_.File("plain") + "/tarnix.ini"));
  EXPECT_TRUE(a.ui.messages.empty());
  EXPECT_TRUE(a.doc.SaveSettings(dir_.File("config/tarnix/tarnix.ini")));  // a missing folder is made
}

TEST_F(SettingsFile, NoSectionsPerPageIsTakenAsThree) {
  for (int stored : {0, -4}) {
    Doc a;
    a.doc.pageSetup.sectionsPerPage = stored;
    ASSERT_TRUE(a.doc.SaveSettings(path_));
    Doc b;
    b.doc.LoadSettings(path_);
    EXPECT_EQ(b.doc.pageSetup.sectionsPerPage, 3);
  }
}

}  // namespace
}  // namespace tarnix

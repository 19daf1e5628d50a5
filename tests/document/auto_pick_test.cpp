// Automatic picking through the document, as the frame command runs it.
#include "document/auto_pick.h"

#include <gtest/gtest.h>

#include <cmath>

#include "formats/raw_test_writer.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"
#include "support/document_access.h"

namespace tarnix {
namespace {

constexpr int kLen = 512;

// A 30 kHz arrival (at 2 µs per sample) at the given sample over a quiet, slightly rippled lead.
std::vector<uint16_t> Arrival(int onset) {
  std::vector<uint16_t> s(kLen);
  for (int i = 0; i < kLen; ++i) {
    const double v = (i % 2 ? 1 : -1) + (i >= onset ? 600 * std::sin(2 * M_PI * 0.06 * (i - onset)) : 0.0);
    s[i] = static_cast<uint16_t>(2048 + std::lround(v));
  }
  return s;
}

class AutoPickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestHeader h;
    h.pileLen = 2.0f;
    h.move = 1.0f;
    h.datLen = kLen;
    h.dT = 2.0f;
    Sections s;
    for (int si = 0; si < 2; ++si) {
      s[si].valid = true;
      s[si].crossD = si == 0 ? 0.5f : 0.8f;
      s[si].gain = 1.0f;
      s[si].dT = 2.0f;
      for (int k = 0; k < 3; ++k) {
        // Stored picks far from the arrivals, so that picking visibly moves them.
        const auto w = Arrival(100 + 20 * si + 5 * k);
        s[si].AppendPoint(w.data(), kLen, 1.0f * k, 1.0f * k, s[si].crossD, 1.0f, 20.0f, 30.0f, 60.0f);
      }
      s[si].RebuildAmpDb();
    }
    path_ = dir_.File("hole.CHT");
    WriteRawTest(path_, h, s, false);
  }

  test::TempDir dir_;
  std::string path_;
  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
};

TEST_F(AutoPickTest, RefusesWithoutATestOrWaveforms) {
  CTarnixDoc doc(ui_, recent_);
  AutoPick(doc);
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"请先打开文件再自动判读!"});

  ASSERT_TRUE(doc.OnOpenDocument(path_));
  doc.display.showWaveforms = 0;
  const int before = doc.Section(0).points[0].arrivalIndex;
  AutoPick(doc);
  EXPECT_EQ(ui_.MessageTexts().back(), "请先切换到波型图模式，再自动判读!");
  EXPECT_EQ(doc.Section(0).points[0].arrivalIndex, before);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(AutoPickTest, PicksBothChannelsAndRecomputesTheirValues) {
  CTarnixDoc doc(ui_, recent_);
  ASSERT_TRUE(doc.OnOpenDocument(path_));
  AutoPick(doc);
  for (int si = 0; si < 2; ++si) {
    const SectionRecord& s = doc.Section(si);
    for (int k = 0; k < 3; ++k) {
      // Points are deepest first: depth 2 m is the third recorded.
      const int onset = 100 + 20 * si + 5 * (2 - k);
      EXPECT_NEAR(s.points[k].arrivalIndex, onset, 1) << si << "/" << k;
      EXPECT_EQ(s.points[k].autoArrivalIndex, s.points[k].arrivalIndex);
      EXPECT_FLOAT_EQ(s.arrivalTime[k], s.points[k].arrivalIndex * 2.0f);
      EXPECT_EQ(s.grades[k], 1.0f);
    }
  }
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(ui_.statusTexts.back(), "自动判读完成");
  EXPECT_EQ(ui_.statusTexts.front(), "自动判读中...");
  EXPECT_EQ(ui_.maxWaitDepth, 1);
  EXPECT_EQ(ui_.waitDepth, 0);
  EXPECT_GT(ui_.viewUpdates, 0);
}

TEST_F(AutoPickTest, SoundTimeCorrectionShiftsBeforePicking) {
  CTarnixDoc doc(ui_, recent_);
  ASSERT_TRUE(doc.OnOpenDocument(path_));
  DocumentTestAccess::TimeCorrection(doc, 1) = 3;  // µs at dT 2 µs: one sample earlier
  AutoPick(doc);
  AutoPick(doc);  // from the record every time: nothing accumulates
  const CSamNode& p = doc.Section(1).points[2];
  EXPECT_NEAR(p.arrivalIndex, 119, 1);
  EXPECT_EQ(p.autoArrivalIndex, static_cast<int>(3 / 2.0 + p.arrivalIndex));
  EXPECT_EQ(p.samples[0], p.rawSamples[1]);
}

TEST_F(AutoPickTest, DataTableModeDoesNothing) {
  CTarnixDoc doc(ui_, recent_);
  ASSERT_TRUE(doc.OnOpenDocument(path_));
  doc.modes.layoutMode = 1;
  AutoPick(doc);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(ui_.statusTexts.empty());
}

}  // namespace
}  // namespace tarnix

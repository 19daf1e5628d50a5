// Opening a raw test into the document, and re-filtering a channel.
#include "document/tarnix_doc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/main_frequency.h"
#include "formats/file_error.h"
#include "formats/raw_test_writer.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"
#include "support/document_access.h"

namespace tarnix {
namespace {

constexpr int kLen = 64;

// A 30 kHz burst starting at the given sample, 12-bit offset binary.
std::vector<uint16_t> Burst(int onset, double amplitude) {
  std::vector<uint16_t> s(kLen, 2048);
  for (int i = onset; i < kLen; ++i) {
    s[i] = static_cast<uint16_t>(2048 + std::lround(amplitude * std::sin(0.1885 * (i - onset))));
  }
  return s;
}

// A hole of the given length at 0.5 m spacing, 1 µs sampling.
TestHeader ProbeHeader(float pileLen) {
  TestHeader h;
  h.pileLen = pileLen;
  h.move = 0.5f;
  h.datLen = kLen;
  h.dT = 1.0f;
  return h;
}

void UseSection(SectionRecord& s, float crossD) {
  s.valid = true;
  s.crossD = crossD;
  s.gain = 0.0f;
  s.dT = 1.0f;
  s.datLen = kLen;
}

// Two receivers, three depths each, with one re-recorded depth in section 0.
void WriteProbeTest(const std::string& path) {
  const TestHeader h = ProbeHeader(1.0f);
  Sections s;
  for (int si = 0; si < 2; ++si) {
    UseSection(s[si], si == 0 ? 0.5f : 0.8f);
    for (int k = 0; k < 3; ++k) {
      const auto w = Burst(10 + k + 3 * si, 500);
      s[si].AppendPoint(w.data(), kLen, 0.5f * k, 0.5f * k, s[si].crossD, 0.0f, 10.0f + k, 14.0f, 60.0f);
    }
  }
  const auto later = Burst(20, 900);
  s[0].AppendPoint(later.data(), kLen, 0.5004f, 0.5004f, 0.5f, 0.0f, 20.0f, 24.0f, 66.0f);
  s[0].RebuildAmpDb();
  s[1].RebuildAmpDb();
  WriteRawTest(path, h, s, false);
}

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("hole.CHT");
    WriteProbeTest(path_);
  }
  test::TempDir dir_;
  std::string path_;
  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
};

TEST_F(DocTest, OpenCompletesEverySectionInUse) {
  CTarnixDoc doc(ui_, recent_);
  DocumentTestAccess::TimeCorrection(doc, 0) = 7;
  DocumentTestAccess::Layers(doc).m_style1 = 5;
  DocumentTestAccess::Header(doc).curves[kCurveV].manual = 1;
  DocumentTestAccess::Header(doc).curves[kCurveT].manual = 1;
  ASSERT_TRUE(doc.OnOpenDocument(path_));

  EXPECT_TRUE(doc.HasData());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.CurrentSection(), 0);
  EXPECT_EQ(doc.CurrentPoint(), 0);
  EXPECT_EQ(doc.TimeCorrection(0), 0);
  EXPECT_EQ(doc.Layers().m_style1, 1);
  EXPECT_EQ(doc.Header().m_holeX, "0");
  // Hand-set axes do not survive a raw test, except the time axis.
  EXPECT_EQ(doc.Header().curves[kCurveV].manual, 0);
  EXPECT_EQ(doc.Header().curves[kCurveT].manual, 1);

  const SectionRecord& s0 = doc.Section(0);
  ASSERT_EQ(s0.PointCount(), 3);  // the re-recorded depth collapsed
  EXPECT_FLOAT_EQ(s0.points[0].sourL, 1.0f);
  EXPECT_FLOAT_EQ(s0.points[2].sourL, 0.0f);
  EXPECT_EQ(s0.points[1].rawSamples, Burst(20, 900));  // the later recording
  EXPECT_EQ(s0.points[1].gain, 1.0f);                 // gain 0 everywhere becomes 1
  ASSERT_EQ(s0.grades.size(), 3u);
  EXPECT_EQ(s0.grades[0], 1.0f);
  EXPECT_FALSE(doc.Section(2).valid);
}

TEST_F(DocTest, APickBeyondTheRecordReadsAsItSaves) {
  const TestHeader h = ProbeHeader(0.5f);
  Sections s;
  UseSection(s[0], 0.5f);
  const auto w = Burst(10, 500);
  s[0].AppendPoint(w.data(), kLen, 0.5f, 0.5f, 0.5f, 0.0f, 90.0f, 95.0f, 60.0f);  // past the 64 µs record
  s[0].AppendPoint(w.data(), kLen, 0.0f, 0.0f, 0.5f, 0.0f, 10.0f, 14.0f, 60.0f);
  WriteRawTest(path_, h, s, false);

  CTarnixDoc doc(ui_, recent_);
  ASSERT_TRUE(doc.OnOpenDocument(path_));
  const CSamNode& opened = doc.Section(0).points[0];
  EXPECT_EQ(opened.arrivalIndex, kLen - 1);
  EXPECT_EQ(opened.ampIndex, kLen - 1);
  EXPECT_FLOAT_EQ(doc.Section(0).arrivalTime[0], kLen - 1);
  ASSERT_TRUE(doc.OnSaveDocument(dir_.File("again.CHT")));
  CTarnixDoc again(ui_, recent_);
  ASSERT_TRUE(again.OnOpenDocument(dir_.File("again.CHT")));
  EXPECT_EQ(again.Section(0).points[0].arrivalIndex, kLen - 1);
  EXPECT_EQ(again.Section(0).arrivalTime, doc.Section(0).arrivalTime);
}

TEST_F(DocTest, FailedOpenLeavesTheDocumentAsItWas) {
  CTarnixDoc doc(ui_, recent_);
  ASSERT_TRUE(doc.OnOpenDocument(path_));
  const TestHeader before = doc.Header();
  const auto samples = doc.Section(1).points[0].samples;

  EXPECT_FALSE(doc.OnOpenDocument(dir_.File("missing.CHT")));
  EXPECT_FALSE(doc.OnOpenDocument(dir_.File("hole.txt")));
  EXPECT_EQ(ui_.MessageTexts(), (std::vector<std::string>{"打开文件失败！", "无法识别的文件类型"}));
  EXPECT_EQ(doc.Header().pileLen, before.pileLen);
  EXPECT_EQ(doc.Section(1).points[0].samples, samples);
  EXPECT_EQ(doc.CurrentSection(), 0);
}

TEST_F(DocTest, RefilteringStartsFromTheRecordEveryTime) {
  CTarnixDoc doc(ui_, recent_);
  ASSERT_TRUE(doc.OnOpenDocument(path_));
  SectionRecord& s = DocumentTestAccess::Section(doc, 1);
  s.points[0].freqIndex = 12;

  DocumentTestAccess::Filter(doc, 1).highPassOn = true;
  DocumentTestAccess::Filter(doc, 1).highPassKHz = 20.0f;
  DocumentTestAccess::ApplyChannelFilter(doc, 1);
  const auto once = s.points[0].samples;
  EXPECT_NE(once, s.points[0].rawSamples);
  // The chosen spectrum bin is forgotten and taken afresh from the new spectrum.
  float spectrum[kFrequencyBins];
  int peak = -1;
  CalcMainFrequency(once.data(), kLen, 1.0f, spectrum, peak, -1);
  EXPECT_EQ(s.points[0].freqIndex, peak);
  EXPECT_TRUE(doc.IsModified());
  DocumentTestAccess::ApplyChannelFilter(doc, 1);
  EXPECT_EQ(s.points[0].samples, once);

  DocumentTestAccess::Filter(doc, 1).highPassOn = false;
  DocumentTestAccess::ApplyChannelFilter(doc, 1);
  EXPECT_EQ(s.points[0].samples, s.points[0].rawSamples);
  EXPECT_EQ(doc.Section(0).points[0].samples, doc.Section(0).points[0].rawSamples);
}

TEST_F(DocTest, RefilteringReappliesTheSoundTimeCorrection) {
  CTarnixDoc doc(ui_, recent_);
  ASSERT_TRUE(doc.OnOpenDocument(path_));
  SectionRecord& s = DocumentTestAccess::Section(doc, 0);
  const auto raw = s.points[0].rawSamples;
  const int pick = s.points[0].autoArrivalIndex;

  DocumentTestAccess::TimeCorrection(doc, 0) = 3;  // µs at dT 1 µs: three samples earlier
  DocumentTestAccess::ApplyChannelFilter(doc, 0);
  DocumentTestAccess::ApplyChannelFilter(doc, 0);  // never accumulates
  EXPECT_EQ(s.points[0].samples[0], raw[3]);
  EXPECT_EQ(s.points[0].samples[kLen - 1], 2048);
  EXPECT_EQ(s.points[0].arrivalIndex, pick - 3);
  EXPECT_FLOAT_EQ(s.arrivalTime[0], static_cast<float>(pick - 3));
}

}  // namespace
}  // namespace tarnix

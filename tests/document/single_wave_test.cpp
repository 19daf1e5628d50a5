// 单波保存 and 单波读取: a point saved from the sample reads back into the wave
// clipboard, with the refusals and the name and suffix rules.
#include "document/single_wave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "formats/raw_test_reader.h"
#include "formats/raw_test_writer.h"
#include "model/sample_conversion.h"
#include "support/sample_document.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

// The first point of section 0 with a waveform.
int PointWithWave(const CTarnixDoc& doc) {
  for (int i = 0; i < doc.Section(0).PointCount(); ++i) {
    if (doc.Section(0).points[i].HasWaveform()) return i;
  }
  return -1;
}

TEST(SingleWave, SavedPointReadsBackIntoTheClipboard) {
  test::TempDir dir;
  test::SampleDocument sample;
  CTarnixDoc& doc = sample.doc;
  ASSERT_TRUE(doc.OnOpenDocument(test::kSamplePath));
  const int point = PointWithWave(doc);
  ASSERT_GE(point, 0);
  doc.SetCurrentSection(0);
  doc.SetCurrentPoint(point);
  const CSamNode& p = doc.Section(0).points[point];

  sample.ui.files.push_back(dir.File("one"));  // typed without extension
  OnSingleWaveSave(doc);
  ASSERT_EQ(sample.ui.dialogs.size(), 1u);
  EXPECT_EQ(sample.ui.dialogs[0].proposedName, SingleWaveName(doc.Header(), doc.Section(0), p));
  EXPECT_EQ(sample.ui.dialogs[0].defaultExtension, "CHT");
  EXPECT_TRUE(sample.ui.messages.empty()) << sample.ui.MessageTexts().front();
  ASSERT_TRUE(std::filesystem::exists(dir.File("one.CHT")));
  EXPECT_FALSE(doc.IsModified());

  // What the file holds: one point, its A(dB) as the test shows it.
  TestHeader header;
  Sections sections;
  ReadTestFilePair(dir.File("one.CHT"), header, sections);
  int count = 0;
  for (const SectionRecord& s : sections) count += s.valid ? s.PointCount() : 0;
  EXPECT_EQ(count, 1);
  ASSERT_EQ(sections[0].PointCount(), 1);
  EXPECT_NEAR(sections[0].points[0].ampDbRead, doc.Section(0).ampDb[point], 0.05);

  // Read back, without a file open and with one.
  for (bool open : {false, true}) {
    test::SampleDocument other;
    if (open) ASSERT_TRUE(other.doc.OnOpenDocument(test::kSamplePath));
    ASSERT_TRUE(ReadSingleWave(other.doc, dir.File("one.CHT"))) << other.ui.MessageTexts().front();
    ASSERT_TRUE(other.doc.WaveClipboard().has_value());
    EXPECT_TRUE(other.doc.WaveClipboardFull());
    const CSamNode& c = *other.doc.WaveClipboard();
    EXPECT_EQ(c.rawSamples, p.rawSamples);
    EXPECT_EQ(c.arrivalIndex, p.arrivalIndex);
    EXPECT_FLOAT_EQ(c.sourL, p.sourL);
    if (open) EXPECT_TRUE(other.doc.PastePoint(0, 0));
  }
}

TEST(SingleWave, RefusalsAndTheSuffixRule) {
  test::TempDir dir;
  test::SampleDocument sample;
  CTarnixDoc& doc = sample.doc;
  OnSingleWaveSave(doc);
  EXPECT_EQ(sample.ui.MessageTexts(), std::vector<std::string>{"请先打开文件!"});

  ASSERT_TRUE(doc.OnOpenDocument(test::kSamplePath));
  sample.ui.messages.clear();
  // A point index past the list is no point at all.
  EXPECT_FALSE(SaveSingleWave(doc, 0, doc.Section(0).PointCount(), dir.File("x.CHT")));
  EXPECT_EQ(sample.ui.MessageTexts(), std::vector<std::string>{"该高度没有波形!"});
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.CHT")));

  EXPECT_EQ(WithRawTestSuffix("a.CHT"), "a.CHT");
  EXPECT_EQ(WithRawTestSuffix("a.cht"), "a.cht.CHT");

  // The suffix names a file the dialog did not ask about: asked again, No keeps it.
  doc.SetCurrentSection(0);
  doc.SetCurrentPoint(PointWithWave(doc));
  const std::string kept = dir.File("b.cht.CHT");
  { std::ofstream(kept) << "kept"; }
  sample.ui.messages.clear();
  sample.ui.files.push_back(dir.File("b.cht"));
  sample.ui.answers.push_back(MessageAnswer::No);
  OnSingleWaveSave(doc);
  ASSERT_EQ(sample.ui.messages.size(), 1u);
  EXPECT_NE(sample.ui.messages[0].text.find("b.cht.CHT"), std::string::npos);
  EXPECT_EQ(std::filesystem::file_size(kept), 4u);

  // A file of two waveforms fills nothing.
  test::SampleDocument reader;
  EXPECT_FALSE(ReadSingleWave(reader.doc, test::kSamplePath));
  EXPECT_EQ(reader.ui.MessageTexts(), std::vector<std::string>{"文件中包含多个波形！"});
  EXPECT_FALSE(reader.doc.WaveClipboard().has_value());
}

TEST(SingleWave, AShortWaveKeepsItsLengthUnlessATestIsOpen) {
  test::TempDir dir;
  TestHeader header;
  header.datLen = 512;
  Sections sections;
  sections[0].valid = true;
  sections[0].dT = header.dT;
  sections[0].datLen = 512;
  const std::vector<uint16_t> wave(512, kZeroLevel + 100);
  sections[0].AppendPoint(wave.data(), 512, 3.0f, 3.0f, 0.5f, 0.0f, 40.0f, 60.0f, 12.0f);
  WriteRawTest(dir.File("short.CHT"), header, sections, false);

  test::SampleDocument none;
  ASSERT_TRUE(ReadSingleWave(none.doc, dir.File("short.CHT")));
  EXPECT_EQ(none.doc.WaveClipboard()->samples, wave);  // nothing read past the file's waveform

  test::SampleDocument open;
  ASSERT_TRUE(open.doc.OnOpenDocument(test::kSamplePath));
  EXPECT_FALSE(ReadSingleWave(open.doc, dir.File("short.CHT")));
  EXPECT_EQ(open.ui.MessageTexts(), std::vector<std::string>{"采样长度小于当前打开文件！"});
}

}  // namespace
}  // namespace tarnix

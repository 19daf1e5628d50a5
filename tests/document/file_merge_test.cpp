// Merging test files: what a load accepts, what a merge takes over, and what
// the save writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document/file_merge.h"
#include "formats/raw_test_reader.h"
#include "formats/raw_test_writer.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

// A small cross-hole test: sections 0 (1-2) and 1 (1-3), two depths each,
// every sample of a waveform equal to marker.
void WriteTest(const std::string& path, int datLen, float dT, int marker, float senDH = 0.0f) {
  TestHeader h;
  h.datLen = datLen;
  h.dT = dT;
  h.move = 0.5f;
  h.pipeNum = 3;
  h.pileLen = 1.0f;
  Sections sections;
  for (int si = 0; si < 2; ++si) {
    SectionRecord& s = sections[si];
    s.valid = true;
    s.destPipe = si + 1;
    s.dT = dT;
    s.senDH = senDH;
    const std::vector<uint16_t> wave(datLen, static_cast<uint16_t>(marker + si));
    for (float depth : {1.0f, 0.5f}) {
      s.AppendPoint(wave.data(), datLen, depth, depth + (senDH != 0.0f ? 0.3f : 0.0f), 0.5f, 1, 0, 0, 0);
    }
  }
  WriteRawTest(path, h, sections, false);
}

class FileMergeTest : public ::testing::Test {
 public:
  std::string Test(const std::string& name, int datLen, float dT, int marker, float senDH = 0.0f) {
    const std::string path = dir.File(name);
    WriteTest(path, datLen, dT, marker, senDH);
    return path;
  }
  std::vector<std::string> Targets(int row) const { return merge.Row(row).targets; }

  test::TempDir dir;
  ScriptedUiServices ui;
  FileMerge merge{ui};
};

TEST_F(FileMergeTest, AnotherSamplingIntervalIsRefusedAndTheFirstFileStays) {
  ASSERT_TRUE(merge.Load(Test("a.CHT", 8, 1.0f, 100)));
  EXPECT_EQ(Targets(0), (std::vector<std::string>{"1-2", "1-3", "2-3", "不并入"}));
  EXPECT_EQ(merge.Row(0).Chosen(), "不并入");
  EXPECT_FALSE(merge.Load(Test("b.CHT", 8, 0.5f, 200)));
  EXPECT_FALSE(merge.Load(Test("c.CHT", 16, 1.0f, 200)));
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"请选择采样频率一致的文件！", "请选择采样长度一致的文件！"}));
  EXPECT_EQ(merge.LoadedSections()[0].points[0].rawSamples[0], 100);
  EXPECT_EQ(merge.Row(1).label, "1-3");
  EXPECT_FALSE(merge.Load(dir.File("notes.txt")));  // ignored, without a word
  EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(FileMergeTest, TargetsTakenAndDuplicatesRefused) {
  ASSERT_TRUE(merge.Load(Test("a.CHT", 8, 1.0f, 100)));
  EXPECT_TRUE(merge.Choose(0, "2-3"));
  EXPECT_FALSE(merge.Choose(1, "2-3"));
  EXPECT_EQ(merge.Row(1).Chosen(), "不并入");
  EXPECT_TRUE(merge.Choose(1, "1-2"));
  ASSERT_TRUE(merge.Merge(1.0f));
  EXPECT_TRUE(merge.MergedSections()[2].valid);
  EXPECT_EQ(merge.MergedSource(2), "a.CHT 1-2");
  EXPECT_FALSE(merge.Row(0).Enabled());
  // The next file is offered only the pairs still free.
  ASSERT_TRUE(merge.Load(Test("b.CHT", 8, 1.0f, 200)));
  EXPECT_EQ(Targets(0), (std::vector<std::string>{"1-3", "不并入"}));
}

TEST_F(FileMergeTest, ProbeSectionsAndThePipeCount) {
  ASSERT_TRUE(merge.Load(Test("probe.CHT", 8, 1.0f, 100, 0.3f)));
  // Receivers below the transmitter.
  EXPECT_EQ(Targets(0), (std::vector<std::string>{"发射在上", "不并入"}));
  merge.SetAutoPipeCount(false);
  merge.SetPipeCount(6);
  EXPECT_EQ(merge.PipeCount(), 5);  // ten sections hold five pipes
  merge.SetPipeCount(2);
  EXPECT_TRUE(merge.Choose(1, "发射在下"));
  EXPECT_FALSE(merge.Merge(1.0f));
  EXPECT_EQ(ui.MessageTexts().back(), "管数错误！");
  EXPECT_FALSE(merge.MergedSections()[1].valid);
}

TEST_F(FileMergeTest, ClearStartsAFreshMergedTest) {
  ASSERT_TRUE(merge.Load(Test("a.CHT", 8, 1.0f, 100)));
  merge.Choose(0, "1-2");
  ASSERT_TRUE(merge.Merge(1.0f));
  merge.Clear();
  EXPECT_FALSE(merge.MergedStarted());
  // Another length is now a first file, and the merged test takes it.
  ASSERT_TRUE(merge.Load(Test("b.CHT", 16, 1.0f, 300)));
  merge.Choose(1, "1-3");
  ASSERT_TRUE(merge.Merge(1.0f));
  EXPECT_EQ(merge.MergedHeader().datLen, 16);
  EXPECT_FALSE(merge.MergedSections()[0].valid);
  const std::string out = dir.File("out.CHT");
  ASSERT_TRUE(merge.SaveTo(out, 1.0f));
  TestHeader h;
  Sections read;
  ReadTestFilePair(out, h, read);
  EXPECT_EQ(h.datLen, 16);
  EXPECT_EQ(h.sectionCount, 3);
  ASSERT_TRUE(read[1].valid);
  EXPECT_EQ(read[1].points[0].rawSamples, std::vector<uint16_t>(16, 301));
  EXPECT_FALSE(read[0].valid);
}

TEST_F(FileMergeTest, AFailedSaveLeavesThePreviousPair) {
  ASSERT_TRUE(merge.Load(Test("a.CHT", 8, 1.0f, 100)));
  merge.Choose(0, "1-2");
  ASSERT_TRUE(merge.Merge(0.1f));  // shallower than one spacing: said, and merged all the same
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"请输入正确的孔深"}));
  const std::string out = dir.File("out.CHT");
  { std::ofstream(out) << "old"; }
  std::filesystem::create_directory(dir.File("out.CHD"));  // the data file cannot take its place
  EXPECT_FALSE(merge.SaveTo(out, 1.0f));
  EXPECT_EQ(ui.MessageTexts().back(), "创建CHD文件失败！");
  std::ifstream in(out);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
}

TEST_F(FileMergeTest, OlderFilesLoad) {
  ASSERT_TRUE(merge.Load(TARNIX_TEST_DATA "/old_probe.RTX"));
  EXPECT_EQ(merge.Row(1).label, "1-3");
  // A .CHS is read as a result file, beside the same data file.
  std::filesystem::copy_file(Test("h.CHT", 8, 1.0f, 100), dir.File("h.CHS"));
  merge.Clear();
  EXPECT_TRUE(merge.Load(dir.File("h.CHS"))) << (ui.messages.empty() ? "" : ui.messages[0].text);
}

}  // namespace
}  // namespace tarnix

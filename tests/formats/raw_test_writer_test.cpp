// Writing raw tests, reading them back, and recognising data files by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/file_error.h"
#include "formats/file_paths.h"
#include "formats/raw_test_reader.h"
#include "formats/raw_test_writer.h"
#include "formats/test_files.h"

namespace tarnix {
namespace {

using testing::ErrorOf;
using testing::Offset;
using testing::ReadBytes;
using testing::SplitCrLf;
using testing::TempDir;
using testing::Words;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

const std::vector<int16_t> kWaveA{0, 5, -7, 100, -100, 2047, -2048, -3000};
const std::vector<int16_t> kWaveB{1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<int16_t> kWaveC{-1, -2, -3, -4, 32767, -32768, 0, 0};

SectionRecord Section(int destPipe, float crossD, float gain, float dT, float delay) {
  SectionRecord s;
  s.valid = true;
  s.destPipe = destPipe;
  s.crossD = crossD;
  s.gain = gain;
  s.dT = dT;
  s.delay = delay;
  s.datLen = 8;
  return s;
}

// A point with a waveform; the picks are times, as the section takes them.
void Record(SectionRecord& s, float depth, float destL, const std::vector<int16_t>& wave, float t,
            float ta, float gain) {
  const std::vector<uint16_t> samples = Offset(wave);
  s.AppendPoint(samples.data(), 8, depth, destL, s.crossD, gain, t, ta, 0.0f);
}

void AddFiller(SectionRecord& s, float depth) {
  s.points.push_back(s.MakeFillerPoint(depth));
  ++s.lastIndex;
}

// A probe test with three pipes: section 0 has two waveforms and a filler point
// between them, section 1 one waveform, section 2 is not in use.
struct Recorded {
  TestHeader header;
  Sections sections;
};

Recorded ProbeTest() {
  Recorded t;
  TestHeader& h = t.header;
  h.site = "Dam 坝址";
  h.inst = "kv-200";
  h.datLen = 8;
  h.move = 0.25f;
  h.pileLen = 4.0f;
  h.pipeDepth = {4.0f, 4.0f, 4.0f, 4.0f, 4.0f};
  SectionRecord& s0 = t.sections[0] = Section(1, 0.65f, 40.0f, 0.5f, 2.0f);
  s0.t0 = 1.5f;
  s0.filtL = 0.5f;
  s0.filtH = 100.0f;
  s0.senDH = 0.3f;
  s0.defect = {1.5f, 0.0f, 3.25f};
  Record(s0, 3.2f, 3.7f, kWaveA, 5.0f, 5.5f, 40.0f);
  AddFiller(s0, 3.0f);
  Record(s0, 2.8f, 3.3f, kWaveB, 4.0f, 6.5f, 35.0f);
  s0.ampDb = {88.5f, 0.0f, 70.4f};  // what the amplitude column shows
  SectionRecord& s1 = t.sections[1] = Section(2, 0.85f, 20.0f, 1.0f, 0.0f);
  Record(s1, 3.2f, 3.9f, kWaveC, 61.0f, 70.0f, 20.0f);
  s1.ampDb = {75.0f};
  t.sections[2].sourPipe = 1;
  t.sections[2].destPipe = 2;
  return t;
}

class RawTestWriter : public ::testing::Test {
 protected:
  void Write(bool rangeMode = false) {
    WriteRawTest(path, test.header, test.sections, rangeMode);
    text = ReadBytes(path);
    lines = SplitCrLf(text);
  }
  std::string LineStarting(const std::string& prefix) const { return testing::LineStarting(lines, prefix); }
  Lines Rows(const std::string& header, size_t count) const { return testing::RowsAfter(lines, header, count); }

  TempDir dir;
  std::string path = dir.File("probe.CHT");
  Recorded test = ProbeTest();
  std::string text;
  Lines lines;
};

const std::string kEmptyRow = "SI  " + std::string(120, '*');
const std::string kTemp4 = "    TEMP    TEMP    TEMP    TEMP";

TEST_F(RawTestWriter, HeaderPipeAndSectionBlocks) {
  Write();
  // No bare LF anywhere: every line ends in CR LF.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
            std::count(text.begin(), text.end(), '\r'));
  EXPECT_EQ(text.rfind("PQKVT_CrsHlDat_DatFormat:\r\nFormat   :KVT_CrsHl_000\r\n", 0), 0u);
  EXPECT_EQ(LineStarting("SITE"), "SITE     :Dam \xB0\xD3\xD6\xB7");  // GBK
  EXPECT_EQ(LineStarting("INST"), "INST     :KV-200");
  EXPECT_EQ(LineStarting("PILELen"), "PILELen m:    4.00");
  EXPECT_EQ(LineStarting("PIPEV"), "PIPEV m/s:    5120");
  EXPECT_EQ(LineStarting("PIPEW"), "PIPEW  mm:    57.0");
  EXPECT_EQ(LineStarting("PIPENUM"), "PIPENUM  :       3");
  EXPECT_EQ(Rows("PIPENUM", 4), (Lines{"Pipe1Dp m:    4.00", "Pipe2Dp m:    4.00",
                                        "Pipe3Dp m:    4.00", "Pipe*    :********"}));
  EXPECT_EQ(Rows("SectNum  :       3", 7),
            (Lines{"SectID0  :     1-2", "SourPipe0:       0", "DestPipe0:       1",
                   "SectID1  :     1-3", "SourPipe1:       0", "DestPipe1:       2",
                   "SectID2  :     2-3"}));
  EXPECT_EQ(Rows("DestPipe2", 1).at(0), "SectIDI  :********");
}

TEST_F(RawTestWriter, ParameterTablesAndRayRows) {
  Write();
  const auto defects = Rows("SI       Num", 3);
  ASSERT_EQ(defects.size(), 3u);
  EXPECT_EQ(defects[0], "0   " "       2" "    1.50" "    0.00" "    3.25" "    0.00" "    0.00"
                        "    0.00" "    0.00" "    0.00" "    0.00" "    0.00" + kTemp4);
  EXPECT_EQ(defects[2], kEmptyRow);
  const auto params = Rows("SI    CrossD", 3);
  ASSERT_EQ(params.size(), 3u);
  EXPECT_EQ(params[0], "0   " "    0.65" "    0.25" "      40" "    1.50" "    0.50" "    2.00"
                       "       8" "    0.50" "  100.00" "     0.3" "    TEMP" + kTemp4);
  EXPECT_EQ(params[2], kEmptyRow);

  // The filler point gets no row; Seek advances by 2 * datLen bytes per row.
  const auto rays = Rows("SI   SourL", 4);
  ASSERT_EQ(rays.size(), 3u);
  EXPECT_EQ(rays[0], "0 " "    3.20" "    3.70" "     5.0" "     5.5" "    88.5" "     0.0"
                     "     0.0" "  3000.0" "   0" "           1" "      40" "       2" + kTemp4);
  EXPECT_EQ(rays[1], "0 " "    2.80" "    3.30" "     4.0" "     6.5" "    70.4" "     0.0"
                     "     0.0" "     8.0" "   0" "          17" "      35" "       2" + kTemp4);
  EXPECT_EQ(rays[2], "1 " "    3.20" "    3.90" "    61.0" "    70.0" "    75.0" "     0.0"
                     "     0.0" " 32768.0" "   0" "          33" "      20" "       0" + kTemp4);
  // The ray table is the end of the file.
  EXPECT_EQ(text.substr(text.size() - 2 - 130), rays[2] + "\r\n");
}

TEST_F(RawTestWriter, DataFileHoldsTheWaveformsInRowOrder) {
  WriteBytes(dir.File("probe.CHD"), std::string(1000, 'x'));  // an older, longer data file
  Write();
  EXPECT_EQ(ReadBytes(dir.File("probe.CHD")), Words(kWaveA) + Words(kWaveB) + Words(kWaveC));
}

TEST_F(RawTestWriter, RangeModeWritesTheRangeRelativeToItsShallowEnd) {
  SectionRecord& s0 = test.sections[0] = Section(1, 0.65f, 40.0f, 0.5f, 2.0f);
  Record(s0, 4.0f, 4.5f, kWaveC, 5.0f, 5.5f, 40.0f);
  Record(s0, 3.5f, 4.0f, kWaveA, 5.0f, 5.5f, 40.0f);
  AddFiller(s0, 3.0f);
  Record(s0, 2.5f, 3.0f, kWaveB, 5.0f, 5.5f, 40.0f);
  Record(s0, 2.0f, 2.5f, kWaveC, 5.0f, 5.5f, 40.0f);
  s0.firstIndex = 1;
  s0.lastIndex = 3;
  test.sections[1].valid = false;
  test.header.pileLen = 22.0f;
  Write(true);
  EXPECT_EQ(LineStarting("PILELen"), "PILELen m:    1.00");
  EXPECT_EQ(Rows("PIPENUM", 3),
            (Lines{"Pipe1Dp m:    1.00", "Pipe2Dp m:    1.00", "Pipe3Dp m:    1.00"}));
  const auto rays = Rows("SI   SourL", 3);
  ASSERT_EQ(rays.size(), 2u);
  EXPECT_EQ(rays[0].substr(0, 18), "0 " "    1.00" "    1.50");
  EXPECT_EQ(rays[1].substr(0, 18), "0 " "    0.00" "    0.50");
  EXPECT_EQ(rays[1].substr(70, 12), "          17");
  EXPECT_EQ(ReadBytes(dir.File("probe.CHD")), Words(kWaveA) + Words(kWaveB));
  // The caller's header is not changed by the range.
  EXPECT_EQ(test.header.pileLen, 22.0f);
}

void ExpectSamePoint(const CSamNode& read, const CSamNode& written) {
  EXPECT_EQ(read.rawSamples, written.samples);
  EXPECT_EQ(read.arrivalIndex, written.arrivalIndex);
  EXPECT_EQ(read.ampIndex, written.ampIndex);
  EXPECT_FLOAT_EQ(read.sourL, written.sourL);
  EXPECT_FLOAT_EQ(read.destL, written.destL);
  EXPECT_FLOAT_EQ(read.gain, written.gain);
}

TEST_F(RawTestWriter, WhatIsWrittenReadsBack) {
  Write();
  TestHeader header;
  Sections sections;
  ReadTestFilePair(path, header, sections);
  EXPECT_EQ(header.site, "dam坝址");  // the reader lower-cases
  EXPECT_EQ(header.inst, "kv-200");
  EXPECT_EQ(header.datLen, 8);
  EXPECT_FLOAT_EQ(header.move, 0.25f);
  EXPECT_EQ(header.sectionCount, 3);
  for (int si = 0; si < 3; ++si) {
    EXPECT_EQ(sections[si].valid, test.sections[si].valid) << si;
    EXPECT_EQ(sections[si].sourPipe, test.sections[si].sourPipe) << si;
    EXPECT_EQ(sections[si].destPipe, test.sections[si].destPipe) << si;
  }
  for (int si : {0, 1}) {
    EXPECT_FLOAT_EQ(sections[si].crossD, test.sections[si].crossD) << si;
    EXPECT_FLOAT_EQ(sections[si].dT, test.sections[si].dT) << si;
    EXPECT_FLOAT_EQ(sections[si].delay, test.sections[si].delay) << si;
  }
  ASSERT_EQ(sections[0].PointCount(), 2);  // the filler point was not written
  ASSERT_EQ(sections[1].PointCount(), 1);
  ExpectSamePoint(sections[0].points[0], test.sections[0].points[0]);
  ExpectSamePoint(sections[0].points[1], test.sections[0].points[2]);
  ExpectSamePoint(sections[1].points[0], test.sections[1].points[0]);
}

// Decimal points stay points whatever locale the user runs.
TEST_F(RawTestWriter, NumbersIgnoreTheUserLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr &&
        std::string(std::localeconv()->decimal_point) == ",") {
      comma = true;
      break;
    }
  }
  if (!comma) {
    std::setlocale(LC_ALL, previous.c_str());
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  struct Restore {
    std::string locale;
    ~Restore() { std::setlocale(LC_ALL, locale.c_str()); }
  } restore{previous};
  Write();
  EXPECT_EQ(text.find(','), std::string::npos);
  EXPECT_EQ(Rows("SI    CrossD", 1).at(0).substr(0, 12), "0   " "    0.65");
  TestHeader header;
  Sections sections;
  ReadTestFilePair(path, header, sections);
  EXPECT_FLOAT_EQ(sections[0].crossD, 0.65f);
  EXPECT_FLOAT_EQ(header.move, 0.25f);
}

TEST_F(RawTestWriter, FailedWritesLeaveTheOldPair) {
  EXPECT_EQ(ErrorOf([&] {
              WriteRawTest(dir.File("missing/probe.CHT"), test.header, test.sections, false);
            }),
            "创建CHT/CHA文件失败！");

  // The data file cannot be replaced: the old text file must survive as it was.
  WriteBytes(path, "old text");
  std::filesystem::create_directory(dir.File("probe.CHD"));
  EXPECT_EQ(ErrorOf([&] { WriteRawTest(path, test.header, test.sections, false); }),
            "创建CHD文件失败！");
  EXPECT_EQ(ReadBytes(path), "old text");
  EXPECT_EQ(dir.Names(), (Lines{"probe.CHD", "probe.CHT"}));
}

TEST(FilePaths, RecognitionIsCaseSensitive) {
  EXPECT_TRUE(IsRawTestPath("/data/hole 1.CHT"));
  EXPECT_FALSE(IsRawTestPath("/data/hole.cht"));
  EXPECT_FALSE(IsRawTestPath("/data/hole.CHA"));
  EXPECT_TRUE(IsResultPath("/data/hole.CHA"));
  EXPECT_FALSE(IsResultPath("/data/hole.cha"));
  EXPECT_FALSE(IsResultPath("/data/hole.CHT"));
  EXPECT_EQ(DataFilePath("/data/hole.CHT"), "/data/hole.CHD");
  EXPECT_EQ(DataFilePath("/data/hole.CHA"), "/data/hole.CHD");
  EXPECT_EQ(DataFilePath("/data/old.RTX"), "/data/old.RDA");
}

}  // namespace
}  // namespace tarnix

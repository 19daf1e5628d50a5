// Writing result files, and reading them back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/section_summary.h"
#include "formats/result_file.h"
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

const std::vector<int16_t> kOutside{1, -2, 3, -4};  // points outside the evaluated range
const std::vector<int16_t> kWave01{10, -20, 30, -40};
const std::vector<int16_t> kWave03{0, 7, -7, 5};
const std::vector<int16_t> kWave10{100, -50, 25, 0};
const std::vector<int16_t> kWave11{-1, -1, -1, -1};
const std::vector<int16_t> kWave12{3, 2, 1, 0};

void Record(SectionRecord& s, float depth, const std::vector<int16_t>& wave, float span, float gain, float t,
            float ta) {
  const std::vector<uint16_t> samples = Offset(wave);
  s.AppendPoint(samples.data(), 4, depth, depth + 0.5f, span, gain, t, ta, 0.0f);
}

// Section 0 (dT 0.5, delay 2) evaluates points 1..3 of five, one of them a
// filler; section 1 (dT 1) evaluates all three points, down to the shallowest;
// section 2 is named in the section block but not in use.
struct Analysed {
  TestHeader header;
  Sections sections;
  LayerSet layers;
  int current = 0;
};

SectionRecord& InUse(SectionRecord& s, int destPipe, float crossD, float gain, float dT, float delay) {
  s.valid = true;
  s.destPipe = destPipe;
  s.crossD = crossD;
  s.gain = gain;
  s.dT = dT;
  s.delay = delay;
  return s;
}

Analysed AnalysedHole() {
  Analysed a;
  TestHeader& h = a.header;
  h.datLen = 4;
  h.move = 0.5f;
  h.pipeNum = 4;
  h.sectionCount = 3;
  h.pileLen = 22.0f;
  h.m_holeHeight = "1203.5";
  h.m_holeX = "X 12";
  h.m_holeDate = "2024-06-01";
  h.curves[kCurveV] = {6.5f, 1.5f, 1, 3.25f};
  h.curves[kCurveF] = {30.0f, 5.0f, 1, 12.5f};
  h.curves[kCurveT] = {400.0f, 50.0f, 0, 120.0f};
  h.curves[kCurveA] = {120.0f, 40.0f, 0, 65.0f};
  h.curves[kCurveP] = {900.0f, 1.0f, 0, 10.0f};

  SectionRecord& s0 = InUse(a.sections[0], 1, 0.65f, 40.0f, 0.5f, 2.0f);
  Record(s0, 4.0f, kOutside, 0.651f, 40.0f, 3.0f, 4.0f);
  Record(s0, 3.5f, kWave01, 0.648f, 35.0f, 4.5f, 6.0f);
  s0.points.push_back(s0.MakeFillerPoint(3.0f));
  Record(s0, 2.5f, kWave03, 0.655f, 40.0f, 6.0f, 9.0f);
  Record(s0, 2.0f, kOutside, 0.66f, 40.0f, 3.0f, 4.0f);
  s0.velocity = {4.0f, 5.0f, 0.0f, 6.0f, 9.0f};
  s0.ampDb = {80.0f, 90.0f, 0.0f, 100.0f, 70.0f};
  s0.firstIndex = 1;
  s0.lastIndex = 3;
  s0.criticalV = 4.25f;
  s0.criticalA = 77.0f;

  SectionRecord& s1 = InUse(a.sections[1], 2, 0.85f, 20.0f, 1.0f, 0.0f);
  Record(s1, 3.0f, kWave10, 0.853f, 20.0f, 61.0f, 70.0f);
  Record(s1, 2.0f, kWave11, 0.85f, 20.0f, 59.0f, 68.0f);
  Record(s1, 1.0f, kWave12, 0.847f, 20.0f, 58.0f, 66.0f);
  s1.velocity = {3.0f, 4.0f, 8.0f};
  s1.ampDb = {60.0f, 66.0f, 99.0f};
  s1.criticalV = 3.75f;
  s1.criticalA = 61.0f;

  a.sections[2].sourPipe = 1;
  a.sections[2].destPipe = 2;

  a.layers = LayerSet{.m_ruler = 150, .m_style1 = 2, .m_way = 2, .m_tag2 = 0,
                      .leftlayer = 1, .depth = {12.5f}, .describe = {"Dam 坝址"}, .picName = {"Granite A.bmp"},
                      .rightlayer = 1, .height = {6.0f}, .vp = {4520}, .capacity = {1.2f}, .u = {0.25f},
                      .movefilm = {30.5f}, .index = {0.82f}, .explain = {"Sound rock"}, .twave = {2600},
                      .density = {2650.0f}, .vwave = {4800}};
  return a;
}

class ResultFileWriter : public ::testing::Test {
 protected:
  AnalysisRows Analysis() const {
    return ResultAnalysisRows(test.header, test.sections, CAlgorithm_SL_264_2001());
  }
  void Write() {
    WriteResultFile(path, test.header, test.sections, test.layers, Analysis());
    text = ReadBytes(path);
    lines = SplitCrLf(text);
  }
  std::string LineStarting(const std::string& prefix) const { return testing::LineStarting(lines, prefix); }
  Lines Rows(const std::string& header, size_t count) const { return testing::RowsAfter(lines, header, count); }

  TempDir dir;
  std::string path = dir.File("hole.CHA");
  Analysed test = AnalysedHole();
  std::string text;
  Lines lines;
};

const std::string kEmptyRow = "SI  " + std::string(120, '*');
const std::string kTemp3 = "    TEMP    TEMP    TEMP";
const std::string kTemp5 = kTemp3 + "    TEMP    TEMP";

TEST_F(ResultFileWriter, HeaderAndSectionBlocks) {
  Write();
  EXPECT_EQ(Rows("PILEID", 7), (Lines{"m_holeID :***", "m_holeHeight :1203.5", "m_holeDepth  :0",
                                      "m_holeX      :X 12", "m_holeY      :0", "m_holeDate  :2024-06-01",
                                      "m_standard  :SL-264-2001"}));
  // The hole runs over the last section's range (3.0 - 1.0), not the first's;
  // the pipe depths stay.
  EXPECT_EQ(LineStarting("PILELen"), "PILELen m:    2.00");
  EXPECT_EQ(Rows("PIPENUM", 5), (Lines{"Pipe1Dp m:   22.00", "Pipe2Dp m:   22.00", "Pipe3Dp m:   22.00",
                                       "Pipe4Dp m:   22.00", "Pipe*    :********"}));
  // The section count as read, not the six that four pipes would give.
  EXPECT_EQ(LineStarting("SectNum"), "SectNum  :       3");
  EXPECT_EQ(Rows("SourPipe2", 2), (Lines{"DestPipe2:       2", "SectIDI  :********"}));
  EXPECT_EQ(test.header.pileLen, 22.0f);
}

TEST_F(ResultFileWriter, CurveBlockAndAnalysisTable) {
  Write();
  EXPECT_EQ(Rows("PQKVT_CrsHlDat_Curve:", 21),
            (Lines{"vmax   :   6.500", "vmin   :   1.500", "vmanual:       1", "vc     :   3.250",
                   "tmax   : 400.000", "tmin   :  50.000", "tmanual:       0", "tc     : 120.000",
                   "fmax   :  30.000", "fmin   :   5.000", "fmanual:       1", "fc     :  12.500",
                   "amax   : 120.000", "amin   :  40.000", "amanual:       0", "ac     :  65.000",
                   "pmax   : 900.000", "pmin   :   1.000", "pmanual:       0", "pc     :  10.000", ""}));
  EXPECT_EQ(Rows("PQKVT_CrsHlDat_Analysis:", 1).at(0),
            "SI      Vavg      Vc     Vsd    Vdis   Level    Type    Vmin    Aavg      Ac    Amin"
            "    Temp    Temp    Temp    Temp    Temp");
  // Section 0: points 1 and 3 (the filler is skipped), v {5, 6}, A {90, 100}.
  // Section 1: its shallowest point ends the range and is left out, v {3, 4},
  // A {60, 66}. Vc is stored (manual v axis), Ac the standard's 0.
  EXPECT_EQ(Rows("SI      Vavg", 3),
            (Lines{"0   " "   5.500   4.250   0.707   0.129       1       1   5.000  95.000   0.000  90.000" +
                       kTemp5,
                   "1   " "   3.500   3.750   0.707   0.202       1       1   3.000  63.000   0.000  60.000" +
                       kTemp5,
                   kEmptyRow}));

  test.header.curves[kCurveV].manual = 0;
  test.header.curves[kCurveA].manual = 2;
  Write();
  const Lines rows = Rows("SI      Vavg", 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].substr(12, 8), "   0.000");
  EXPECT_EQ(rows[0].substr(68, 8), "  77.000");
  EXPECT_EQ(rows[1].substr(12, 8), "   0.000");
  EXPECT_EQ(rows[1].substr(68, 8), "  61.000");
}

TEST_F(ResultFileWriter, LayerBlockFollowsTheAnalysisTable) {
  Write();
  const Lines afterTable = Rows("SI      Vavg", 36);
  ASSERT_EQ(afterTable.size(), 36u);
  // No tag line; texts as stored ("Dam 坝址" in GBK), no spaces around the colons.
  EXPECT_EQ(Lines(afterTable.begin() + 10, afterTable.end()),
            (Lines{"",
                   "m_ruler :150", "m_style1 :2", "m_style2 :0", "m_way :2", "m_tag1 :1", "m_tag2 :0",
                   "m_tag3 :1", "leftlayer :1", "rightlayer :1",
                   "depth0:12.50", "describe0:Dam \xB0\xD3\xD6\xB7", "picName0:Granite A.bmp",
                   "height0:6.00", "vp0:4520", "capacity0:1.20", "u0:0.25", "movefilm0:30.50", "index0:0.82",
                   "explain0:Sound rock", "twave0:2600", "density0:2650.00", "vwave0:4800",
                   "", "", "PQKVT_CrsHlDat_RayPara:"}));

  test.layers.ClearLayers();
  Write();
  EXPECT_EQ(Rows("m_tag3", 4), (Lines{"leftlayer :0", "rightlayer :0", "", ""}));
}

TEST_F(ResultFileWriter, RayTableHoldsTheRangeWithSpans) {
  Write();
  EXPECT_EQ(Rows("PQKVT_CrsHlDat_RayPara:", 1).at(0),
            "SI   SourL   DestL   T(us)  Ta(us)   A(dB) Tf1(us) Tf2(us)  AbsMax Del    Seek        Gain   Delay"
            "    Span    Temp    Temp    Temp");
  const Lines rays = Rows("SI   SourL", 6);
  ASSERT_EQ(rays.size(), 5u);
  // Depths relative to the point at lastIndex: 2.5 m in section 0, 1.0 m in section 1.
  EXPECT_EQ(rays[0], "0 " "    1.00    1.50     4.5     6.0    90.0     0.0     0.0    40.0   0           1"
                     "      35       2   0.648" + kTemp3);
  EXPECT_EQ(rays[1], "0 " "    0.00    0.50     6.0     9.0   100.0     0.0     0.0     7.0   0           9"
                     "      40       2   0.655" + kTemp3);
  EXPECT_EQ(rays[2].substr(0, 18), "1 " "    2.00    2.50");
  EXPECT_EQ(rays[4].substr(0, 18), "1 " "    0.00    0.50");
  EXPECT_EQ(rays[4].substr(70, 36), "          33      20       0   0.847");
  EXPECT_EQ(text.substr(text.size() - 132), rays[4] + "\r\n");
  EXPECT_EQ(ReadBytes(dir.File("hole.CHD")),
            Words(kWave01) + Words(kWave03) + Words(kWave10) + Words(kWave11) + Words(kWave12));
}

TEST_F(ResultFileWriter, ATestNeverReadFromAFileNamesItsPipesSections) {
  test.header.sectionCount = 0;  // built in code, as a merged test is
  Write();
  EXPECT_EQ(LineStarting("SectNum"), "SectNum  :       6");
  TestHeader header;
  Sections sections;
  LayerSet layers;
  ReadResultFile(path, header, sections, layers);
  EXPECT_EQ(header.sectionCount, 6);
}

TEST_F(ResultFileWriter, WhatIsWrittenReadsBack) {
  Write();
  TestHeader header;
  Sections sections;
  LayerSet layers;
  ReadResultFile(path, header, sections, layers);

  EXPECT_FLOAT_EQ(header.pileLen, 2.0f);
  EXPECT_FLOAT_EQ(header.pipeDepth[3], 22.0f);
  EXPECT_EQ(header.sectionCount, 3);
  EXPECT_EQ(header.m_holeX, "x12");
  EXPECT_FLOAT_EQ(header.curves[kCurveT].max, 400.0f);
  EXPECT_FLOAT_EQ(header.curves[kCurveF].reference, 12.5f);

  struct Written {
    int section, point;
    float depth;
  };
  const Written written[] = {{0, 1, 1.0f}, {0, 3, 0.0f}, {1, 0, 2.0f}, {1, 1, 1.0f}, {1, 2, 0.0f}};
  ASSERT_EQ(sections[0].PointCount(), 2);
  ASSERT_EQ(sections[1].PointCount(), 3);
  int next[2] = {0, 0};
  for (const auto& [si, pi, depth] : written) {
    SCOPED_TRACE(::testing::Message() << si << "/" << pi);
    const CSamNode& w = test.sections[si].points[pi];
    const CSamNode& r = sections[si].points[next[si]++];
    EXPECT_EQ(r.rawSamples, w.samples);
    EXPECT_EQ(r.arrivalIndex, w.arrivalIndex);
    EXPECT_EQ(r.ampIndex, w.ampIndex);
    EXPECT_FLOAT_EQ(r.sourL, depth);
    EXPECT_FLOAT_EQ(r.span, w.span);
    EXPECT_FLOAT_EQ(r.gain, w.gain);
  }

  // The statistics as written, to their three decimals.
  const SectionRecord& s0 = sections[0];
  EXPECT_EQ((std::vector<float>{s0.vAvg, s0.vC, s0.vSd, s0.vDis, s0.vMin, s0.aAvg, s0.aC, s0.aMin}),
            (std::vector<float>{5.5f, 4.25f, 0.707f, 0.129f, 5.0f, 95.0f, 0.0f, 90.0f}));
  EXPECT_EQ(s0.level, 1);
  EXPECT_EQ(s0.type, 1);
  EXPECT_FLOAT_EQ(sections[1].vAvg, 3.5f);
  EXPECT_FALSE(sections[2].valid);

  // Layer texts come back lower-case and without spaces.
  EXPECT_EQ(layers.m_ruler, 150);
  EXPECT_EQ(layers.depth, test.layers.depth);
  EXPECT_EQ(layers.describe, Lines{"dam坝址"});
  EXPECT_EQ(layers.picName, Lines{"granitea.bmp"});
  EXPECT_EQ(layers.explain, Lines{"soundrock"});
  EXPECT_EQ(layers.vp, test.layers.vp);
  EXPECT_EQ(layers.u, test.layers.u);
  EXPECT_EQ(layers.density, test.layers.density);
  EXPECT_EQ(layers.vwave, test.layers.vwave);
}

TEST_F(ResultFileWriter, FailuresEndInAnAsciiExclamationMark) {
  const AnalysisRows algorithm = Analysis();
  EXPECT_EQ(ErrorOf([&] {
              WriteResultFile(dir.File("missing/hole.CHA"), test.header, test.sections, test.layers, algorithm);
            }),
            "创建CHT/CHA文件失败!");
  WriteBytes(path, "old text");
  std::filesystem::create_directory(dir.File("hole.CHD"));
  EXPECT_EQ(ErrorOf([&] { WriteResultFile(path, test.header, test.sections, test.layers, algorithm); }),
            "创建CHD文件失败!");
  EXPECT_EQ(ReadBytes(path), "old text");
}

}  // namespace
}  // namespace tarnix

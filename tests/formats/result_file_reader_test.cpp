// Reading a result file typed by hand in the instrument's layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "formats/result_file.h"
#include "formats/test_files.h"

namespace tarnix {
namespace {

using testing::CrLf;
using testing::ErrorOf;
using testing::Offset;
using testing::TempDir;
using testing::Words;
using testing::WriteBytes;

// tests/data/analysed_hole.CHA, typed by hand (GBK): hole texts with spaces, a
// curve block whose five groups all differ, analysis rows 0 and 1 carrying the
// SIs 1 and 0, two drilling-log and two test-result layers with Chinese texts,
// and a ray table with the Span column: three rays of section 0 (dT 0.5, delay
// 2), two of section 1 (dT 1, delay 0), waveforms of four words at Seek 1..33.
std::vector<std::string> HandWrittenLines() {
  return testing::SplitCrLf(testing::ReadBytes(TARNIX_TEST_DATA "/analysed_hole.CHA"));
}

const std::vector<std::vector<int16_t>> kWaves{
    {1, -2, 3, -4}, {8, 0, -8, 0}, {3, 2, 1, 0}, {100, -50, 25, 0}, {-2048, 2047, 0, -1}};

std::string DataFile() {
  std::string data;
  for (const auto& w : kWaves) data += Words(w);
  return data;
}

class ResultFileReader : public ::testing::Test {
 public:
  void SetUp() override {
    // The hand-typed tables must keep their widths, or every cell shifts.
    for (int r = 0; r < 10; ++r) ASSERT_EQ(Row("SI      Vavg", r).size(), 124u) << "analysis row " << r;
    for (int r = 0; r < 5; ++r) ASSERT_EQ(Row("SI   SourL", r).size(), 130u) << "ray row " << r;
  }

  std::string& Line(const std::string& prefix) { return testing::EditLine(lines, prefix); }
  std::string& Row(const std::string& header, int r) { return testing::EditRow(lines, header, r); }
  void Read() {
    WriteBytes(path, CrLf(lines));
    WriteBytes(dir.File("hole.CHD"), data);
    ReadResultFile(path, header, sections, layers);
  }

  TempDir dir;
  std::string path = dir.File("hole.CHA");
  std::vector<std::string> lines = HandWrittenLines();
  std::string data = DataFile();
  TestHeader header;
  Sections sections;
  LayerSet layers;
};

TEST_F(ResultFileReader, HoleTextsAndCurveBlock) {
  header.standard = 1;
  Read();
  EXPECT_EQ(header.site, "leftbank左岸");
  EXPECT_EQ(header.m_holeID, "zk-9");
  EXPECT_EQ(header.m_holeHeight, "1203.5");
  EXPECT_EQ(header.m_holeDepth, "30.0");
  EXPECT_EQ(header.m_holeX, "x12");
  EXPECT_EQ(header.m_holeY, "y34");
  EXPECT_EQ(header.m_holeDate, "2024-06-01");
  EXPECT_EQ(header.standard, 0);
  EXPECT_EQ(header.sectionCount, 3);
  EXPECT_FLOAT_EQ(header.pileLen, 1.0f);

  // The file lists v, t, f, a, p; the header holds v, f, t, a, p.
  struct Expected {
    CurveQuantity q;
    CurveAxis axis;
  };
  const Expected expected[] = {{kCurveV, {6.5f, 1.5f, 1, 3.25f}},
                               {kCurveT, {400.0f, 50.0f, 0, 120.0f}},
                               {kCurveF, {30.0f, 5.0f, 1, 12.5f}},
                               {kCurveA, {120.0f, 40.0f, 1, 65.0f}},
                               {kCurveP, {900.0f, 1.0f, 0, 10.0f}}};
  for (const auto& [q, axis] : expected) {
    SCOPED_TRACE(CurveKey(q));
    EXPECT_FLOAT_EQ(header.curves[q].max, axis.max);
    EXPECT_FLOAT_EQ(header.curves[q].min, axis.min);
    EXPECT_EQ(header.curves[q].manual, axis.manual);
    EXPECT_FLOAT_EQ(header.curves[q].reference, axis.reference);
  }
}

TEST_F(ResultFileReader, AnalysisRowsFillSectionsByRowNotBySi) {
  Read();
  // Row 0 says SI 1 and row 1 says SI 0: each still fills its own section.
  const SectionRecord& s0 = sections[0];
  EXPECT_FLOAT_EQ(s0.vAvg, 4.1f);
  EXPECT_FLOAT_EQ(s0.vC, 3.9f);
  EXPECT_FLOAT_EQ(s0.vSd, 0.25f);
  EXPECT_FLOAT_EQ(s0.vDis, 0.061f);
  EXPECT_EQ(s0.level, 2);
  EXPECT_EQ(s0.type, 3);
  EXPECT_FLOAT_EQ(s0.vMin, 3.8f);
  EXPECT_FLOAT_EQ(s0.aAvg, 70.5f);
  EXPECT_FLOAT_EQ(s0.aC, 66.0f);
  EXPECT_FLOAT_EQ(s0.aMin, 60.25f);
  const SectionRecord& s1 = sections[1];
  EXPECT_FLOAT_EQ(s1.vAvg, 5.25f);
  EXPECT_FLOAT_EQ(s1.vC, 4.75f);
  EXPECT_EQ(s1.level, 1);
  EXPECT_FLOAT_EQ(s1.aC, 80.5f);
  EXPECT_FLOAT_EQ(s1.aMin, 75.125f);
  for (int i = 2; i < 10; ++i) {
    EXPECT_EQ(sections[i].vAvg, 0.0f) << i;
    EXPECT_EQ(sections[i].level, 0) << i;
  }
}

TEST_F(ResultFileReader, LayerBlock) {
  Read();
  EXPECT_EQ(layers.m_ruler, 200);
  EXPECT_EQ(layers.m_style1, 2);
  EXPECT_EQ(layers.m_style2, 1);
  EXPECT_EQ(layers.m_way, 2);
  EXPECT_EQ(layers.m_tag1, 0);
  EXPECT_EQ(layers.m_tag2, 1);
  EXPECT_EQ(layers.m_tag3, 0);

  EXPECT_EQ(layers.leftlayer, 2);
  EXPECT_EQ(layers.depth, (std::vector<float>{3.5f, 12.0f}));
  EXPECT_EQ(layers.describe, (std::vector<std::string>{"greygranite灰色花岗岩", "sandstone"}));
  EXPECT_EQ(layers.picName, (std::vector<std::string>{"granitea.bmp", "sand.bmp"}));

  EXPECT_EQ(layers.rightlayer, 2);
  EXPECT_EQ(layers.height, (std::vector<float>{6.0f, 12.0f}));
  EXPECT_EQ(layers.vp, (std::vector<int32_t>{4520, 3900}));
  EXPECT_EQ(layers.capacity, (std::vector<float>{1.2f, 0.85f}));
  EXPECT_EQ(layers.u, (std::vector<float>{0.25f, 0.31f}));
  EXPECT_EQ(layers.movefilm, (std::vector<float>{30.5f, 18.25f}));
  EXPECT_EQ(layers.index, (std::vector<float>{0.82f, 0.61f}));
  EXPECT_EQ(layers.explain, (std::vector<std::string>{"soundrock完整", "fractured较破碎"}));
  EXPECT_EQ(layers.twave, (std::vector<int32_t>{2600, 2100}));
  EXPECT_EQ(layers.density, (std::vector<float>{2650.0f, 2500.0f}));
  EXPECT_EQ(layers.vwave, (std::vector<int32_t>{4800, 4100}));
}

TEST_F(ResultFileReader, LayerCountsDecideWhatIsRead) {
  // Zero counts: the layer lines still in the file are not taken.
  Line("leftlayer :") = "leftlayer :0";
  Line("rightlayer :") = "rightlayer :0";
  Read();
  EXPECT_EQ(layers.m_ruler, 200);
  EXPECT_EQ(layers.leftlayer, 0);
  EXPECT_EQ(layers.rightlayer, 0);
  EXPECT_TRUE(layers.depth.empty());
  EXPECT_TRUE(layers.picName.empty());
  EXPECT_TRUE(layers.height.empty());
  EXPECT_TRUE(layers.vwave.empty());

  // Counts beyond the layers present: what is there is read, and the counts
  // follow the lists so that nothing indexes past them.
  Line("leftlayer :") = "leftlayer :2147483647";
  Line("rightlayer :") = "rightlayer :5";
  layers = LayerSet{};
  Read();
  EXPECT_EQ(layers.leftlayer, 2);
  EXPECT_EQ(layers.depth.size(), 2u);
  EXPECT_EQ(layers.describe.size(), 2u);
  EXPECT_EQ(layers.rightlayer, 2);
  EXPECT_EQ(layers.explain.size(), 2u);
  EXPECT_EQ(layers.vwave.size(), 2u);
}

TEST_F(ResultFileReader, RaysCarryTheirSpan) {
  Read();
  EXPECT_EQ(header.datLen, 4);
  ASSERT_EQ(sections[0].PointCount(), 3);
  ASSERT_EQ(sections[1].PointCount(), 2);
  EXPECT_TRUE(sections[0].valid);
  EXPECT_TRUE(sections[1].valid);
  EXPECT_FALSE(sections[2].valid);

  // The Span column, not the section's crossD (0.65 and 0.85).
  const float spans[5] = {0.652f, 0.648f, 0.655f, 0.853f, 0.847f};
  const float depths[5] = {1.0f, 0.5f, 0.0f, 1.0f, 0.0f};
  for (int k = 0; k < 5; ++k) {
    const int si = k < 3 ? 0 : 1;
    const CSamNode& p = sections[si].points[si == 0 ? k : k - 3];
    SCOPED_TRACE(k);
    EXPECT_FLOAT_EQ(p.span, spans[k]);
    EXPECT_FLOAT_EQ(p.sourL, depths[k]);
    EXPECT_EQ(p.rawSamples, Offset(kWaves[k]));
  }
  const CSamNode& a = sections[0].points[0];
  EXPECT_FLOAT_EQ(a.destL, 1.5f);
  EXPECT_FLOAT_EQ(a.gain, 40.0f);
  EXPECT_FLOAT_EQ(a.ampDbRead, 88.5f);
  EXPECT_EQ(a.arrivalIndex, 7);  // (5.5 - 2) / 0.5
  EXPECT_EQ(a.ampIndex, 10);
  EXPECT_EQ(sections[1].points[1].arrivalIndex, 58);
  EXPECT_EQ(sections[1].points[1].ampIndex, 66);
}

// Every refused file leaves the caller's header, sections and layers as they were.
TEST_F(ResultFileReader, RefusedFilesLeaveEverythingUnchanged) {
  const std::string kBadSi = "读取文件PQKVT_CrsHlDat_Analysis:段的SI异常";
  using Damage = std::function<void(ResultFileReader&)>;
  auto analysisSi = [](const char* cell) {
    return [cell](ResultFileReader& t) { t.Row("SI      Vavg", 1).replace(0, 2, cell); };
  };
  const std::vector<std::tuple<const char*, Damage, std::string>> cases = {
      {"analysis SI 12", analysisSi("12"), kBadSi},
      {"analysis SI -1", analysisSi("-1"), kBadSi},
      {"ray SI 10", [](ResultFileReader& t) { t.Row("SI   SourL", 3).replace(0, 2, "10"); },
       "读取文件中PQKVT_CrsHlDat_RayPara:段的SI异常!"},
      {"data file short", [](ResultFileReader& t) { t.data.resize(36); }, "读取CHD文件异常!"},
  };
  for (const auto& [name, damage, message] : cases) {
    SCOPED_TRACE(name);
    lines = HandWrittenLines();
    data = DataFile();
    damage(*this);
    header = TestHeader{};
    header.site = "kept";
    header.curves[kCurveT].max = 333.0f;
    sections = Sections{};
    sections[4].valid = true;
    sections[4].vAvg = 9.5f;
    sections[4].points.resize(1);
    layers = LayerSet{};
    layers.m_ruler = 7;
    layers.leftlayer = 1;
    layers.depth = {9.0f};

    EXPECT_EQ(ErrorOf([&] { Read(); }), message);
    EXPECT_EQ(header.site, "kept");
    EXPECT_EQ(header.curves[kCurveT].max, 333.0f);
    EXPECT_EQ(header.sectionCount, 0);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(sections[i].valid, i == 4) << i;
    EXPECT_EQ(sections[4].vAvg, 9.5f);
    EXPECT_EQ(sections[4].PointCount(), 1);
    EXPECT_EQ(sections[0].vAvg, 0.0f);
    EXPECT_EQ(layers.m_ruler, 7);
    EXPECT_EQ(layers.leftlayer, 1);
    EXPECT_EQ(layers.depth, std::vector<float>{9.0f});
    EXPECT_TRUE(layers.height.empty());
  }
}

}  // namespace
}  // namespace tarnix

// Reading raw tests typed by hand in the instrument's layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "formats/file_error.h"
#include "formats/raw_test_reader.h"
#include "formats/test_files.h"

namespace tarnix {
namespace {

using testing::CrLf;
using testing::ErrorOf;
using testing::Offset;
using testing::TempDir;
using testing::Words;
using testing::WriteBytes;

const std::string kEmptyRow = "SI  " + std::string(120, '*');

// tests/data/probe_three_pipes.CHT, typed by hand: GBK site name "Dam 坝址", the
// older pipe keys "PILEV m/s:" 5100 and "PILEW  mm:" 60.0, three sections (pipes
// 1-2, 1-3, 2-3). Defects: section 0 Num 2 (1.50, 3.25), section 1 Num 1 with a
// stray 9.99 after its one defect. The parameter table starts with a placeholder
// row, so rows and sections do not line up; section 2 has parameters but no
// rays. The second ray row leaves SI, DestL, A(dB) and Gain empty.
std::vector<std::string> HandWrittenLines() {
  return testing::SplitCrLf(testing::ReadBytes(TARNIX_TEST_DATA "/probe_three_pipes.CHT"));
}

// Waveforms in data-file order: Seek 1, 17, 33. The first row points at the second.
const std::vector<int16_t> kWaveSeek1{1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<int16_t> kWaveSeek17{0, 5, -7, 100, -100, 2047, -2048, -3000};
const std::vector<int16_t> kWaveSeek33{-1, -2, -3, -4, 32767, -32768, 0, 0};

class RawTestReader : public ::testing::Test {
 public:
  void SetUp() override {
    // The hand-typed tables must keep their widths, or every cell shifts.
    for (const char* head : {"SI       Num", "SI    CrossD"}) {
      for (int r = 0; r < 10; ++r) ASSERT_EQ(Row(head, r).size(), 124u) << head << " row " << r;
    }
    for (int r = 0; r < 3; ++r) ASSERT_EQ(Row("SI   SourL", r).size(), 130u) << "ray row " << r;
  }

  // The line that starts with prefix; the r-th row under a table header.
  std::string& Line(const std::string& prefix) { return testing::EditLine(lines, prefix); }
  std::string& Row(const std::string& header, int r) { return testing::EditRow(lines, header, r); }
  static void SetCell(std::string& row, size_t start, const std::string& cell) {
    row.replace(start, cell.size(), cell);
  }

  void WriteFiles() {
    const std::string text = CrLf(lines);
    WriteBytes(path, text.substr(0, text.size() - cutBytes));
    WriteBytes(dir.File("hole.CHD"), data);
  }
  void Read() {
    WriteFiles();
    ReadTestFilePair(path, header, sections);
  }

  TempDir dir;
  std::string path = dir.File("hole.CHT");
  std::vector<std::string> lines = HandWrittenLines();
  std::string data = Words(kWaveSeek1) + Words(kWaveSeek17) + Words(kWaveSeek33);
  size_t cutBytes = 0;  // taken off the end of the text file
  TestHeader header;
  Sections sections;
};

TEST_F(RawTestReader, HeaderAndPipeBlock) {
  header.waterV = 1234.0f;
  header.grade = "C40";
  header.pipeDepth[3] = 7.0f;
  Read();
  EXPECT_EQ(header.site, "dam坝址");  // lower-cased, spaces gone, decoded from GBK
  EXPECT_EQ(header.date, "2024-05-06");
  EXPECT_EQ(header.unit, "surveyteamb");
  EXPECT_EQ(header.person, "liming");
  EXPECT_EQ(header.inst, "kv-200");
  EXPECT_EQ(header.m_holeID, "zk-07");
  EXPECT_FLOAT_EQ(header.pileD, 0.09f);
  EXPECT_FLOAT_EQ(header.pileLen, 12.5f);
  EXPECT_FLOAT_EQ(header.pileL, 1.25f);
  EXPECT_FLOAT_EQ(header.pipeV, 5100.0f);
  EXPECT_FLOAT_EQ(header.pipeW, 60.0f);
  EXPECT_FLOAT_EQ(header.pipeD, 48.0f);
  EXPECT_FLOAT_EQ(header.sensorD, 32.5f);
  EXPECT_EQ(header.aporeDeg, 3);
  EXPECT_EQ(header.pipeNum, 3);
  EXPECT_FLOAT_EQ(header.pipeDepth[0], 12.5f);
  EXPECT_FLOAT_EQ(header.pipeDepth[1], 12.4f);
  EXPECT_FLOAT_EQ(header.pipeDepth[2], 12.3f);
  // Fields without a key keep the caller's values.
  EXPECT_FLOAT_EQ(header.pipeDepth[3], 7.0f);
  EXPECT_FLOAT_EQ(header.waterV, 1234.0f);
  EXPECT_EQ(header.grade, "C40");
  // From the first filled row of the section parameter table.
  EXPECT_FLOAT_EQ(header.move, 0.25f);
  EXPECT_FLOAT_EQ(header.dT, 0.5f);
  EXPECT_EQ(header.datLen, 8);
  EXPECT_EQ(header.sectionCount, 3);
}

TEST_F(RawTestReader, NewAndOldPipeKeysTogetherGiveTheLarger) {
  const auto at = std::find(lines.begin(), lines.end(), Line("PILEV m/s:"));
  lines.insert(at, {"PIPEV m/s:    5120", "PIPEW  mm:    57.0"});
  Read();
  EXPECT_FLOAT_EQ(header.pipeV, 5120.0f);  // the new key is larger
  EXPECT_FLOAT_EQ(header.pipeW, 60.0f);    // the old key is larger
}

TEST_F(RawTestReader, SectionBlockAndParameterTables) {
  Read();
  const int sour[3] = {0, 0, 1};
  const int dest[3] = {1, 2, 2};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(sections[i].sourPipe, sour[i]) << i;
    EXPECT_EQ(sections[i].destPipe, dest[i]) << i;
  }
  const SectionRecord& s0 = sections[0];
  EXPECT_FLOAT_EQ(s0.crossD, 0.65f);
  EXPECT_FLOAT_EQ(s0.gain, 40.0f);
  EXPECT_FLOAT_EQ(s0.t0, 1.5f);
  EXPECT_FLOAT_EQ(s0.dT, 0.5f);
  EXPECT_FLOAT_EQ(s0.delay, 2.0f);
  EXPECT_EQ(s0.datLen, 8);
  EXPECT_FLOAT_EQ(s0.filtL, 0.5f);
  EXPECT_FLOAT_EQ(s0.filtH, 100.0f);
  EXPECT_FLOAT_EQ(s0.senDH, 0.3f);
  EXPECT_FLOAT_EQ(sections[1].crossD, 0.85f);
  EXPECT_FLOAT_EQ(sections[1].senDH, -0.2f);
  EXPECT_FLOAT_EQ(sections[2].dT, 2.0f);
  EXPECT_FLOAT_EQ(sections[2].delay, 4.0f);

  EXPECT_FLOAT_EQ(s0.defect[0], 1.5f);
  EXPECT_FLOAT_EQ(s0.defect[1], 3.25f);
  EXPECT_FLOAT_EQ(sections[1].defect[0], 7.75f);
  EXPECT_FLOAT_EQ(sections[1].defect[1], 0.0f);  // beyond Num
  // Placeholder rows touch nothing.
  for (int i = 3; i < 10; ++i) {
    EXPECT_EQ(sections[i].crossD, 0.0f) << i;
    EXPECT_EQ(sections[i].datLen, 0) << i;
  }
}

TEST_F(RawTestReader, RayTableAndWaveforms) {
  Read();
  ASSERT_EQ(sections[0].PointCount(), 2);
  ASSERT_EQ(sections[1].PointCount(), 1);
  EXPECT_TRUE(sections[0].valid);
  EXPECT_TRUE(sections[1].valid);
  EXPECT_FALSE(sections[2].valid);  // parameters but no rays

  const CSamNode& a = sections[0].points[0];
  EXPECT_FLOAT_EQ(a.sourL, 3.2f);
  EXPECT_FLOAT_EQ(a.destL, 3.7f);
  EXPECT_FLOAT_EQ(a.gain, 40.0f);
  EXPECT_FLOAT_EQ(a.ampDbRead, 88.5f);
  EXPECT_EQ(a.arrivalIndex, 6);  // (5.3 - 2) / 0.5 = 6.6
  EXPECT_EQ(a.ampIndex, 7);      // (5.9 - 2) / 0.5 = 7.8
  EXPECT_FLOAT_EQ(a.span, 0.65f);  // no Span column: the section's crossD
  EXPECT_EQ(a.rawSamples, Offset(kWaveSeek17));

  const CSamNode& b = sections[0].points[1];
  EXPECT_FLOAT_EQ(b.sourL, 3.0f);
  EXPECT_FLOAT_EQ(b.destL, 3.7f);
  EXPECT_FLOAT_EQ(b.gain, 40.0f);
  EXPECT_FLOAT_EQ(b.ampDbRead, 88.5f);
  EXPECT_EQ(b.arrivalIndex, 4);  // 4.4
  EXPECT_EQ(b.ampIndex, 9);      // 9.2
  EXPECT_EQ(b.rawSamples, Offset(kWaveSeek1));

  // The section's own dT and delay convert the picks.
  const CSamNode& c = sections[1].points[0];
  EXPECT_FLOAT_EQ(c.gain, 20.0f);
  EXPECT_EQ(c.arrivalIndex, 61);
  EXPECT_EQ(c.ampIndex, 70);
  EXPECT_FLOAT_EQ(c.span, 0.85f);
  // 32767 + 2048 and -32768 + 2048 wrap around in 16 bits.
  EXPECT_EQ(c.rawSamples,
            (std::vector<uint16_t>{2047, 2046, 2045, 2044, 34815, 34816, 2048, 2048}));
}

TEST_F(RawTestReader, DatLen5121IsRead512) {
  SetCell(Row("SI    CrossD", 1), 52, "    5121");
  data.resize(32 + 2 * 512, '\0');
  Read();
  EXPECT_EQ(header.datLen, 512);
  EXPECT_EQ(sections[0].datLen, 512);
  EXPECT_EQ(sections[1].datLen, 8);
  ASSERT_EQ(sections[0].PointCount(), 2);
  EXPECT_EQ(sections[0].points[0].rawSamples.size(), 512u);
}

TEST_F(RawTestReader, DefectCountAboveTenReadsTenValues) {
  SetCell(Row("SI       Num", 0), 4, "      12");
  SetCell(Row("SI       Num", 0), 4 + 8 * 10, "    4.50");  // Defect9
  Read();
  EXPECT_FLOAT_EQ(sections[0].defect[0], 1.5f);
  EXPECT_FLOAT_EQ(sections[0].defect[9], 4.5f);
}

// The older layout: the SI cell is two characters wide, every row two shorter.
TEST_F(RawTestReader, NarrowParameterTables) {
  for (const char* head : {"SI       Num", "SI    CrossD"}) {
    for (int r = 0; r < 10; ++r) {
      std::string& row = Row(head, r);
      row.erase(row == kEmptyRow ? row.size() - 2 : 2, 2);
    }
  }
  Line("SI       Num") =
      "SI     Num Defect0 Defect1 Defect2 Defect3 Defect4 Defect5 Defect6 Defect7 Defect8 "
      "Defect9    Temp    Temp    Temp    Temp";
  Line("SI    CrossD") =
      "SI  CrossD    Move    Gain  T0(us)  dT(us)   Delay  DatLen   FiltL   FiltH  Sen_dH    "
      "TEMP    TEMP    TEMP    TEMP    TEMP";
  Read();
  EXPECT_FLOAT_EQ(header.move, 0.25f);
  EXPECT_FLOAT_EQ(sections[0].crossD, 0.65f);
  EXPECT_FLOAT_EQ(sections[0].delay, 2.0f);
  EXPECT_FLOAT_EQ(sections[2].delay, 4.0f);
  EXPECT_EQ(sections[1].datLen, 8);
  EXPECT_FLOAT_EQ(sections[0].defect[1], 3.25f);
  EXPECT_FLOAT_EQ(sections[1].defect[0], 7.75f);
  for (int i = 3; i < 10; ++i) EXPECT_EQ(sections[i].crossD, 0.0f) << i;
}

TEST_F(RawTestReader, MissingFilesAndEmptyText) {
  WriteFiles();
  std::filesystem::remove(dir.File("hole.CHD"));
  EXPECT_EQ(ErrorOf([&] { ReadTestFilePair(path, header, sections); }), "打开文件失败！");
  EXPECT_EQ(ErrorOf([&] { ReadTestFilePair(dir.File("none.CHT"), header, sections); }),
            "打开文件失败！");
  WriteBytes(path, "");
  WriteBytes(dir.File("hole.CHD"), data);
  EXPECT_EQ(ErrorOf([&] { ReadTestFilePair(path, header, sections); }), "文件为空!");
}

// Every damaged file is refused with its message, and the caller's test stays.
TEST_F(RawTestReader, DamagedFilesAreRefusedWithoutTouchingTheTest) {
  using Damage = std::function<void(RawTestReader&)>;
  const std::string kData = "读取CHD文件异常!";
  const std::string kRaySi = "读取文件中PQKVT_CrsHlDat_RayPara:段的SI异常!";
  const std::string kSectNum = "文件中PQKVT_CrsHlDat_Section:数据中，剖面数目（secNum）错误!";
  auto datLen = [](const char* cell) {
    return [cell](RawTestReader& t) { SetCell(t.Row("SI    CrossD", 1), 52, cell); };
  };
  auto seek = [](const char* cell) {
    return [cell](RawTestReader& t) { SetCell(t.Row("SI   SourL", 1), 70, cell); };
  };
  const std::vector<std::tuple<const char*, Damage, std::string>> cases = {
      {"pipes 6", [](RawTestReader& t) { t.Line("PIPENUM") = "PIPENUM  :       6"; },
       "管数PIPENUM:过大或过小!"},
      {"pipes -1", [](RawTestReader& t) { t.Line("PIPENUM") = "PIPENUM  :      -1"; },
       "管数PIPENUM:过大或过小!"},
      {"sections 0", [](RawTestReader& t) { t.Line("SectNum") = "SectNum  :       0"; }, kSectNum},
      {"sections 11", [](RawTestReader& t) { t.Line("SectNum") = "SectNum  :      11"; }, kSectNum},
      {"parameter SI 12", [](RawTestReader& t) { SetCell(t.Row("SI    CrossD", 2), 0, "12"); },
       "读取PQKVT_CrsHlDat_SectionPara:段中的SI异常！"},
      {"defect SI 12", [](RawTestReader& t) { SetCell(t.Row("SI       Num", 1), 0, "12"); },
       "读取PQKVT_CrsHlDat_DefectPara:段中的SI异常！"},
      {"defect SI -1", [](RawTestReader& t) { SetCell(t.Row("SI       Num", 1), 0, "-1"); },
       "读取PQKVT_CrsHlDat_DefectPara:段中的SI异常！"},
      {"ray SI 12", [](RawTestReader& t) { SetCell(t.Row("SI   SourL", 2), 0, "12"); }, kRaySi},
      {"data file too short", [](RawTestReader& t) { t.data.resize(40); }, kData},
      {"seek 0", seek("           0"), kData},
      {"seek -5", seek("          -5"), kData},
      {"datLen 0", datLen("       0"), kData},
      {"datLen -4", datLen("      -4"), kData},
      {"datLen 1048577", datLen(" 1048577"), kData},
      // The file ends inside the last Seek cell: "33" would read as "3".
      {"ray row cut", [](RawTestReader& t) { t.cutBytes = 2 + 130 - 81; }, kRaySi},
  };
  for (const auto& [name, damage, message] : cases) {
    SCOPED_TRACE(name);
    lines = HandWrittenLines();
    data = Words(kWaveSeek1) + Words(kWaveSeek17) + Words(kWaveSeek33);
    cutBytes = 0;
    damage(*this);
    WriteFiles();
    header = TestHeader{};
    header.site = "kept";
    header.pipeNum = 2;
    header.sectionCount = 2;
    sections = Sections{};
    sections[4].valid = true;
    sections[4].crossD = 1.25f;
    sections[4].points.resize(1);

    EXPECT_EQ(ErrorOf([&] { ReadTestFilePair(path, header, sections); }), message);
    EXPECT_EQ(header.site, "kept");
    EXPECT_EQ(header.pipeNum, 2);
    EXPECT_EQ(header.sectionCount, 2);
    EXPECT_EQ(header.datLen, 1024);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(sections[i].valid, i == 4) << i;
    EXPECT_EQ(sections[4].PointCount(), 1);
    EXPECT_EQ(sections[4].crossD, 1.25f);
    EXPECT_EQ(sections[0].crossD, 0.0f);
  }
}

}  // namespace
}  // namespace tarnix

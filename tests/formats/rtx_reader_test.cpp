// Reading the older instrument's tests, typed from the format description.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "formats/rtx_reader.h"
#include "formats/test_files.h"

namespace tarnix {
namespace {

using testing::ErrorOf;
using testing::TempDir;
using testing::WriteBytes;

const char kBadRda[] = "读取RDA文件异常!";

// tests/data/old_probe.RTX: three depths (0.4, 0.6, 0.8 m), DATLEN 1024, both
// channels at each FIRSTDAT (1, 4097, 8193). The middle row leaves both gains and
// channel 2's amplitude empty. Every channel's first sample is -2048 + row
// (channel 1) or 2047 - row (channel 2); its last 1000·(row + 1) + channel index.
struct RtxFiles {
  void Read() {
    WriteBytes(path, text);
    WriteBytes(dir.File("old.RDA"), data);
    ReadRtxTest(path, header, sections);
  }
  // The r-th table row (r = -1: the column header).
  size_t RowStart(int r) const { return text.find("NO      SOURL") + 538 * (r + 1); }
  void SetCell(int r, size_t column, const std::string& cell) { text.replace(RowStart(r) + column, cell.size(), cell); }

  TempDir dir;
  std::string path = dir.File("old.RTX");
  std::string text = testing::ReadBytes(TARNIX_TEST_DATA "/old_probe.RTX");
  std::string data = testing::ReadBytes(TARNIX_TEST_DATA "/old_probe.RDA");
  TestHeader header;
  Sections sections;
};

class RtxReader : public ::testing::Test, public RtxFiles {};

TEST_F(RtxReader, KeysParametersAndBothChannels) {
  header.waterV = 1234.0f;
  Read();
  EXPECT_EQ(header.site, "olddam");
  EXPECT_EQ(header.m_holeID, "rk07");
  EXPECT_EQ(header.date, "2003-05-17");
  EXPECT_EQ(header.unit, "surveyteam");
  EXPECT_EQ(header.person, "li");
  EXPECT_EQ(header.inst, "rsm-old");
  EXPECT_FLOAT_EQ(header.pileLen, 1.0f);
  EXPECT_FLOAT_EQ(header.move, 0.2f);  // written as -0.20
  EXPECT_EQ(header.pipeNum, 3);
  EXPECT_FLOAT_EQ(header.pipeDepth[0], 1.0f);
  EXPECT_FLOAT_EQ(header.pipeDepth[1], 0.9f);
  EXPECT_FLOAT_EQ(header.pipeDepth[2], 0.95f);
  EXPECT_FLOAT_EQ(header.dT, 1.0f);
  EXPECT_EQ(header.datLen, 1024);
  EXPECT_FLOAT_EQ(header.waterV, 1234.0f);

  const SectionRecord& a = sections[0];
  const SectionRecord& b = sections[1];
  ASSERT_TRUE(a.valid && b.valid);
  EXPECT_FALSE(sections[2].valid);
  EXPECT_EQ(a.sourPipe, 0);
  EXPECT_EQ(a.destPipe, 1);
  EXPECT_EQ(b.sourPipe, 0);
  EXPECT_EQ(b.destPipe, 2);
  EXPECT_FLOAT_EQ(a.crossD, 0.5f);
  EXPECT_FLOAT_EQ(b.crossD, 0.8f);
  EXPECT_FLOAT_EQ(a.gain, 20.0f);
  EXPECT_FLOAT_EQ(b.gain, 40.0f);
  EXPECT_FLOAT_EQ(a.t0, 3.5f);
  EXPECT_FLOAT_EQ(b.t0, 4.5f);
  EXPECT_FLOAT_EQ(b.delay, 10.0f);
  EXPECT_FLOAT_EQ(a.filtL, 0.5f);  // Hz in the file
  EXPECT_FLOAT_EQ(a.filtH, 50.0f);
  EXPECT_FLOAT_EQ(b.filtL, 1.0f);
  EXPECT_FLOAT_EQ(b.filtH, 40.0f);
  EXPECT_EQ(b.datLen, 1024);

  ASSERT_EQ(a.PointCount(), 3);
  ASSERT_EQ(b.PointCount(), 3);
  for (int r = 0; r < 3; ++r) {
    for (int ch = 0; ch < 2; ++ch) {
      const CSamNode& p = sections[ch].points[r];
      ASSERT_EQ(p.rawSamples.size(), 1024u);
      EXPECT_EQ(p.rawSamples.front(), ch == 0 ? r : 4095 - r) << r << ch;
      EXPECT_EQ(p.rawSamples.back(), 1000 * (r + 1) + ch + 2048) << r << ch;
      EXPECT_FLOAT_EQ(p.span, ch == 0 ? 0.5f : 0.8f);
    }
  }
  EXPECT_FLOAT_EQ(a.points[2].sourL, 0.8f);
  EXPECT_FLOAT_EQ(b.points[2].destL, 0.8f);
  EXPECT_FLOAT_EQ(a.points[0].gain, 20.0f);
  EXPECT_FLOAT_EQ(b.points[1].gain, 40.0f);    // empty cell: the last row's
  EXPECT_FLOAT_EQ(b.points[1].ampDbRead, 33.0f);
  EXPECT_EQ(a.points[1].arrivalIndex, a.TimeToIndex(120.5f));
  EXPECT_EQ(b.points[1].ampIndex, b.TimeToIndex(190.5f));
}

TEST_F(RtxReader, DatLen5121IsRead512) {
  SetCell(0, 128, "5121");
  Read();
  EXPECT_EQ(header.datLen, 512);
  EXPECT_EQ(sections[0].datLen, 512);
  EXPECT_EQ(sections[0].points[0].rawSamples.size(), 512u);
}

TEST_F(RtxReader, DamagedFilesAreRefusedAndLeaveTheOutputs) {
  struct Case {
    const char* what;
    std::function<void(RtxFiles&)> damage;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"FIRSTDAT past the end", [](RtxFiles& t) { t.SetCell(2, 525, "8194       "); }, kBadRda},
      {"FIRSTDAT 0", [](RtxFiles& t) { t.SetCell(1, 525, "0          "); }, kBadRda},
      {"data file cut short", [](RtxFiles& t) { t.data.resize(t.data.size() - 1); }, kBadRda},
      {"DATLEN 0", [](RtxFiles& t) { t.SetCell(0, 128, "0   "); }, kBadRda},
      {"DATLEN negative", [](RtxFiles& t) { t.SetCell(0, 128, "-512"); }, kBadRda},
      {"DATLEN absurd", [](RtxFiles& t) { t.SetCell(0, 128, "9999999"); }, kBadRda},
      {"last row cut short", [](RtxFiles& t) { t.text.resize(t.text.size() - 8); }, kBadRda},
      {"empty text", [](RtxFiles& t) { t.text.clear(); }, "文件为空!"},
      {"no data file", [](RtxFiles& t) { t.path = t.dir.File("other.RTX"); }, "打开文件失败！"},
  };
  for (const Case& c : cases) {
    RtxFiles t;
    t.sections[4].valid = true;
    t.header.site = "kept";
    c.damage(t);
    EXPECT_EQ(ErrorOf([&] { t.Read(); }), c.message) << c.what;
    EXPECT_EQ(t.header.site, "kept") << c.what;
    EXPECT_TRUE(t.sections[4].valid && !t.sections[0].valid) << c.what;
  }
}

}  // namespace
}  // namespace tarnix

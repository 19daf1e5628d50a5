// tarnix-cli merge: two synthetic tests and an older instrument's test into one
// raw test, and the refusals that stop it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "formats/raw_test_reader.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

using test::Cli;
using test::CliRun;

class CliMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    a_ = Synth("a.CHT", "--seed 1");
    b_ = Synth("b.CHT", "--seed 2");
    rtx_ = dir_.File("old.RTX");
    std::filesystem::copy_file(TARNIX_TEST_DATA "/old_probe.RTX", rtx_);
    std::filesystem::copy_file(TARNIX_TEST_DATA "/old_probe.RDA", dir_.File("old.RDA"));
  }
  std::string Synth(const std::string& name, const std::string& options) {
    const std::string path = dir_.File(name);
    EXPECT_EQ(Cli("synth --out " + path + " --points 5 " + options).code, 0);
    return path;
  }
  test::TempDir dir_;
  std::string a_, b_, rtx_;
};

TEST_F(CliMerge, TwoTestsAndAnOlderOneBecomeOneRawTest) {
  const std::string out = dir_.File("merged.CHT");
  const CliRun r = Cli("merge --out " + out + " --pipes 4 --depth 1.2 " + a_ + ":0=1-2 " + a_ + ":1=1-3 " + b_ +
                       ":0=1-4 " + b_ + ":1=2-4 " + rtx_ + ":0=2-3 " + rtx_ + ":1=3-4");
  ASSERT_EQ(r.code, 0) << r.out;

  TestHeader h;
  Sections merged, a, b;
  ReadTestFilePair(a_, h, a);
  ReadTestFilePair(b_, h, b);
  ReadTestFilePair(out, h, merged);
  EXPECT_EQ(h.pipeNum, 4);
  EXPECT_EQ(h.sectionCount, 6);
  EXPECT_FLOAT_EQ(h.pileLen, 1.2f);
  const int sour[6] = {0, 0, 1, 0, 1, 2};
  const int dest[6] = {1, 2, 2, 3, 3, 3};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(merged[i].valid) << i;
    EXPECT_EQ(merged[i].sourPipe, sour[i]) << i;
    EXPECT_EQ(merged[i].destPipe, dest[i]) << i;
  }
  // Waveforms: (1,2) and (1,3) from a, (1,4) and (2,4) from b, (2,3) and (3,4)
  // the older test's channels (first samples 0 and 4095 at its first depth).
  EXPECT_EQ(merged[0].points[2].rawSamples, a[0].points[2].rawSamples);
  EXPECT_EQ(merged[1].points[4].rawSamples, a[1].points[4].rawSamples);
  EXPECT_EQ(merged[3].points[0].rawSamples, b[0].points[0].rawSamples);
  EXPECT_EQ(merged[4].points[1].rawSamples, b[1].points[1].rawSamples);
  ASSERT_EQ(merged[2].PointCount(), 3);
  EXPECT_EQ(merged[2].points[0].rawSamples.front(), 0);
  EXPECT_EQ(merged[5].points[0].rawSamples.front(), 4095);
  EXPECT_FLOAT_EQ(merged[5].points[2].sourL, 0.8f);
  EXPECT_FALSE(merged[6].valid);

  // The merged test opens as any raw test.
  const CliRun info = Cli("info " + out);
  EXPECT_EQ(info.code, 0) << info.out;
}

TEST_F(CliMerge, RefusalsStopWithTheirMessage) {
  const std::string out = dir_.File("merged.CHT");
  const std::string other = Synth("c.CHT", "--dt 0.5");
  CliRun r = Cli("merge --out " + out + " " + a_ + ":0=1-2 " + other + ":0=1-3");
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("请选择采样频率一致的文件！"), std::string::npos) << r.out;
  // Three pipes by the file, four by the pair.
  r = Cli("merge --out " + out + " " + a_ + ":0=1-4");
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("管数错误！"), std::string::npos) << r.out;
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(Cli("merge --out " + out + " " + a_ + ":0=1-6").code, 2);
}

}  // namespace
}  // namespace tarnix

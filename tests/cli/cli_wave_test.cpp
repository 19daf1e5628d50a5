// tarnix-cli wave: one point of the sample as a single-wave file and as the
// point picture.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/sample_document.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

TEST(CliWaveTest, WritesThePointAtTheDepth) {
  test::TempDir dir;
  const std::string in = std::string(" ") + test::kSamplePath;
  const auto run = test::Cli("wave" + in + " --depth 5 --out " + dir.File("w"));
  ASSERT_EQ(run.code, 0) << run.out;
  EXPECT_TRUE(std::filesystem::exists(dir.File("w.CHT")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("w.CHD")));
  EXPECT_EQ(test::Cli("info " + dir.File("w.CHT")).code, 0);

  EXPECT_EQ(test::Cli("wave" + in + " --depth 5.1 --out " + dir.File("x.CHT")).code, 1);  // between points
  EXPECT_EQ(test::Cli("wave" + in + " --depth 5 --section 9 --out " + dir.File("x.CHT")).code, 1);
  EXPECT_EQ(test::Cli("wave" + in + " --out " + dir.File("x.CHT")).code, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.CHT")));
}

TEST(CliWaveTest, DrawsThePointPicture) {
  test::TempDir dir;
  const std::string in = std::string(" ") + test::kSamplePath;
  const auto run = test::Cli("wave" + in + " --depth 5 --bmp " + dir.File("p.bmp"));
  ASSERT_EQ(run.code, 0) << run.out;
  EXPECT_NE(run.out.find("导出测点波形BMP成功！"), std::string::npos) << run.out;
  EXPECT_EQ(std::filesystem::file_size(dir.File("p.bmp")), 52062u);  // 820 x 500, 1 bit

  // The filler points above the first measured one have no waveform.
  const auto empty = test::Cli("wave" + in + " --depth 0 --bmp " + dir.File("e.bmp"));
  EXPECT_EQ(empty.code, 1);
  EXPECT_NE(empty.out.find("该点数据为空"), std::string::npos) << empty.out;
  EXPECT_FALSE(std::filesystem::exists(dir.File("e.bmp")));
}

}  // namespace
}  // namespace tarnix

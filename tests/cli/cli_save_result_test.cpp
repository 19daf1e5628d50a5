// tarnix-cli save-result: the result file it writes, its range, and its refusal
// to rewrite a data file another test uses.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

using test::Cli;
using test::CliRun;

nlohmann::json Dump(const std::string& path) {
  const CliRun r = Cli("dump " + path);
  EXPECT_EQ(r.code, 0) << r.out;
  return r.code == 0 ? nlohmann::json::parse(r.out) : nlohmann::json();
}

std::string Bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class CliSaveResult : public ::testing::Test {
 protected:
  void SetUp() override {
    raw_ = dir_.File("hole.CHT");
    ASSERT_EQ(Cli("synth --out " + raw_ + " --points 12 --seed 5").code, 0);
  }
  test::TempDir dir_;
  std::string raw_;
};

TEST_F(CliSaveResult, WritesTheEvaluatedRangeAsAResultFile) {
  const std::string out = dir_.File("res.CHA");
  const CliRun r = Cli("save-result " + raw_ + " --out " + out);
  ASSERT_EQ(r.code, 0) << r.out;
  EXPECT_TRUE(std::filesystem::exists(dir_.File("res.CHD")));
  const auto raw = Dump(raw_);
  const auto res = Dump(out);
  EXPECT_EQ(res["layers"]["m_style1"], 1);
  EXPECT_EQ(res["header"]["curves"].size(), 5u);
  const auto& s = res["sections"][1];
  const auto& t = raw["sections"][1];
  // The raw test's fillers above the shallowest record lie outside its range.
  const int first = t["firstIndex"], last = t["lastIndex"];
  ASSERT_EQ(s["points"].size(), static_cast<size_t>(last - first + 1));
  EXPECT_EQ(s["criticalV"], s["vC"]);
  EXPECT_EQ(s["velocity"][0], t["velocity"][first]);

  const std::string part = dir_.File("part.CHA");
  ASSERT_EQ(Cli("save-result " + raw_ + " --out " + part + " --range 2:11").code, 0);
  const auto partDump = Dump(part);
  const auto& p = partDump["sections"][0];
  ASSERT_EQ(p["points"].size(), 10u);
  EXPECT_EQ(p["lastIndex"], 9);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(p["velocity"][i], raw["sections"][0]["velocity"][i + 2]) << i;
  EXPECT_FLOAT_EQ(p["points"][9]["sourL"].get<float>(), 0.0f);

  const CliRun tooFew = Cli("save-result " + raw_ + " --out " + dir_.File("few.CHA") + " --range 2:10");
  EXPECT_EQ(tooFew.code, 1);
  EXPECT_NE(tooFew.out.find("请确定区间的间隔点不少于１０个"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("few.CHA")));
}

TEST_F(CliSaveResult, SharedDataFileNeedsConfirmation) {
  const std::string cht = Bytes(raw_), chd = Bytes(dir_.File("hole.CHD"));
  const std::string out = dir_.File("hole.CHA");

  const CliRun refused = Cli("save-result " + raw_ + " --out " + out);
  EXPECT_NE(refused.code, 0);
  EXPECT_NE(refused.out.find("hole.CHT"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(Bytes(raw_), cht);
  EXPECT_EQ(Bytes(dir_.File("hole.CHD")), chd);

  ASSERT_EQ(Cli("save-result " + raw_ + " --out " + out + " --yes").code, 0);
  EXPECT_EQ(Dump(out)["sections"][0]["points"].size(), 12u);
  EXPECT_EQ(Bytes(raw_), cht);
}

TEST_F(CliSaveResult, BadUsageExitsWithTwo) {
  const std::string out = " --out " + dir_.File("o.CHA");
  for (const std::string& args : {raw_, out, raw_ + " --out " + dir_.File("o.CHT"), raw_ + out + " --range 5",
                                 raw_ + out + " --range -1:20", raw_ + out + " --bogus", raw_ + " --out"}) {
    EXPECT_EQ(Cli("save-result " + args).code, 2) << args;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("o.CHA")));
}

}  // namespace
}  // namespace tarnix

// tarnix-cli layers on a result file written with layers: the same numbers
// as the document, the JSON exactly dump's "layers", and --recalc by method.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/cli_runner.h"
#include "support/sample_document.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

TEST(CliLayersTest, PrintsTheStoredLayersAndRecalculates) {
  test::TempDir dir;
  const std::string path = dir.File("hole.CHA");
  test::SampleDocument sample;
  CTarnixDoc& doc = sample.doc;
  ASSERT_TRUE(doc.OnOpenDocument(test::kSamplePath));
  const float m = doc.MinValidDepth();
  ASSERT_TRUE(doc.AddBoundary(LayerColumn::Result, m + 2.0f));
  doc.EnterLayerParameters(1, {2000, 0.25f, 2650, 5000}, {1, 1, 1});
  ASSERT_TRUE(doc.AddBoundary(LayerColumn::Log, m + 1.0f));
  doc.SetLayerLithology(0, "砂岩");
  ASSERT_TRUE(doc.OnSaveDocument(path));

  const auto layers = test::Cli("layers " + path + " --json");
  ASSERT_EQ(layers.code, 0) << layers.out;
  const auto dump = test::Cli("dump " + path + " --json");
  EXPECT_EQ(nlohmann::json::parse(layers.out), nlohmann::json::parse(dump.out)["layers"]);
  EXPECT_EQ(nlohmann::json::parse(layers.out)["vp"][0], doc.Layers().vp[0]);

  const auto table = test::Cli("layers " + path);
  EXPECT_NE(table.out.find("砂岩\t地质图例/砂岩.bmp"), std::string::npos) << table.out;
  EXPECT_NE(table.out.find(std::to_string(doc.Layers().vp[0])), std::string::npos) << table.out;

  // Method two takes the stored μ (here the one method one computed) as entered.
  const auto two = nlohmann::json::parse(test::Cli("layers " + path + " --recalc --method 2 --json").out);
  const double v = two["vp"][0].get<double>();
  const double mu = two["u"][0].get<double>();
  EXPECT_EQ(two["m_way"], 0);
  EXPECT_NEAR(two["movefilm"][0].get<double>(), 2650 * v * v * (1 + mu) * (1 - 2 * mu) / (1 - mu) / 1e9, 0.01);
  EXPECT_EQ(test::Cli("layers " + path + " --method 3").code, 2);
}

}  // namespace
}  // namespace tarnix

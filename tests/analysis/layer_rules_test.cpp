// The rules of both layer columns: the 0.5 m placement with each column's
// messages, deleting, the dialogs' closing check, lists kept in step, and the
// recomputation of a layer against the worked example.
#include "analysis/layer_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "analysis/analysis_fixture.h"
#include "analysis/lithology.h"

namespace tarnix {
namespace {

using ::testing::ElementsAre;

const std::string kDistance = "两层之间的距离不能小于0.5m!";

std::string Refusal(const std::vector<float>& b, float m, float r, LayerColumn c) {
  const BoundaryPlace p = PlaceBoundary(b, m, r, c);
  return p.refusal != nullptr ? p.refusal : "at " + std::to_string(p.index);
}

TEST(LayerRulesTest, BoundariesKeepHalfAMetreWithEachColumnsMessage) {
  const auto R = LayerColumn::Result;
  const auto L = LayerColumn::Log;
  EXPECT_EQ(Refusal({}, 2.3f, 2.7f, R), kDistance);
  EXPECT_EQ(Refusal({}, 2.3f, 2.9f, R), "at 0");
  EXPECT_EQ(Refusal({5, 8}, 2.3f, 8.3f, R), "两层之间的间距不能小于0.5m！");
  EXPECT_EQ(Refusal({5, 8}, 2.3f, 5.4f, R), kDistance);
  EXPECT_EQ(Refusal({5, 8}, 2.3f, 6.5f, R), "at 1");
  EXPECT_EQ(Refusal({5, 8}, 2.3f, 2.6f, R), "第一层到最小有效深度的距离不能小于0.5m!");
  EXPECT_EQ(Refusal({5, 8}, 2.3f, 4.7f, R), kDistance);
  EXPECT_EQ(Refusal({5, 8}, 2.3f, 8.0f, R), kDistance);
  EXPECT_EQ(Refusal({5, 8}, 2.3f, 9.0f, R), "at 2");
  // The drilling log has one message for every refusal.
  EXPECT_EQ(Refusal({}, 1.2f, 1.6f, L), kDistance);
  EXPECT_EQ(Refusal({}, 1.2f, 1.8f, L), "at 0");
  for (float r : {3.3f, 5.8f, 6.0f, 6.3f, 1.0f}) EXPECT_EQ(Refusal({3, 6}, 0.8f, r, L), kDistance) << r;
  EXPECT_EQ(Refusal({3, 6}, 0.8f, 4.5f, L), "at 1");
}

TEST(LayerRulesTest, DeletingAndTheClosingCheck) {
  EXPECT_EQ(HitLayer({5, 8, 12}, 4.0f), 0);
  EXPECT_EQ(HitLayer({5, 8, 12}, 9.0f), 2);
  EXPECT_EQ(HitLayer({5, 8, 12}, 13.0f), -1);
  EXPECT_EQ(DeleteLayerQuestion(LayerColumn::Result, 0), "确认要删除声波测试结果的第1层吗？");
  EXPECT_EQ(DeleteLayerQuestion(LayerColumn::Log, 2), "确认要删除钻探资料的第3层吗？");

  EXPECT_THAT(CheckBoundaries({5.0f, 4.0f}), ElementsAre("第2层的深度的结束位置不能比第1层的深度的结束值小！"));
  EXPECT_THAT(CheckBoundaries({5.0f, 5.3f}), ElementsAre("第2层和第1层之间的距离不能小于0.5！"));
  EXPECT_TRUE(CheckBoundaries({5.0f, 5.5f, 9.0f}).empty());
}

TEST(LayerRulesTest, InsertingAndRemovingKeepsEveryListInStep) {
  LayerSet l;
  InsertResultLayer(l, 0, 8.0f);
  l.capacity[0] = 2600.0f;
  l.movefilm[0] = 30.0f;
  l.index[0] = 0.7f;
  InsertResultLayer(l, 0, 5.0f);
  for (size_t size : {l.vp.size(), l.capacity.size(), l.u.size(), l.movefilm.size(), l.index.size(),
                      l.explain.size(), l.twave.size(), l.density.size(), l.vwave.size()}) {
    EXPECT_EQ(size, 2u);
  }
  EXPECT_EQ(l.rightlayer, 2);
  EXPECT_EQ(l.movefilm[1], 30.0f);  // the old layer's values moved with it
  RemoveResultLayer(l, 0);
  EXPECT_THAT(l.height, ElementsAre(8.0f));
  EXPECT_THAT(l.capacity, ElementsAre(2600.0f));
  RemoveResultLayer(l, 5);  // out of range: nothing
  EXPECT_EQ(l.rightlayer, 1);

  InsertLogLayer(l, 0, 3.0f);
  InsertLogLayer(l, 1, 6.0f);
  l.picName[1] = "砂岩";
  InsertLogLayer(l, 1, 4.5f);
  RemoveLogLayer(l, 0);
  EXPECT_THAT(l.depth, ElementsAre(4.5f, 6.0f));
  EXPECT_THAT(l.picName, ElementsAre("", "砂岩"));
  EXPECT_EQ(l.leftlayer, 2);
}

class RecalcTest : public ::testing::Test {
 protected:
  // Both receivers at 3, 2, 1, 0 m; 500 mm over 125 µs: 4000 m/s everywhere.
  RecalcTest() {
    for (int i = 0; i < 4; ++i) {
      test::AddPoint(sections_[0], 3.0f - i, true, 100, 1, 0, 0, 0.5f);
      test::AddPoint(sections_[1], 3.0f - i, true, 225, 1, 0, 0, 1.0f);
    }
    InsertResultLayer(layers_, 0, 3.0f);
    EnterParameters(layers_, 0, 1, {2000, 0.25f, 2650, 5000});
  }
  void Recalc() { RecalcLayers(layers_, algorithm_, ReceiversAt(sections_, 0)); }

  Sections sections_;
  LayerSet layers_;
  CAlgorithm_SL_264_2001 algorithm_;
};

TEST_F(RecalcTest, MethodOneWorkedExample) {
  layers_.m_way = 1;
  Recalc();
  EXPECT_EQ(layers_.vp[0], 4000);
  EXPECT_NEAR(layers_.u[0], 0.3333, 1e-4);
  EXPECT_NEAR(layers_.movefilm[0], 28.27, 0.005);
  EXPECT_NEAR(layers_.index[0], 0.64, 1e-6);
  EXPECT_EQ(layers_.capacity[0], 2650.0f);
}

TEST_F(RecalcTest, MethodTwoAndBeforeAnyEnter) {
  layers_.m_way = 0;
  EnterParameters(layers_, 0, 0, {0, 0.25f, 2650, 5000});
  Recalc();
  EXPECT_NEAR(layers_.movefilm[0], 35.33, 0.005);
  EXPECT_EQ(layers_.u[0], 0.25f);

  layers_.m_style1 = 0;
  layers_.u[0] = 0.1f;
  layers_.movefilm[0] = 7.0f;
  layers_.vwave[0] = 4000;
  Recalc();
  EXPECT_EQ(layers_.u[0], 0.1f);
  EXPECT_EQ(layers_.movefilm[0], 7.0f);
  EXPECT_NEAR(layers_.index[0], 1.0, 1e-6);
}

TEST(LithologyTest, NamesAndLegendFiles) {
  EXPECT_STREQ(kLithologyNames[10], "软粘土");
  EXPECT_STREQ(kLithologyNames[61], "软粘土");
  EXPECT_STREQ(kLithologyNames[85], "钢筋混凝土");
  EXPECT_EQ(LegendFileName("砂岩"), "砂岩.bmp");
  for (const char* bad : {"", "..", "../../etc/passwd", "a/b", "a\\b", "C:x"}) {
    EXPECT_EQ(LegendFileName(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace tarnix

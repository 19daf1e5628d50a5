// Layer edits on an opened test: each is undone by its command, a dialog
// session's Cancel puts back every list, and a result file written afterwards
// carries the edited lists in step.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "commands/edit_commands.h"
#include "support/document_access.h"
#include "support/sample_document.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

using test::kSamplePath;

class LayerCommandsTest : public ::testing::Test, protected test::SampleDocument {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnOpenDocument(kSamplePath));
    m_ = doc.MinValidDepth();
  }

  std::unique_ptr<Command> Add(LayerColumn c, float below) { return AddLayerBoundary(doc, c, m_ + below); }

  float m_ = 0.0f;
};

TEST_F(LayerCommandsTest, ReportEditsUndoAndAreWrittenInStep) {
  const LayerSet empty = doc.Layers();
  auto first = Add(LayerColumn::Result, 3.0f);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Add(LayerColumn::Result, 3.2f), nullptr);
  EXPECT_EQ(ui.MessageTexts().back(), "两层之间的间距不能小于0.5m！");
  ASSERT_NE(EnterParametersCommand(doc, 1, {2000, 0, 2650, 5000}, {1, 1, 1}), nullptr);
  ASSERT_NE(Add(LayerColumn::Result, 1.0f), nullptr);  // inserted in front
  ASSERT_NE(Add(LayerColumn::Log, 2.0f), nullptr);
  doc.SetLayerLithology(0, "砂岩");

  const LayerSet edited = doc.Layers();
  EXPECT_EQ(edited.rightlayer, 2);
  EXPECT_GT(edited.vp[1], 0);
  // The parameters moved down with their layer; the new front one has none.
  EXPECT_GT(edited.movefilm[1], 0.0f);
  EXPECT_EQ(edited.movefilm[0], 0.0f);
  EXPECT_EQ(edited.capacity[1], 2650.0f);

  ui.answers = {MessageAnswer::Cancel};
  EXPECT_EQ(DeleteLayer(doc, LayerColumn::Result, m_), nullptr);
  EXPECT_EQ(ui.messages.back().text, "确认要删除声波测试结果的第1层吗？");
  EXPECT_EQ(doc.Layers(), edited);

  first->Undo();
  EXPECT_EQ(doc.Layers(), empty);
  first->Redo();

  doc.SetLayers(edited);
  test::TempDir dir;
  const std::string path = dir.File("hole.CHA");
  ASSERT_TRUE(doc.OnSaveDocument(path));
  ASSERT_TRUE(doc.OnOpenDocument(path));
  const LayerSet& read = doc.Layers();
  EXPECT_EQ(read.height, edited.height);
  EXPECT_EQ(read.vp, edited.vp);
  EXPECT_EQ(read.twave, edited.twave);
  EXPECT_EQ(read.vwave, edited.vwave);
  for (const auto* list : {&read.capacity, &read.u, &read.movefilm, &read.index, &read.density}) {
    EXPECT_EQ(list->size(), 2u);
  }
  EXPECT_NEAR(read.movefilm[1], edited.movefilm[1], 0.01);
  EXPECT_THAT(read.picName, ::testing::ElementsAre("砂岩"));
}

TEST_F(LayerCommandsTest, DialogSessionCancelsOrUndoesWhole) {
  ASSERT_NE(Add(LayerColumn::Result, 3.0f), nullptr);
  const LayerSet before = doc.Layers();
  {
    LayerEdit session(doc, "修改分层");
    EXPECT_EQ(doc.AddLayerInDialog(LayerColumn::Result, 0, 0.0f), 1);
    doc.SetLayerBottom(LayerColumn::Result, 1, m_ + 6.0f);
    doc.RemoveLayer(LayerColumn::Result, 0);
    session.Cancel();
  }
  EXPECT_EQ(doc.Layers(), before);

  LayerEdit session(doc, "修改分层");
  EXPECT_EQ(doc.AddLayerInDialog(LayerColumn::Result, -1, 0.0f), 1);
  EXPECT_EQ(doc.Layers().height[1], *doc.DeepestPointDepth());
  const LayerSet after = doc.Layers();
  auto command = session.Finish();
  ASSERT_NE(command, nullptr);
  command->Undo();
  EXPECT_EQ(doc.Layers(), before);
  command->Redo();
  EXPECT_EQ(doc.Layers(), after);
}

TEST_F(LayerCommandsTest, SelectionAndMissingPointsAreBounded) {
  ASSERT_NE(Add(LayerColumn::Result, 1.0f), nullptr);
  ASSERT_NE(Add(LayerColumn::Result, 3.0f), nullptr);
  doc.SelectLayer(1);
  LayerEdit session(doc, "修改分层");
  doc.RemoveLayer(LayerColumn::Result, 1);
  EXPECT_EQ(doc.SelectedLayer(), 0);
  doc.SelectLayer(1);
  session.Cancel();
  doc.SelectLayer(7);  // beyond the layers: the first one is meant
  EXPECT_EQ(doc.SelectedLayer(), 0);
  doc.SelectLayer(1);
  ASSERT_TRUE(doc.OnOpenDocument(kSamplePath));
  EXPECT_EQ(doc.SelectedLayer(), 0);

  // A receiver without points: nothing to end a new layer at.
  DocumentTestAccess::Section(doc, doc.CurrentSection()).points.clear();
  EXPECT_EQ(doc.DeepestPointDepth(), std::nullopt);
  EXPECT_EQ(doc.AddLayerInDialog(LayerColumn::Result, -1, 0.0f), -1);
  EXPECT_EQ(doc.Layers().rightlayer, 0);
}

}  // namespace
}  // namespace tarnix

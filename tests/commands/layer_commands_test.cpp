// Layer edits on an opened test: each is undone by its command, a dialog
// session's Cancel puts back every list, and a result file written afterwards
// carries the edited lists in step.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "commands/edit_commands.h"
#include "document/recent_file_list.h"
#include "support/document_access.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"

namespace tarnix {
namespace {

const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

class LayerCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc_.OnOpenDocument(kSample));
    m_ = doc_.MinValidDepth();
  }

  std::unique_ptr<Command> Add(LayerColumn c, float below) { return AddLayerBoundary(doc_, c, m_ + below); }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_{ui_, recent_};
  float m_ = 0.0f;
};

TEST_F(LayerCommandsTest, ReportEditsUndoAndAreWrittenInStep) {
  const LayerSet empty = doc_.Layers();
  auto first = Add(LayerColumn::Result, 3.0f);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Add(LayerColumn::Result, 3.2f), nullptr);
  EXPECT_EQ(ui_.MessageTexts().back(), "两层之间的间距不能小于0.5m！");
  ASSERT_NE(EnterParametersCommand(doc_, 1, {2000, 0, 2650, 5000}, {1, 1, 1}), nullptr);
  ASSERT_NE(Add(LayerColumn::Result, 1.0f), nullptr);  // inserted in front
  ASSERT_NE(Add(LayerColumn::Log, 2.0f), nullptr);
  doc_.SetLayerLithology(0, "砂岩");

  const LayerSet edited = doc_.Layers();
  EXPECT_EQ(edited.rightlayer, 2);
  EXPECT_GT(edited.vp[1], 0);
  // The parameters moved down with their layer; the new front one has none.
  EXPECT_GT(edited.movefilm[1], 0.0f);
  EXPECT_EQ(edited.movefilm[0], 0.0f);
  EXPECT_EQ(edited.capacity[1], 2650.0f);

  ui_.answers = {MessageAnswer::Cancel};
  EXPECT_EQ(DeleteLayer(doc_, LayerColumn::Result, m_), nullptr);
  EXPECT_EQ(ui_.messages.back().text, "确认要删除声波测试结果的第1层吗？");
  EXPECT_EQ(doc_.Layers(), edited);

  first->Undo();
  EXPECT_EQ(doc_.Layers(), empty);
  first->Redo();

  doc_.SetLayers(edited);
  test::TempDir dir;
  const std::string path = dir.File("hole.CHA");
  ASSERT_TRUE(doc_.OnSaveDocument(path));
  ASSERT_TRUE(doc_.OnOpenDocument(path));
  const LayerSet& read = doc_.Layers();
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
  const LayerSet before = doc_.Layers();
  {
    LayerEdit session(doc_, "修改分层");
    EXPECT_EQ(doc_.AddLayerInDialog(LayerColumn::Result, 0, 0.0f), 1);
    doc_.SetLayerBottom(LayerColumn::Result, 1, m_ + 6.0f);
    doc_.RemoveLayer(LayerColumn::Result, 0);
    session.Cancel();
  }
  EXPECT_EQ(doc_.Layers(), before);

  LayerEdit session(doc_, "修改分层");
  EXPECT_EQ(doc_.AddLayerInDialog(LayerColumn::Result, -1, 0.0f), 1);
  EXPECT_EQ(doc_.Layers().height[1], *doc_.DeepestPointDepth());
  const LayerSet after = doc_.Layers();
  auto command = session.Finish();
  ASSERT_NE(command, nullptr);
  command->Undo();
  EXPECT_EQ(doc_.Layers(), before);
  command->Redo();
  EXPECT_EQ(doc_.Layers(), after);
}

TEST_F(LayerCommandsTest, SelectionAndMissingPointsAreBounded) {
  ASSERT_NE(Add(LayerColumn::Result, 1.0f), nullptr);
  ASSERT_NE(Add(LayerColumn::Result, 3.0f), nullptr);
  doc_.SelectLayer(1);
  LayerEdit session(doc_, "修改分层");
  doc_.RemoveLayer(LayerColumn::Result, 1);
  EXPECT_EQ(doc_.SelectedLayer(), 0);
  doc_.SelectLayer(1);
  session.Cancel();
  doc_.SelectLayer(7);  // beyond the layers: the first one is meant
  EXPECT_EQ(doc_.SelectedLayer(), 0);
  doc_.SelectLayer(1);
  ASSERT_TRUE(doc_.OnOpenDocument(kSample));
  EXPECT_EQ(doc_.SelectedLayer(), 0);

  // A receiver without points: nothing to end a new layer at.
  DocumentTestAccess::Section(doc_, doc_.CurrentSection()).points.clear();
  EXPECT_EQ(doc_.DeepestPointDepth(), std::nullopt);
  EXPECT_EQ(doc_.AddLayerInDialog(LayerColumn::Result, -1, 0.0f), -1);
  EXPECT_EQ(doc_.Layers().rightlayer, 0);
}

}  // namespace
}  // namespace tarnix

// The project form's edits of an opened test: typed header texts are one
// undoable edit that outlives leaving the report, the report's style is undone
// with the layers it recomputed, and the history lists keep each text once.
#include <gtest/gtest.h>

#include "commands/edit_commands.h"
#include "document/report_texts.h"
#include "support/sample_document.h"

namespace tarnix {
namespace {

using test::kSamplePath;

class ReportFormCommandsTest : public ::testing::Test, protected test::SampleDocument {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnOpenDocument(kSamplePath));
    doc.TakeProcessingSnapshot();  // in the report
  }
};

TEST_F(ReportFormCommandsTest, TypedHeaderTextsAreOneEditAndSurviveLeavingTheReport) {
  const HeaderTexts before = TextsOf(doc.Header());
  EXPECT_EQ(HeaderTextsEdited(doc, before), nullptr);
  HeaderTexts typed = before;
  for (const char* text : {"Z", "ZK", "ZK9"}) {
    typed.holeId = text;
    doc.SetHeaderTexts(typed);
  }
  typed.site = "青岚水库";
  typed.holeDate = "2026-10-01";
  doc.SetHeaderTexts(typed);
  auto edit = HeaderTextsEdited(doc, before);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(doc.IsModified());

  doc.RestoreProcessingSnapshot();  // back to the main layout
  EXPECT_EQ(TextsOf(doc.Header()), typed);
  edit->Undo();
  EXPECT_EQ(TextsOf(doc.Header()), before);
  doc.RestoreProcessingSnapshot();
  EXPECT_EQ(TextsOf(doc.Header()), before);
  edit->Redo();
  EXPECT_EQ(doc.Header().m_holeID, "ZK9");
  EXPECT_EQ(doc.Header().site, "青岚水库");
  EXPECT_EQ(doc.Header().m_holeDate, "2026-10-01");
}

TEST_F(ReportFormCommandsTest, TheReportStyleUndoesWithTheLayersItRecomputed) {
  ASSERT_NE(AddLayerBoundary(doc, LayerColumn::Result, doc.MinValidDepth() + 3.0f), nullptr);
  ASSERT_NE(EnterParametersCommand(doc, 1, {2000, 0, 2650, 5000}, {1, 1, 1}), nullptr);
  const LayerSet before = doc.Layers();
  ReportStyle style = StyleOf(before);
  EXPECT_EQ(ChangeReportStyle(doc, style), nullptr);

  style.ruler = 200;
  style.style1 = 0;
  style.style2 = 1;
  auto restyled = ChangeReportStyle(doc, style);
  ASSERT_NE(restyled, nullptr);
  EXPECT_EQ(StyleOf(doc.Layers()), style);

  style.style1 = 1;
  style.style2 = 0;
  style.way = 0;  // method two: the layers are recomputed
  style.tags = {0, 1, 1};
  auto retagged = ChangeReportStyle(doc, style);
  ASSERT_NE(retagged, nullptr);
  EXPECT_EQ(StyleOf(doc.Layers()), style);
  retagged->Undo();
  restyled->Undo();
  EXPECT_EQ(doc.Layers(), before);
}

TEST(ReportTextsTest, HistoryListsKeepTheLatestTextsOnceEach) {
  std::array<std::string, 10> history{};
  for (int i = 0; i < 11; ++i) RememberText(history, "site " + std::to_string(i));
  EXPECT_EQ(history.front(), "site 10");
  EXPECT_EQ(history.back(), "site 1");  // the oldest fell off
  RememberText(history, "site 5");
  RememberText(history, "");
  EXPECT_EQ(history[0], "site 5");
  EXPECT_EQ(history[1], "site 10");
  EXPECT_EQ(history[9], "site 1");
  EXPECT_EQ(std::count(history.begin(), history.end(), "site 5"), 1);
}

}  // namespace
}  // namespace tarnix

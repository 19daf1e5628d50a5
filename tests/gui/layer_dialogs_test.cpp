// The layer dialogs as a user drives them: edits act on the document at once,
// the closing check keeps a bad session open, Cancel puts every list back, and
// a confirmed session or an entered parameter is undone by its command.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "commands/edit_commands.h"
#include "dialogs/layer_parameter_dlg.h"
#include "dialogs/left_modify_dlg.h"
#include "dialogs/right_modify_dlg.h"
#include "gui/gui_helpers.h"
#include "support/sample_document.h"

namespace tarnix {
namespace {

using test::kSamplePath;

using Sink = test::RecordingSink;

class LayerDialogsTest : public ::testing::Test, protected test::SampleDocument {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnOpenDocument(kSamplePath));
    m_ = doc.MinValidDepth();
    ASSERT_TRUE(doc.AddBoundary(LayerColumn::Result, m_ + 1.0f));
    ASSERT_TRUE(doc.AddBoundary(LayerColumn::Result, m_ + 3.0f));
    ASSERT_TRUE(doc.AddBoundary(LayerColumn::Log, m_ + 2.0f));
  }

  template <typename T>
  static T* Find(QWidget* dialog, const char* name) {
    return test::FindNamed<T>(dialog, name);
  }

  float m_ = 0.0f;
};

TEST_F(LayerDialogsTest, ResultLayersEditLiveAndCancelPutsBack) {
  const LayerSet before = doc.Layers();
  CrightModifyDlg dialog(doc);
  dialog.show();
  auto* list = Find<QListWidget>(&dialog, "layers");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(1)->text(), "分层2");
  list->setCurrentRow(1);
  EXPECT_EQ(Find<QLineEdit>(&dialog, "top")->text().toFloat(), doc.Layers().height[0]);
  Find<QLineEdit>(&dialog, "bottom")->setText("30.5");
  EXPECT_EQ(doc.Layers().height[1], 30.5f);
  Find<QPushButton>(&dialog, "add")->click();  // a boundary of 0 after layer 2, to be typed
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentRow(), 2);

  ui.answers = {MessageAnswer::Ok};
  dialog.reject();
  EXPECT_TRUE(dialog.isVisible());  // the check failed
  EXPECT_EQ(ui.MessageTexts().back(), "第3层的深度的结束位置不能比第2层的深度的结束值小！");

  ui.answers = {MessageAnswer::Cancel};
  dialog.reject();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(doc.Layers(), before);
}

TEST_F(LayerDialogsTest, ConfirmedSessionIsOneUndoableCommand) {
  const LayerSet before = doc.Layers();
  Sink sink;
  ui.answers = {MessageAnswer::Ok};
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<CleftModifyDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QListWidget*>("layers")->setCurrentRow(0);
    auto* lithology = dialog->findChild<QComboBox*>("lithology");
    lithology->setCurrentIndex(63);
    emit lithology->activated(63);
    dialog->reject();
  });
  CleftModifyDlg::Run(doc, &sink, nullptr);
  ASSERT_EQ(sink.done.size(), 1u);
  EXPECT_EQ(doc.Layers().picName[0], "砂岩");
  sink.done[0]->Undo();
  EXPECT_EQ(doc.Layers(), before);
}

TEST_F(LayerDialogsTest, MethodOneEnterComputesTheSelectedLayer) {
  doc.SelectLayer(1);
  Sink sink;
  CWayoneDlg dialog(doc, &sink);
  dialog.show();
  Find<QLineEdit>(&dialog, "value1")->setText("2000");
  Find<QLineEdit>(&dialog, "value2")->setText("2650");
  auto* block = Find<QLineEdit>(&dialog, "value3");
  block->setText("5000");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(block, &enter);
  const LayerSet& l = doc.Layers();
  EXPECT_EQ(l.twave[1], 2000);
  EXPECT_EQ(l.capacity[1], 2650.0f);
  EXPECT_EQ(l.m_style1, 1);
  EXPECT_EQ(l.m_way, 1);
  EXPECT_NEAR(l.index[1], static_cast<double>(l.vp[1]) * l.vp[1] / 25e6, 1e-4);
  ASSERT_EQ(sink.done.size(), 1u);
  sink.done[0]->Undo();
  EXPECT_EQ(doc.Layers().twave[1], 0);
}

}  // namespace
}  // namespace tarnix

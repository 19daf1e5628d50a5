// "曲线比例调整": the scale bar's rule, Enter in "终止", and "自定义" with its
// recomputed criterion, kept or undone.
#include "dialogs/dialog_adjust.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include "commands/command.h"
#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "support/document_access.h"
#include "support/scripted_ui_services.h"

namespace tarnix {
namespace {

const std::string kSample = std::string(TARNIX_TEST_DATA) + "/../../resources/samples/ZK01.CHT";

class DialogAdjustTest : public ::testing::Test {
 protected:
  DialogAdjustTest() : doc_(ui_, recent_) {
    EXPECT_TRUE(doc_.OnOpenDocument(kSample));
    doc_.display.axisStart = 3.0f;
    doc_.display.axisEnd = 5.0f;
  }
  template <typename T>
  T* Child(CDialogAdjust& d, const char* name) {
    return d.findChild<T*>(QLatin1String(name));
  }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  int repaints_ = 0;
};

TEST_F(DialogAdjustTest, TheScaleStretchesTheSpanFromTheEndLastEntered) {
  CDialogAdjust dialog(doc_, [this] { ++repaints_; });
  dialog.show();
  auto* scale = Child<QScrollBar>(dialog, "scale");
  auto* end = Child<QLineEdit>(dialog, "end");
  EXPECT_EQ(Child<QLineEdit>(dialog, "start")->text(), "3.000");
  EXPECT_EQ(scale->value(), 10);
  scale->setValue(15);
  EXPECT_EQ(end->text(), "6.000");
  EXPECT_FLOAT_EQ(doc_.display.axisEnd, 6.0f);
  EXPECT_GT(repaints_, 0);
  scale->setValue(0);
  EXPECT_EQ(end->text(), "3.000");

  // Enter in "终止" makes the typed end the middle of the scale and closes nothing.
  end->setText("7");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(end, &enter);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(scale->value(), 10);
  scale->setValue(15);
  EXPECT_EQ(end->text(), "9.000");
}

TEST_F(DialogAdjustTest, ClearingCustomRecomputesTheCriterionAndCancelPutsAllBack) {
  doc_.display.curveAdjust[kCustomAxis] = 1;
  DocumentTestAccess::Section(doc_, 0).criticalV = 1.5f;
  {
    CDialogAdjust dialog(doc_, [this] { ++repaints_; });
    auto* custom = Child<QCheckBox>(dialog, "custom");
    EXPECT_TRUE(Child<QLineEdit>(dialog, "end")->isEnabled());
    custom->setChecked(false);
    EXPECT_FALSE(Child<QLineEdit>(dialog, "end")->isEnabled());
    EXPECT_FLOAT_EQ(doc_.Section(0).criticalV, 0.0f);  // no velocity criterion under SL 264-2001
    Child<QScrollBar>(dialog, "scale")->setValue(20);
    EXPECT_FLOAT_EQ(doc_.display.axisEnd, 7.0f);
    dialog.reject();
  }
  EXPECT_FLOAT_EQ(doc_.Section(0).criticalV, 1.5f);
  EXPECT_FLOAT_EQ(doc_.display.axisEnd, 5.0f);
  EXPECT_EQ(doc_.display.curveAdjust[kCustomAxis], 1);

  // Confirmed, the criterion is one edit for the undo history.
  CDialogAdjust dialog(doc_, nullptr);
  Child<QCheckBox>(dialog, "custom")->setChecked(false);
  auto edits = dialog.TakeEdits();
  ASSERT_EQ(edits.size(), 1u);
  edits[0]->Undo();
  EXPECT_FLOAT_EQ(doc_.Section(0).criticalV, 1.5f);
}

}  // namespace
}  // namespace tarnix

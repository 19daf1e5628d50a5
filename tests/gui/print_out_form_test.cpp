// The project form as a user drives it beside the report: typed texts reach
// the header at once and are one undoable edit each, the lock holds the
// project texts, and the style, scale and method controls set the report's
// presentation.
#include "views/print_out_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <memory>
#include <vector>

#include "dialogs/layer_parameter_dlg.h"
#include "gui/gui_helpers.h"
#include "support/sample_document.h"

namespace tarnix {
namespace {

using test::kSamplePath;

class PrintOutFormTest : public ::testing::Test, protected test::SampleDocument {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnOpenDocument(kSamplePath));
    doc.TakeProcessingSnapshot();  // the report's copy of the test
    form_ = std::make_unique<CPrintOutForm>(doc, &sink_, [this] { ++repaints_; });
    form_->show();
  }

  template <typename T>
  T* Find(const char* name) {
    return test::FindNamed<T>(form_.get(), name);
  }

  // Types over the field's text key by key, then leaves the field.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    for (QChar c : text) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &key);
    }
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &leave);
  }

  test::RecordingSink sink_;
  std::unique_ptr<CPrintOutForm> form_;
  int repaints_ = 0;
};

TEST_F(PrintOutFormTest, TypedTextsReachTheHeaderAndAreOneEditEach) {
  const HeaderTexts opened = TextsOf(doc.Header());
  Type(Find<QLineEdit>("holeId"), "ZK9");
  EXPECT_EQ(doc.Header().m_holeID, "ZK9");
  ASSERT_EQ(sink_.done.size(), 1u);
  Type(Find<QComboBox>("site")->lineEdit(), QStringLiteral("某坝址"));
  EXPECT_EQ(doc.Header().site, "某坝址");
  EXPECT_EQ(doc.reportTexts.history[0][0], "某坝址");
  EXPECT_EQ(Find<QComboBox>("site")->findText(QStringLiteral("某坝址")), 0);
  ASSERT_EQ(sink_.done.size(), 2u);
  doc.RestoreProcessingSnapshot();  // leaving the report keeps them
  EXPECT_EQ(doc.Header().m_holeID, "ZK9");
  sink_.UndoAll();
  EXPECT_EQ(TextsOf(doc.Header()), opened);
}

TEST_F(PrintOutFormTest, TheLockHoldsTheProjectTextsAcrossVisitsOfTheReport) {
  auto* site = Find<QComboBox>("site");
  Type(site->lineEdit(), QStringLiteral("青岚水库"));
  Find<QCheckBox>("lock")->click();
  EXPECT_EQ(doc.reportTexts.locked, 1);
  EXPECT_EQ(doc.reportTexts.lockedTexts[0], "青岚水库");
  EXPECT_EQ(doc.reportTexts.lockedTexts[2], doc.Header().person);
  EXPECT_FALSE(site->isEnabled());

  HeaderTexts other = TextsOf(doc.Header());
  other.site = "别的工地";
  doc.SetHeaderTexts(other);  // as another test would bring
  form_->hide();
  form_->show();  // the report again
  EXPECT_EQ(doc.Header().site, "青岚水库");

  Find<QCheckBox>("lock")->click();
  EXPECT_EQ(doc.reportTexts.locked, 0);
  EXPECT_TRUE(site->isEnabled());
  EXPECT_GE(repaints_, 2);
}

TEST_F(PrintOutFormTest, StyleScaleAndMethodSetTheReportAndUndo) {
  ASSERT_TRUE(doc.AddBoundary(LayerColumn::Result, doc.MinValidDepth() + 2.0f));
  const LayerSet before = doc.Layers();
  form_->Refresh();
  auto* interpretation = Find<QPlainTextEdit>("interpretation");
  EXPECT_FALSE(interpretation->isEnabled());

  auto* ruler = Find<QComboBox>("ruler");
  ruler->setCurrentIndex(4);
  emit ruler->activated(4);
  EXPECT_EQ(doc.Layers().m_ruler, 200);

  Find<QCheckBox>("style2")->click();
  form_->Refresh();
  EXPECT_EQ(doc.Layers().m_style2, 1);
  EXPECT_EQ(doc.Layers().m_style1, 0);
  EXPECT_FALSE(Find<QCheckBox>("style1")->isChecked());
  EXPECT_FALSE(form_->findChild<CWayoneDlg*>()->findChild<QCheckBox*>("tag1")->isEnabled());
  ASSERT_TRUE(interpretation->isEnabled());
  interpretation->insertPlainText(QStringLiteral("岩体破碎"));
  EXPECT_EQ(doc.Layers().explain[0], "岩体破碎");
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(interpretation, &leave);

  Find<QCheckBox>("style1")->click();
  Find<QTabWidget>("methods")->setCurrentIndex(1);
  EXPECT_EQ(doc.Layers().m_style1, 1);
  EXPECT_EQ(doc.Layers().m_style2, 0);
  EXPECT_EQ(doc.Layers().m_way, 0);
  EXPECT_EQ(sink_.done.size(), 5u);
  sink_.UndoAll();
  EXPECT_EQ(doc.Layers(), before);
}

}  // namespace
}  // namespace tarnix

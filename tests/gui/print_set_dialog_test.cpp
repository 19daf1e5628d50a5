// The page settings dialog as a user drives it: the values it refuses, with
// their messages and what the field falls back to, what 确定 keeps and what
// 取消 puts back, and the instrument models it offers.
#include "dialogs/dlg_print_set.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <memory>

#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "gui/gui_helpers.h"
#include "support/document_access.h"
#include "support/scripted_ui_services.h"

namespace tarnix {
namespace {

class PrintSetDialogTest : public ::testing::Test {
 protected:
  PrintSetDialogTest() : doc_(ui_, recent_) { DocumentTestAccess::Header(doc_).inst = "kvtqx7"; }

  CDlgPrintSet& Open() {
    dialog_ = std::make_unique<CDlgPrintSet>(doc_, [this] { ++repaints_; });
    dialog_->show();
    return *dialog_;
  }

  template <typename T>
  T* Find(const char* name) {
    return test::FindNamed<T>(dialog_.get(), name);
  }

  // Types the text over the field's contents and leaves the field.
  void Type(const char* spin, const QString& text) {
    QSpinBox* s = Find<QSpinBox>(spin);
    s->findChild<QLineEdit*>()->setText(text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(s, &leave);
  }

  int Value(const char* spin) { return Find<QSpinBox>(spin)->value(); }
  void Click(const char* button) { Find<QAbstractButton>(button)->click(); }

  ScriptedUiServices ui_;
  MemoryRecentFileList recent_;
  CTarnixDoc doc_;
  std::unique_ptr<CDlgPrintSet> dialog_;
  int repaints_ = 0;
};

TEST_F(PrintSetDialogTest, RefusesAFirstPageNumberAbove1000AndPutsBackTheStoredOne) {
  doc_.pageSetup.firstPageNumber = 7;
  Open();
  Type("firstPageNumber", "1000");
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(Value("firstPageNumber"), 1000);
  Type("firstPageNumber", "1001");
  ASSERT_EQ(ui_.MessageTexts(), std::vector<std::string>{"超出1-1000范围,请重新输入!"});
  EXPECT_EQ(Value("firstPageNumber"), 7);
  // The arrows stop at the end of the range.
  Find<QSpinBox>("firstPageNumber")->setValue(1000);
  Find<QSpinBox>("firstPageNumber")->stepBy(1);
  EXPECT_EQ(Value("firstPageNumber"), 1000);
}

TEST_F(PrintSetDialogTest, AHeaderOrFooterTallerThanItsMarginIsCutToTheMargin) {
  doc_.pageSetup.topMargin = 20;
  doc_.pageSetup.bottomMargin = 15;
  doc_.pageSetup.printHeader = doc_.pageSetup.printFooter = 1;
  Open();
  Type("headerHeight", "20");
  EXPECT_TRUE(ui_.messages.empty());
  Type("headerHeight", "21");
  Type("footerHeight", "16");
  EXPECT_EQ(ui_.MessageTexts(), (std::vector<std::string>{"页眉高度不可以大于上边距", "页脚高度不可以大于下边距"}));
  EXPECT_EQ(Value("headerHeight"), 20);
  EXPECT_EQ(Value("footerHeight"), 15);
  // A margin made smaller than its printed band takes the band down with it.
  Type("topMargin", "12");
  EXPECT_EQ(ui_.MessageTexts().back(), "页眉高度不可以大于上边距");
  EXPECT_EQ(Value("headerHeight"), 12);
  Click("ok");
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(doc_.pageSetup.topMargin, 12);
  EXPECT_EQ(doc_.pageSetup.headerHeight, 12);
  EXPECT_EQ(doc_.pageSetup.footerHeight, 15);
  EXPECT_EQ(repaints_, 1);
}

TEST_F(PrintSetDialogTest, CancelLeavesTheRecordAsItWasAndOkKeepsEveryField) {
  const PageSetup opened = doc_.pageSetup;
  auto edit = [this] {
    Click("printHeader");
    Type("headerHeight", "4");
    Find<QLineEdit>("headerText")->setText(QStringLiteral("某水电站"));
    Find<QComboBox>("pageNumberFormat")->setCurrentIndex(1);
    Type("leftMargin", "33");
    Click("printReportPages");
    Find<QComboBox>("headerBlockFormat")->setCurrentIndex(1);
  };
  Open();
  edit();
  Click("cancel");
  EXPECT_EQ(doc_.pageSetup, opened);
  EXPECT_EQ(repaints_, 0);

  Open();
  edit();
  Click("ok");
  PageSetup expected = opened;
  expected.printHeader = 1;
  expected.headerHeight = 4;
  expected.headerText = "某水电站";
  expected.pageNumberFormat = 1;
  expected.leftMargin = 33;
  expected.printReportPages = 1;
  expected.headerBlockFormat = 1;
  EXPECT_EQ(doc_.pageSetup, expected);
}

TEST_F(PrintSetDialogTest, OkIsRefusedWithoutSectionsPerPageAndTheRecordStays) {
  doc_.pageSetup.sectionsPerPage = 0;
  const PageSetup opened = doc_.pageSetup;
  Open();
  Type("rightMargin", "40");
  Click("ok");
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"请选择每页打印剖面数"});
  EXPECT_TRUE(dialog_->isVisible());
  dialog_->close();  // the window's close button cancels
  EXPECT_EQ(doc_.pageSetup, opened);
}

TEST_F(PrintSetDialogTest, TheSwitchesEnableTheirOwnControls) {
  Open();
  for (const char* name : {"pageNumberPosition", "firstPageNumber", "headerHeight", "headerText", "footerFont"}) {
    EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
  }
  Click("printPageNumbers");
  Click("printFooter");
  for (const char* name : {"pageNumberPosition", "firstPageNumber", "pageNumberFormat", "footerFont", "footerText"}) {
    EXPECT_TRUE(Find<QWidget>(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(Find<QWidget>("headerText")->isEnabled());
}

TEST_F(PrintSetDialogTest, TheModelListFollowsTheTestsInstrument) {
  EXPECT_EQ(InstrumentModels("KVT-QX7"), (std::vector<std::string>{"KVT-QX7", "KVT-QX6", "KVT-QX5"}));
  EXPECT_EQ(InstrumentModels("kvtqx6"), (std::vector<std::string>{"KVT-QX6", "KVT-QX5", "KVT-QX7"}));
  EXPECT_EQ(InstrumentModels("KVT-QX5"), (std::vector<std::string>{"KVT-QX5", "KVT-QX6", "KVT-QX7"}));
  EXPECT_TRUE(InstrumentModels("KVT-QX8").empty());

  DocumentTestAccess::Header(doc_).inst = "KVTQX6";
  Open();
  Click("ok");
  EXPECT_EQ(doc_.pageSetup.instrumentModel, "KVT-QX6");
  // An instrument the dialog does not know keeps the stored model.
  DocumentTestAccess::Header(doc_).inst = "***";
  Open();
  EXPECT_EQ(Find<QComboBox>("instrumentModel")->count(), 0);
  Click("ok");
  EXPECT_EQ(doc_.pageSetup.instrumentModel, "KVT-QX6");
}

}  // namespace
}  // namespace tarnix

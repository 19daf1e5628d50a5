// The merge dialog as a user drives it: a loaded file's rows, a target another
// row already has, and the pipe-count list.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

#include "dialogs/dlg_combin_file.h"
#include "document/recent_file_list.h"
#include "document/tarnix_doc.h"
#include "support/scripted_ui_services.h"

namespace tarnix {
namespace {

TEST(CombinFileDialog, RowsOfALoadedFileAndTheirTargets) {
  ScriptedUiServices ui;
  MemoryRecentFileList recent;
  CTarnixDoc doc(ui, recent);
  CDlgCombinFile dialog(doc);
  dialog.LoadFile(QStringLiteral(TARNIX_TEST_DATA "/old_probe.RTX"));
  auto* row0 = dialog.findChild<QComboBox*>(QStringLiteral("target0"));
  auto* row1 = dialog.findChild<QComboBox*>(QStringLiteral("target1"));
  auto* row2 = dialog.findChild<QComboBox*>(QStringLiteral("target2"));
  ASSERT_TRUE(row0 && row1 && row2);
  EXPECT_EQ(row0->count(), 4);  // 1-2, 1-3, 2-3, 不并入
  EXPECT_EQ(row0->currentText(), QStringLiteral("不并入"));
  EXPECT_FALSE(row2->isEnabled());

  row0->setCurrentIndex(2);
  emit row0->activated(2);
  row1->setCurrentIndex(2);
  emit row1->activated(2);  // 2-3 is row 0's already
  EXPECT_EQ(row1->currentText(), QStringLiteral("不并入"));
  EXPECT_EQ(dialog.Merge().Row(0).Chosen(), "2-3");

  auto* pipes = dialog.findChild<QComboBox*>(QStringLiteral("pipes"));
  auto* autoPipes = dialog.findChild<QCheckBox*>(QStringLiteral("autoPipes"));
  EXPECT_FALSE(pipes->isEnabled());
  autoPipes->setChecked(false);
  EXPECT_TRUE(pipes->isEnabled());
  EXPECT_EQ(pipes->count(), 4);  // 2 to 5 pipes
  pipes->setCurrentIndex(3);
  emit pipes->activated(3);
  EXPECT_EQ(row0->count(), 11);  // ten pairs of five pipes, then 不并入
}

}  // namespace
}  // namespace tarnix

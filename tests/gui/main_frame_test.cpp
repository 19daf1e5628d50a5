// The main window as a user drives it: layouts, the enabled commands of each,
// the report's snapshot, and the question on closing with unsaved changes.
#include "shell/main_frame.h"
#include "views/print_out_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QDockWidget>
#include <QMenuBar>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "commands/edit_commands.h"
#include "document/tarnix_doc.h"
#include "shell/undo_history.h"
#include "shell/qt_ui_services.h"
#include "shell/settings_location.h"
#include "document/recent_file_list.h"
#include "support/scripted_ui_services.h"
#include "support/temp_dir.h"
#include "dialogs/parameter.h"
#include "support/document_access.h"
#include "views/panes.h"
#include "main_frame_fixture.h"

namespace tarnix {
namespace {

TEST_F(MainFrameTest, MenusCarryTheirTextsAndAccelerators) {
  EXPECT_EQ(frame_.Action(CommandId::FileOpen)->text(), QStringLiteral("打开(&O)..."));
  EXPECT_EQ(frame_.Action(CommandId::FileOpen)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_TRUE(frame_.Action(CommandId::CopyWave)->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)));
  EXPECT_TRUE(frame_.Action(CommandId::PasteWave)->shortcuts().contains(QKeySequence(Qt::SHIFT | Qt::Key_Insert)));
  EXPECT_EQ(frame_.Action(CommandId::StandardSl264)->text(), QStringLiteral("水利水电工程岩石试验规程(SL-264-2001) "));
  EXPECT_TRUE(frame_.Action(CommandId::StandardSl264)->isChecked());
  EXPECT_EQ(frame_.windowTitle(), QStringLiteral("KVT声波测孔分析软件 V1.2.00912  Morvane - 无标题"));
  EXPECT_TRUE(frame_.ReportToolBar()->isHidden());
  EXPECT_TRUE(frame_.AnalysisBar()->isHidden());
  EXPECT_EQ(frame_.AnalysisBar()->windowTitle(), QStringLiteral("分析输出信息栏"));
}

TEST_F(MainFrameTest, UndoAndRedoNameTheEditAndFollowTheCleanState) {
  const QList<QAction*> menus = frame_.menuBar()->actions();
  ASSERT_GE(menus.size(), 2);
  EXPECT_EQ(menus[1]->text(), QStringLiteral("编辑(&E)"));
  EXPECT_TRUE(frame_.Action(CommandId::EditUndo)->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_Backspace)));
  EXPECT_EQ(frame_.Action(CommandId::EditRedo)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
  frame_.OpenFile(QString::fromStdString(kSample));
  EXPECT_FALSE(Enabled(CommandId::EditUndo));

  const int before = doc_.Section(0).points[20].arrivalIndex;
  Record(frame_.History(), ManualPick(doc_, 0, 20, before + 40));
  frame_.UpdateMenusForMode();
  EXPECT_EQ(frame_.Action(CommandId::EditUndo)->text(), QStringLiteral("撤销 手动判读"));
  EXPECT_TRUE(doc_.IsModified());

  frame_.Execute(CommandId::EditUndo);
  EXPECT_EQ(doc_.Section(0).points[20].arrivalIndex, before);
  EXPECT_FALSE(doc_.IsModified());  // back at the state that was opened
  EXPECT_EQ(frame_.Action(CommandId::EditRedo)->text(), QStringLiteral("重做 手动判读"));
  frame_.Execute(CommandId::EditRedo);
  EXPECT_EQ(doc_.Section(0).points[20].arrivalIndex, before + 40);
  EXPECT_TRUE(doc_.IsModified());

  ui_.answers.push_back(MessageAnswer::No);  // the unsaved pick is discarded
  frame_.OpenFile(QString::fromStdString(kSample));
  EXPECT_FALSE(Enabled(CommandId::EditUndo));
  EXPECT_FALSE(Enabled(CommandId::EditRedo));
}

TEST_F(MainFrameTest, SuspectPicksAreCountedAndVisitedInTurn) {
  Open();
  frame_.Execute(CommandId::AutoPick);
  const std::string& status = ui_.statusTexts.back();
  EXPECT_EQ(status.substr(status.find(' ')), " 个可疑初至");
  for (int c = 0; c < 2; ++c) {
    for (CSamNode& p : DocumentTestAccess::Section(doc_, c).points) p.pickQuality = PickQuality::Good;
  }
  frame_.Execute(CommandId::NextSuspectPick);
  EXPECT_EQ(ui_.statusTexts.back(), "没有可疑初至");
  DocumentTestAccess::Section(doc_, 1).points[40].pickQuality = PickQuality::Poor;
  DocumentTestAccess::Section(doc_, 0).points[70].pickQuality = PickQuality::Doubtful;
  frame_.Execute(CommandId::NextSuspectPick);
  EXPECT_EQ(doc_.CurrentPoint(), 40);
  frame_.Execute(CommandId::NextSuspectPick);
  EXPECT_EQ(doc_.CurrentPoint(), 70);
  frame_.Execute(CommandId::NextSuspectPick);  // round the hole
  EXPECT_EQ(doc_.CurrentPoint(), 40);
  frame_.Execute(CommandId::PreviousSuspectPick);
  EXPECT_EQ(doc_.CurrentPoint(), 70);
  EXPECT_EQ(frame_.Action(CommandId::NextSuspectPick)->shortcut(), QKeySequence(Qt::Key_N));
}

TEST_F(MainFrameTest, EachLayoutEnablesItsOwnCommands) {
  // Nothing open: no saving and no report.
  EXPECT_FALSE(Enabled(CommandId::FileSave));
  EXPECT_FALSE(Enabled(CommandId::AnalysisOutput));
  Open();
  EXPECT_EQ(frame_.CurrentLayout(), CMainFrame::Layout::Main);
  EXPECT_TRUE(Enabled(CommandId::AutoPick));
  EXPECT_TRUE(Enabled(CommandId::AnalysisOutput));
  EXPECT_FALSE(Enabled(CommandId::BackToMain));

  frame_.Execute(CommandId::ToggleDataTable);
  EXPECT_EQ(frame_.CurrentLayout(), CMainFrame::Layout::DataTable);
  EXPECT_EQ(doc_.modes.layoutMode, 1);
  EXPECT_FALSE(Enabled(CommandId::AutoPick));  // processing is off in the data table
  EXPECT_FALSE(Enabled(CommandId::PageSetup));
  EXPECT_TRUE(Enabled(CommandId::ToggleSectionBar));
  EXPECT_FALSE(Enabled(CommandId::BackToMain));

  frame_.Execute(CommandId::ToggleDataTable);
  EXPECT_EQ(frame_.CurrentLayout(), CMainFrame::Layout::Main);
  frame_.Execute(CommandId::AnalysisOutput);
  EXPECT_EQ(frame_.CurrentLayout(), CMainFrame::Layout::Report);
  EXPECT_EQ(doc_.modes.reportMode, 1);
  EXPECT_TRUE(Enabled(CommandId::BackToMain));
  EXPECT_TRUE(Enabled(CommandId::PageSetup));
  EXPECT_FALSE(Enabled(CommandId::AutoPick));
  EXPECT_FALSE(Enabled(CommandId::AnalysisOutput));
  EXPECT_FALSE(Enabled(CommandId::ToggleSectionBar));
  EXPECT_FALSE(frame_.ReportToolBar()->isHidden());
  EXPECT_TRUE(frame_.MainToolBar()->isHidden());
  EXPECT_TRUE(frame_.SectionBar()->isHidden());
  EXPECT_FALSE(frame_.AnalysisBar()->isHidden());
  EXPECT_NE(frame_.AnalysisBar()->findChild<CPrintOutForm*>(), nullptr);
}

TEST_F(MainFrameTest, TheReportWorksOnOneSnapshotAndAlwaysReturnsToTheMainLayout) {
  Open();
  frame_.Execute(CommandId::ToggleDataTable);
  frame_.Execute(CommandId::AnalysisOutput);
  const int picked = doc_.Section(0).points[5].arrivalIndex;
  DocumentTestAccess::Section(doc_, 0).points[5].arrivalIndex = picked + 7;
  frame_.Execute(CommandId::AnalysisOutput);  // a second time takes no new snapshot
  EXPECT_EQ(doc_.ProcessingSnapshot().sections[0].points[5].arrivalIndex, picked);

  frame_.Execute(CommandId::BackToMain);
  EXPECT_EQ(frame_.CurrentLayout(), CMainFrame::Layout::Main);
  EXPECT_EQ(doc_.modes.layoutMode, 0);
  EXPECT_EQ(doc_.modes.reportMode, 0);
  EXPECT_EQ(doc_.Section(0).points[5].arrivalIndex, picked);  // restored from the snapshot
  EXPECT_FALSE(frame_.SectionBar()->isHidden());
  EXPECT_FALSE(frame_.MainToolBar()->isHidden());
}

TEST_F(MainFrameTest, ClosingWithUnsavedChangesAsks) {
  Open();
  doc_.SetModifiedFlag(true);
  ui_.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(frame_.close());
  ui_.answers = {MessageAnswer::No, MessageAnswer::Cancel};  // asked again by the document
  EXPECT_FALSE(frame_.close());
  EXPECT_EQ(ui_.messages.size(), 3u);

  test::TempDir dir;
  ui_.answers = {MessageAnswer::Yes};
  ui_.files = {dir.File("saved.CHT")};
  EXPECT_TRUE(frame_.close());
  EXPECT_FALSE(doc_.IsModified());
  EXPECT_EQ(recent_.Entries().front(), dir.File("saved.CHT"));
}

TEST_F(MainFrameTest, ParameterStatusNeedsATestAndFormatsItsValues) {
  frame_.Execute(CommandId::ParameterStatus);
  EXPECT_EQ(ui_.MessageTexts().back(), "请先打开文件");
  Open();
  const LabelledValues hole = Parameter::HoleTexts(doc_);
  EXPECT_EQ(hole[1], (std::pair<std::string, std::string>{"孔深(m)", "20.20"}));
  EXPECT_EQ(hole[2].second, "80");   // the file keeps the diameter to 0.01 m
  EXPECT_EQ(hole[3].second, "200");  // 0.2 m in mm
  const auto channels = Parameter::ChannelTexts(doc_);
  ASSERT_EQ(channels.size(), 2u);
  EXPECT_EQ(channels[1][0].second, "2");
  EXPECT_EQ(channels[1][1], (std::pair<std::string, std::string>{"跨距(mm)", "800"}));
}

TEST(QtFileFilterTest, DesktopFiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtFileFilter("声波原始文件 (*.CHT)|*.CHT|声波结果文件 (*.CHA)|*.CHA|All Files (*.*)|*.*||"),
            QStringLiteral("声波原始文件 (*.CHT);;声波结果文件 (*.CHA);;All Files (*.*)"));
  EXPECT_EQ(QtFileFilter("Tests|*.CHT;*.CHS||"), QStringLiteral("Tests (*.CHT *.CHS)"));
}

TEST(SettingsFilePath, EnvironmentOverridesTheDefaultPlace) {
  const char* old = std::getenv("TARNIX_SETTINGS");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  ::setenv("TARNIX_SETTINGS", "/somewhere/else/my.ini", 1);
  EXPECT_EQ(SettingsFilePath(), "/somewhere/else/my.ini");
  ::unsetenv("TARNIX_SETTINGS");
  const std::string fallback = SettingsFilePath();
  EXPECT_EQ(std::filesystem::path(fallback).filename(), "tarnix.ini");
  ::setenv("TARNIX_SETTINGS", "", 1);  // empty counts as unset
  EXPECT_EQ(SettingsFilePath(), fallback);
  saved ? ::setenv("TARNIX_SETTINGS", saved->c_str(), 1) : ::unsetenv("TARNIX_SETTINGS");
}

// Runs a command whose modal dialog opens, hands the dialog to `steps`, and
// closes it if the steps left it open.
void WithDialog(CMainFrame& frame, CommandId id, const std::function<void(QDialog&)>& steps) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    seen = true;
    steps(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  frame.Execute(id);
  EXPECT_TRUE(seen);
}

TEST_F(MainFrameTest, ProcessingDialogsOpenOnChannelTwoUnlessTheChannelOnePaneIsActive) {
  frame_.resize(1200, 900);
  frame_.show();
  Open();
  CTarnixView* channelOne = nullptr;
  for (CMainView* v : frame_.findChildren<CMainView*>()) {
    if (v->ChannelOffset() == 0) channelOne = v;
  }
  for (auto [pane, channel] : {std::pair<CTarnixView*, const char*>{channelOne, "channel1"},
                               {frame_.findChild<CAnalysisView*>(), "channel2"}}) {
    // The closed dialog took the activation with it.
    frame_.activateWindow();
    QApplication::processEvents();
    pane->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(frame_.ActiveView(), pane);
    for (CommandId id : {CommandId::DigitalFilter, CommandId::TimeCorrection}) {
      WithDialog(frame_, id, [&](QDialog& d) {
        EXPECT_TRUE(d.findChild<QRadioButton*>(QLatin1String(channel))->isChecked()) << channel;
      });
    }
  }
}

TEST_F(MainFrameTest, PanelHeightKeepsTheWholeTrainInThePane) {
  frame_.resize(1200, 900);
  frame_.show();
  Open();
  QApplication::processEvents();
  WithDialog(frame_, CommandId::DisplaySettings, [](QDialog& d) {
    d.findChild<QScrollBar*>(QLatin1String("panelHeight"))->triggerAction(QAbstractSlider::SliderPageStepSub);
    d.accept();
  });
  QApplication::processEvents();
  const WaveLayout& l = frame_.findChild<CMainView*>()->Layout();  // either pane: both lay out alike
  EXPECT_EQ(l.panelHeight, 150);
  EXPECT_EQ(l.vBarWidth, 0);
  EXPECT_LE(l.contentHeight, l.areaBottom - l.areaTop - l.panelHeight);
}

TEST_F(MainFrameTest, DisplaySettingsAreOffInTheDataTableAndTheReport) {
  Open();
  EXPECT_TRUE(Enabled(CommandId::DisplaySettings));
  frame_.Execute(CommandId::ToggleDataTable);
  EXPECT_FALSE(Enabled(CommandId::DisplaySettings));
  frame_.Execute(CommandId::ToggleDataTable);
  frame_.Execute(CommandId::AnalysisOutput);
  EXPECT_FALSE(Enabled(CommandId::DisplaySettings));
  EXPECT_TRUE(Enabled(CommandId::CurveAdjust));
}

}  // namespace
}  // namespace tarnix

#pragma once
// The main window: three layouts of panes built once and shown one at a time,
// the menus, two toolbars, the status bar and the two information bars.
// Commands go to the active pane first, then to the document, then here.
#include <QMainWindow>
#include <map>
#include <memory>

#include "document/ui_services.h"
#include "views/command_id.h"

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolBar;

namespace tarnix {

class CTarnixDoc;
class CTarnixView;
class CMainView;
class CSecView;
class CAnalysisView;
class CChartView;
class CPrintView;
class CPrintOutForm;
class CSectionForm;
class CStatisticsPanel;
class RecentFileList;
class UndoHistory;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  enum class Layout { Main, DataTable, Report };

  CMainFrame(CTarnixDoc& doc, RecentFileList& recentFiles, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Shows the layout and makes its first pane the active one.
  void SwitchLayout(Layout layout);
  Layout CurrentLayout() const;
  // Enables every command as the current layout and the document allow.
  void UpdateMenusForMode();
  // Runs a command as a menu entry, toolbar button or accelerator would.
  void Execute(CommandId id);
  QAction* Action(CommandId id) const;
  QToolBar* MainToolBar() const { return mainToolBar_; }
  QToolBar* ReportToolBar() const { return reportToolBar_; }
  UndoHistory* History() const { return history_.get(); }
  QDockWidget* SectionBar() const { return sectionBar_; }
  QDockWidget* AnalysisBar() const { return analysisBar_; }
  CTarnixView* ActiveView() const { return activeView_; }
  // Repaints every pane from the document and refreshes the command states;
  // hint (ViewChange flags) says what changed.
  void RefreshViews(unsigned hint = kChangeAll);
  // Opens a file as "打开" does after its dialog: unsaved changes are asked about first.
  void OpenFile(const QString& path, bool fromRecentList = false);
  void RebuildRecentFileMenu();

  bool printPreviewShown = false;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QAction* AddAction(CommandId id, const QString& text, const QList<QKeySequence>& keys = {});
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void CreateBars();
  void CreateLayouts();
  void ResizePanes();
  bool DocumentCommand(CommandId id);
  void FrameCommand(CommandId id);
  void EnterReport();
  void ToggleDataTable();
  void ToggleToolBar();
  void CyclePane(int step);
  int ActiveChannel() const;
  void ShowAbout();
  void OpenHelp();
  void OpenContactPage();
  bool Implemented(CommandId id) const;
  bool Allowed(CommandId id) const;
  QList<CTarnixView*> LayoutPanes() const;
  void ShowCurrentPoint();

  CTarnixDoc& doc_;
  RecentFileList& recentFiles_;
  std::unique_ptr<UndoHistory> history_;
  std::map<CommandId, QAction*> actions_;
  QMenu* fileMenu_ = nullptr;
  QAction* exitAction_ = nullptr;
  QList<QAction*> recentActions_;
  QToolBar* mainToolBar_ = nullptr;
  QToolBar* reportToolBar_ = nullptr;
  QDockWidget* sectionBar_ = nullptr;
  QDockWidget* analysisBar_ = nullptr;
  CSectionForm* sectionForm_ = nullptr;
  CPrintOutForm* printOutForm_ = nullptr;
  CStatisticsPanel* statisticsPanel_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QSplitter* mainSplitter_ = nullptr;
  QSplitter* dataSplitter_ = nullptr;
  CMainView* mainView_ = nullptr;
  CSecView* secView_ = nullptr;
  CAnalysisView* analysisView_ = nullptr;
  CChartView* chartView_ = nullptr;
  CAnalysisView* chartAnalysisView_ = nullptr;
  CPrintView* printView_ = nullptr;
  CTarnixView* activeView_ = nullptr;
  QLabel* pointLabel_ = nullptr;
  bool toolBarsOn_ = true;
  bool sectionBarBeforeReport_ = true;
};

}  // namespace tarnix

#include "shell/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include "base/c_text.h"
#include "commands/edit_commands.h"
#include "document/log_exports.h"
#include "document/single_wave.h"
#include "report/point_wave_export.h"
#include "document/suspect_picks.h"
#include "document/tarnix_doc.h"
#include "document/recent_file_list.h"
#include "dialogs/dialog_adjust.h"
#include "dialogs/dlg_combin_file.h"
#include "dialogs/dlg_display_settings.h"
#include "dialogs/dlg_filter.h"
#include "dialogs/dlg_print_set.h"
#include "dialogs/dlg_time_correction.h"
#include "views/panes.h"
#include "views/print_out_form.h"
#include "dialogs/parameter.h"
#include "views/section_form.h"
#include "views/statistics_panel.h"
#include "shell/help_window.h"
#include "shell/tool_icons.h"
#include "shell/undo_history.h"

namespace tarnix {
namespace {

const char kProductLine[] = "KVT声波测孔分析软件 V1.2.00912";
const QString kUndo = QStringLiteral("撤销");
// Ten rows of the statistics table and its two summary lines.
constexpr int kStatisticsMinHeight = 270;
const QString kRedo = QStringLiteral("重做");

// The three groups whose entries follow the layout.
bool InReportGroup(CommandId id) {
  switch (id) {
    case CommandId::ExportExcel:
    case CommandId::ReportWord:
    case CommandId::ReportBmp:
    case CommandId::ReportPdf:
    case CommandId::Print:
    case CommandId::PrintPreview:
    case CommandId::PrinterSetup:
    case CommandId::PageSetup:
    case CommandId::BackToMain:
    case CommandId::ToggleAnalysisBar:
      return true;
    default:
      return false;
  }
}

bool InProcessingGroup(CommandId id) {
  switch (id) {
    case CommandId::ZoomIn:
    case CommandId::ZoomOut:
    case CommandId::NextSuspectPick:
    case CommandId::PreviousSuspectPick:
    case CommandId::AutoPick:
    case CommandId::DigitalFilter:
    case CommandId::TimeCorrection:
    case CommandId::SingleWaveRead:
    case CommandId::SingleWaveSave:
    case CommandId::ExportPointWaves:
    case CommandId::CopyWave:
    case CommandId::PasteWave:
      return true;
    default:
      return false;
  }
}

void Explain(QAction* action, const QString& tip) {
  action->setToolTip(tip);
  action->setStatusTip(tip);
}

// A bar's content scrolls on a small screen rather than being squeezed.
QScrollArea* Scrolling(QWidget* content) {
  auto* scroller = new QScrollArea;
  scroller->setWidget(content);
  scroller->setWidgetResizable(true);
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return scroller;
}

bool InMainGroup(CommandId id) { return id == CommandId::ToggleSectionBar || id == CommandId::AnalysisOutput; }

}  // namespace

CMainFrame::CMainFrame(CTarnixDoc& doc, RecentFileList& recentFiles, QWidget* parent)
    : QMainWindow(parent), doc_(doc), recentFiles_(recentFiles) {
  setAcceptDrops(true);
  history_ = std::make_unique<UndoHistory>(doc_, this);
  CreateActions();
  CreateMenus();
  CreateToolBars();
  CreateBars();
  CreateLayouts();
  statusBar()->showMessage(QStringLiteral("就绪"));
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
    if (text.isEmpty()) statusBar()->showMessage(QStringLiteral("就绪"));
  });
  pointLabel_ = new QLabel(this);
  pointLabel_->setObjectName(QStringLiteral("pointLabel"));
  statusBar()->addPermanentWidget(pointLabel_);
  for (const char* indicator : {"CAP", "NUM", "SCRL"}) statusBar()->addPermanentWidget(new QLabel(indicator));
  SwitchLayout(Layout::Main);
  setWindowTitle(QString::fromStdString(doc_.Title()));
  UpdateMenusForMode();
}

QAction* CMainFrame::AddAction(CommandId id, const QString& text, const QList<QKeySequence>& keys) {
  auto* action = new QAction(text, this);
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  QString tip = text;
  tip.remove(QRegularExpression("\\(&.\\)|&|\\.\\.\\."));
  action->setToolTip(tip);
  action->setStatusTip(tip);
  connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
  actions_[id] = action;
  addAction(action);  // accelerators work whichever bar is hidden
  return action;
}

QAction* CMainFrame::Action(CommandId id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
  using K = QKeySequence;
  AddAction(CommandId::FileOpen, QStringLiteral("打开(&O)..."), {K(Qt::CTRL | Qt::Key_O)});
  AddAction(CommandId::FileSave, QStringLiteral("保存(&S)"), {K(Qt::CTRL | Qt::Key_S)});
  AddAction(CommandId::FileOpenResult, QStringLiteral("打开结果文件"));
  AddAction(CommandId::FileSaveResult, QStringLiteral("保存结果文件"));
  AddAction(CommandId::FileSaveAs, QStringLiteral("另存为(&A)..."));
  AddAction(CommandId::SingleWaveRead, QStringLiteral("单波读取(&U)"));
  AddAction(CommandId::SingleWaveSave, QStringLiteral("单波保存(&I)"));
  AddAction(CommandId::ExportPointWaves, QStringLiteral("导出测点波形(&W)"));
  AddAction(CommandId::MergeFiles, QStringLiteral("合并文件(&C)"));
  Explain(AddAction(CommandId::ExportLas, QStringLiteral("导出LAS")), QStringLiteral("把当前剖面对的逐点数据导出为 LAS 2.0 测井文件"));
  Explain(AddAction(CommandId::ExportCsv, QStringLiteral("导出CSV")), QStringLiteral("把当前剖面对的逐点数据导出为 CSV 表格"));
  AddAction(CommandId::Print, QStringLiteral("打印(&P)..."), {K(Qt::CTRL | Qt::Key_P)});
  AddAction(CommandId::PrintPreview, QStringLiteral("打印预览(&V)"));
  AddAction(CommandId::PageSetup, QStringLiteral("打印页面设置"));
  AddAction(CommandId::PrinterSetup, QStringLiteral("打印机设置(&R)..."));
  AddAction(CommandId::ReportPdf, QStringLiteral("报告输出到PDF"));
  AddAction(CommandId::Exit, QStringLiteral("退出(&X)"));
  AddAction(CommandId::ParameterStatus, QStringLiteral("检测参数状态"));
  AddAction(CommandId::DisplaySettings, QStringLiteral("显示设置"));
  AddAction(CommandId::StandardSl264, QStringLiteral("水利水电工程岩石试验规程(SL-264-2001) "))->setCheckable(true);
  AddAction(CommandId::ToggleToolbar, QStringLiteral("工具栏(&T)"))->setCheckable(true);
  AddAction(CommandId::ToggleStatusBar, QStringLiteral("状态栏(&S)"))->setCheckable(true);
  AddAction(CommandId::ToggleSectionBar, QStringLiteral("剖面信息栏(&P)"))->setCheckable(true);
  AddAction(CommandId::ToggleAnalysisBar, QStringLiteral("分析信息栏(&A)"))->setCheckable(true);
  AddAction(CommandId::ToggleDataTable, QStringLiteral("数据表/波列(&M)"));
  AddAction(CommandId::DigitalFilter, QStringLiteral("数字滤波(&F)"));
  AddAction(CommandId::TimeCorrection, QStringLiteral("声时修正(&T)"));
  AddAction(CommandId::CurveAdjust, QStringLiteral("曲线调整"));
  AddAction(CommandId::ZoomIn, QStringLiteral("区域放大(&D)..."), {K(Qt::CTRL | Qt::Key_D)});
  AddAction(CommandId::ZoomOut, QStringLiteral("区域缩小(&B)..."), {K(Qt::CTRL | Qt::Key_B)});
  AddAction(CommandId::NextSuspectPick, QStringLiteral("下一个可疑初至"), {K(Qt::Key_N)});
  AddAction(CommandId::PreviousSuspectPick, QStringLiteral("上一个可疑初至"), {K(Qt::SHIFT | Qt::Key_N)});
  // The entries' own texts are terse; the tips say what they do.
  Explain(AddAction(CommandId::CopyWave, QStringLiteral("C(&C)"), {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}),
          QStringLiteral("复制当前测点的波形"));
  Explain(AddAction(CommandId::PasteWave, QStringLiteral("V(&P)"), {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}),
          QStringLiteral("粘贴波形到当前测点"));
  AddAction(CommandId::AutoPick, QStringLiteral("自动判读(&E)..."), {K(Qt::CTRL | Qt::Key_E)});
  AddAction(CommandId::AnalysisOutput, QStringLiteral("分析输出(&O)"));
  AddAction(CommandId::ExportExcel, QStringLiteral("导出到EXCEL(&E)"));
  AddAction(CommandId::ReportWord, QStringLiteral("报告输出到WORD"));
  AddAction(CommandId::ReportBmp, QStringLiteral("报告输出到BMP"));
  AddAction(CommandId::BackToMain, QStringLiteral("返回主界面"));
  AddAction(CommandId::HelpContents, QStringLiteral("帮助文档(&A)"));
  AddAction(CommandId::OnlineUpdate, QStringLiteral("在线升级"));
  AddAction(CommandId::ContactUs, QStringLiteral("联系我们"));
  AddAction(CommandId::About, QStringLiteral("关于"));
  // The entries name the edit they take back or do again.
  QAction* undo = AddAction(CommandId::EditUndo, kUndo, {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)});
  QAction* redo = AddAction(CommandId::EditRedo, kRedo, {K(Qt::CTRL | Qt::Key_Y)});
  QUndoStack* stack = history_->Stack();
  connect(stack, &QUndoStack::undoTextChanged, undo,
          [undo](const QString& name) { undo->setText(name.isEmpty() ? kUndo : kUndo + ' ' + name); });
  connect(stack, &QUndoStack::redoTextChanged, redo,
          [redo](const QString& name) { redo->setText(name.isEmpty() ? kRedo : kRedo + ' ' + name); });
  // Accelerators without a menu entry.
  AddAction(CommandId::FileNew, QStringLiteral("新建(&N)"), {K(Qt::CTRL | Qt::Key_N)});
  AddAction(CommandId::EditCut, QStringLiteral("剪切"), {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)});
  AddAction(CommandId::NextPane, QStringLiteral("下一窗格"), {K(Qt::Key_F6)});
  AddAction(CommandId::PreviousPane, QStringLiteral("上一窗格"), {K(Qt::SHIFT | Qt::Key_F6)});
  AddAction(CommandId::Unhandled, QString(), {K(Qt::CTRL | Qt::Key_Q)});
  const CommandId recent[] = {CommandId::RecentFile1, CommandId::RecentFile2, CommandId::RecentFile3,
                              CommandId::RecentFile4};
  for (CommandId id : recent) recentActions_ << AddAction(id, QString());
}

void CMainFrame::CreateMenus() {
  auto add = [this](QMenu* menu, std::initializer_list<CommandId> ids) {
    for (CommandId id : ids) menu->addAction(Action(id));
  };
  fileMenu_ = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  add(fileMenu_, {CommandId::FileOpen, CommandId::FileSave, CommandId::FileOpenResult, CommandId::FileSaveResult,
                  CommandId::FileSaveAs});
  fileMenu_->addSeparator();
  add(fileMenu_, {CommandId::SingleWaveRead, CommandId::SingleWaveSave, CommandId::ExportPointWaves,
                  CommandId::ExportLas, CommandId::ExportCsv, CommandId::MergeFiles});
  fileMenu_->addSeparator();
  add(fileMenu_, {CommandId::Print, CommandId::PrintPreview, CommandId::PageSetup, CommandId::PrinterSetup,
                  CommandId::ReportPdf});
  fileMenu_->addSeparator();
  for (QAction* a : recentActions_) fileMenu_->addAction(a);
  fileMenu_->addSeparator();
  exitAction_ = Action(CommandId::Exit);
  fileMenu_->addAction(exitAction_);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
  add(edit, {CommandId::EditUndo, CommandId::EditRedo});

  QMenu* settings = menuBar()->addMenu(QStringLiteral("设置"));
  add(settings, {CommandId::ParameterStatus, CommandId::DisplaySettings});
  QMenu* standard = settings->addMenu(QStringLiteral("规范选择"));
  standard->addAction(Action(CommandId::StandardSl264));

  QMenu* view = menuBar()->addMenu(QStringLiteral("视图(&V)"));
  add(view, {CommandId::ToggleToolbar, CommandId::ToggleStatusBar, CommandId::ToggleSectionBar,
             CommandId::ToggleAnalysisBar, CommandId::ToggleDataTable});

  QMenu* wave = menuBar()->addMenu(QStringLiteral("波形处理"));
  add(wave, {CommandId::DigitalFilter, CommandId::TimeCorrection, CommandId::CurveAdjust, CommandId::ZoomIn,
             CommandId::ZoomOut});
  wave->addSeparator();
  add(wave, {CommandId::NextSuspectPick, CommandId::PreviousSuspectPick});

  QMenu* tools = menuBar()->addMenu(QStringLiteral("工具(&T)"));
  add(tools, {CommandId::CopyWave, CommandId::PasteWave, CommandId::AutoPick, CommandId::AnalysisOutput});

  QMenu* output = menuBar()->addMenu(QStringLiteral("分析与输出"));
  add(output, {CommandId::ExportExcel, CommandId::ReportWord, CommandId::ReportBmp, CommandId::BackToMain});

  QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
  add(help, {CommandId::HelpContents, CommandId::OnlineUpdate, CommandId::ContactUs, CommandId::About});

  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenusForMode);
  }
  RebuildRecentFileMenu();
}

void CMainFrame::CreateToolBars() {
  auto icon = [this](CommandId id, ToolIcon picture) { Action(id)->setIcon(MakeToolIcon(picture)); };
  icon(CommandId::FileOpen, ToolIcon::Open);
  icon(CommandId::FileOpenResult, ToolIcon::OpenResult);
  icon(CommandId::FileSave, ToolIcon::Save);
  icon(CommandId::FileSaveResult, ToolIcon::SaveResult);
  icon(CommandId::DisplaySettings, ToolIcon::DisplaySettings);
  icon(CommandId::ToggleDataTable, ToolIcon::DataTable);
  icon(CommandId::AutoPick, ToolIcon::AutoPick);
  icon(CommandId::CurveAdjust, ToolIcon::CurveAdjust);
  icon(CommandId::AnalysisOutput, ToolIcon::AnalysisOutput);
  icon(CommandId::About, ToolIcon::About);
  icon(CommandId::ExportExcel, ToolIcon::ExportExcel);
  icon(CommandId::ReportWord, ToolIcon::ReportWord);
  icon(CommandId::ReportBmp, ToolIcon::ReportBmp);
  icon(CommandId::PageSetup, ToolIcon::PageSetup);
  icon(CommandId::PrintPreview, ToolIcon::PrintPreview);
  icon(CommandId::Print, ToolIcon::Print);
  Action(CommandId::ReportPdf)->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  icon(CommandId::BackToMain, ToolIcon::BackToMain);

  mainToolBar_ = addToolBar(QStringLiteral("工具栏"));
  mainToolBar_->setObjectName("mainToolBar");
  mainToolBar_->setIconSize(QSize(32, 32));
  const CommandId mainButtons[] = {CommandId::FileOpen,        CommandId::FileOpenResult, CommandId::FileSave,
                                   CommandId::FileSaveResult,  CommandId::DisplaySettings, CommandId::ToggleDataTable,
                                   CommandId::AutoPick,        CommandId::CurveAdjust,    CommandId::AnalysisOutput,
                                   CommandId::About};
  for (CommandId id : mainButtons) {
    mainToolBar_->addAction(Action(id));
    // Separators after every button but the first, as the bar has always looked.
    if (id != CommandId::FileOpen && id != CommandId::About) mainToolBar_->addSeparator();
  }
  reportToolBar_ = addToolBar(QStringLiteral("报告工具栏"));
  reportToolBar_->setObjectName("reportToolBar");
  reportToolBar_->setIconSize(QSize(32, 32));
  for (CommandId id : {CommandId::FileOpen, CommandId::FileSave, CommandId::FileSaveResult, CommandId::ExportExcel,
                       CommandId::ReportWord, CommandId::ReportBmp, CommandId::PageSetup, CommandId::PrintPreview,
                       CommandId::Print, CommandId::ReportPdf, CommandId::BackToMain}) {
    reportToolBar_->addAction(Action(id));
  }
  reportToolBar_->hide();
}

void CMainFrame::CreateBars() {
  sectionBar_ = new QDockWidget(QStringLiteral("剖面信息栏"), this);
  sectionBar_->setObjectName("sectionBar");
  // The section form, and under it the statistics of the sections in use.
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  sectionForm_ = new CSectionForm(doc_);
  sectionForm_->SetCommandSink(history_.get());
  statisticsPanel_ = new CStatisticsPanel(doc_);
  layout->addWidget(sectionForm_);
  layout->addWidget(statisticsPanel_, 1);
  // On a small screen the bar scrolls rather than squeezing the statistics
  // to a couple of rows.
  statisticsPanel_->setMinimumHeight(kStatisticsMinHeight);
  sectionBar_->setWidget(Scrolling(content));
  sectionBar_->setMinimumWidth(240);
  addDockWidget(Qt::LeftDockWidgetArea, sectionBar_);
  analysisBar_ = new QDockWidget(QStringLiteral("分析输出信息栏"), this);
  analysisBar_->setObjectName("analysisBar");
  printOutForm_ = new CPrintOutForm(doc_, history_.get(), [this] { RefreshViews(); });
  analysisBar_->setWidget(Scrolling(printOutForm_));
  addDockWidget(Qt::LeftDockWidgetArea, analysisBar_);
  analysisBar_->hide();
  connect(sectionBar_, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateMenusForMode);
  connect(analysisBar_, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateMenusForMode);
}

void CMainFrame::CreateLayouts() {
  stack_ = new QStackedWidget(this);
  mainSplitter_ = new QSplitter(Qt::Horizontal);
  mainView_ = new CMainView(doc_);
  secView_ = new CSecView(doc_);
  mainView_->SetCommandSink(history_.get());
  mainView_->FollowRows(secView_);
  secView_->FollowRows(mainView_);
  secView_->SetCommandSink(history_.get());
  analysisView_ = new CAnalysisView(doc_);
  for (QWidget* w : std::initializer_list<QWidget*>{mainView_, secView_, analysisView_}) mainSplitter_->addWidget(w);
  dataSplitter_ = new QSplitter(Qt::Horizontal);
  chartView_ = new CChartView(doc_);
  chartAnalysisView_ = new CAnalysisView(doc_);
  dataSplitter_->addWidget(chartView_);
  dataSplitter_->addWidget(chartAnalysisView_);
  // Level with the channel-1 train beside it; by depth beside the table.
  analysisView_->FollowWavePane(mainView_);
  for (CAnalysisView* v : {analysisView_, chartAnalysisView_}) v->SetSectionForm(sectionForm_);
  printView_ = new CPrintView(doc_);
  printView_->SetCommandSink(history_.get());
  stack_->addWidget(mainSplitter_);
  stack_->addWidget(dataSplitter_);
  stack_->addWidget(printView_);
  for (CTarnixView* v : std::initializer_list<CTarnixView*>{mainView_, secView_, analysisView_, chartView_,
                                                            chartAnalysisView_, printView_}) {
    v->setMinimumWidth(10);
    connect(v, &CTarnixView::Activated, this, [this](CTarnixView* view) { activeView_ = view; });
  }
  setCentralWidget(stack_);
}

void CMainFrame::ResizePanes() {
  // Column widths as fractions of the frame's client width.
  const int w = width();
  mainSplitter_->setSizes({std::max(10, w * 32 / 100), std::max(10, w * 32 / 100), std::max(10, w * 30 / 100)});
  dataSplitter_->setSizes({std::max(10, w * 8 / 10), std::max(10, w * 4 / 10)});
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ResizePanes();
}

QList<CTarnixView*> CMainFrame::LayoutPanes() const {
  switch (CurrentLayout()) {
    case Layout::Main:
      return {mainView_, secView_, analysisView_};
    case Layout::DataTable:
      return {chartView_, chartAnalysisView_};
    default:
      return {printView_};
  }
}

CMainFrame::~CMainFrame() {
  // The bars report their hiding while the window is taken down.
  sectionBar_->disconnect(this);
  analysisBar_->disconnect(this);
}

void CMainFrame::SwitchLayout(Layout layout) {
  stack_->setCurrentIndex(static_cast<int>(layout));
  activeView_ = LayoutPanes().front();
  activeView_->setFocus(Qt::OtherFocusReason);
  ResizePanes();
  UpdateMenusForMode();
}

CMainFrame::Layout CMainFrame::CurrentLayout() const { return static_cast<Layout>(stack_->currentIndex()); }

bool CMainFrame::Implemented(CommandId id) const {
  switch (id) {
    case CommandId::Print:
    case CommandId::PrintPreview:
    case CommandId::PrinterSetup:
    case CommandId::CopyWave:
    case CommandId::PasteWave:
    case CommandId::ExportExcel:
    case CommandId::ReportWord:
    case CommandId::ReportBmp:
    case CommandId::ReportPdf:
    case CommandId::EditCut:
    case CommandId::Unhandled:
      // Not handled yet by any pane or by the document.
      return activeView_ != nullptr && activeView_->HandlesCommand(id);
    default:
      return true;
  }
}

bool CMainFrame::Allowed(CommandId id) const {
  const Layout layout = CurrentLayout();
  if (InReportGroup(id) && layout != Layout::Report) return false;
  if (InProcessingGroup(id) && layout != Layout::Main) return false;
  if (InMainGroup(id) && layout == Layout::Report) return false;
  switch (id) {
    case CommandId::FileSave:
    case CommandId::FileSaveAs:
    case CommandId::AnalysisOutput:
    case CommandId::ExportLas:
    case CommandId::ExportCsv:
      return doc_.CanSave();
    case CommandId::AutoPick:
      return doc_.display.showWaveforms != 0;
    case CommandId::NextSuspectPick:
    case CommandId::PreviousSuspectPick:
      return doc_.CurrentSection() >= 0;
    case CommandId::EditUndo:
      return history_->Stack()->canUndo();
    case CommandId::EditRedo:
      return history_->Stack()->canRedo();
    case CommandId::DisplaySettings:
      // Off in the data table and in the report, which sets the same mode.
      return doc_.modes.layoutMode != 1;
    default:
      return true;
  }
}

void CMainFrame::UpdateMenusForMode() {
  for (auto& [id, action] : actions_) action->setEnabled(Implemented(id) && Allowed(id));
  Action(CommandId::StandardSl264)->setChecked(doc_.Header().standard == 0);
  Action(CommandId::ToggleToolbar)->setChecked(toolBarsOn_);
  Action(CommandId::ToggleStatusBar)->setChecked(statusBar()->isVisible() || !isVisible());
  Action(CommandId::ToggleSectionBar)->setChecked(!sectionBar_->isHidden());
  Action(CommandId::ToggleAnalysisBar)->setChecked(!analysisBar_->isHidden());
  for (int i = 0; i < recentActions_.size(); ++i) {
    if (recentActions_[i]->text().isEmpty()) recentActions_[i]->setEnabled(false);
  }
}

void CMainFrame::RebuildRecentFileMenu() {
  const std::vector<std::string> entries = recentFiles_.Entries();
  for (int i = 0; i < recentActions_.size(); ++i) {
    QAction* a = recentActions_[i];
    const bool used = i < static_cast<int>(entries.size());
    a->setVisible(used);
    a->setText(used ? QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(entries[i])) : QString());
    a->setData(used ? QString::fromStdString(entries[i]) : QString());
  }
}

void CMainFrame::RefreshViews(unsigned hint) {
  for (CTarnixView* v : findChildren<CTarnixView*>()) v->OnUpdate();
  sectionForm_->Refresh();
  printOutForm_->Refresh();
  ShowCurrentPoint();
  // Moving between points or sections leaves the statistics as they are.
  if (hint != kChangeCurrent) statisticsPanel_->Refresh();
  UpdateMenusForMode();
}

void CMainFrame::ShowCurrentPoint() {
  // The current point at a glance while stepping with Up and Down.
  const SectionRecord* one = doc_.ChannelSection(0);
  const SectionRecord* two = doc_.ChannelSection(1);
  const int i = doc_.CurrentPoint();
  const CSamNode* p = one != nullptr && one->valid ? one->PointAt(i) : nullptr;
  if (p == nullptr || i >= static_cast<int>(one->arrivalTime.size())) {
    pointLabel_->clear();
    return;
  }
  QString text = QString::fromStdString(CFormat("H: %.2fm  T1: %.1fus", p->sourL, one->arrivalTime[i]));
  if (two != nullptr && two->valid && i < static_cast<int>(two->arrivalTime.size())) {
    text += QString::fromStdString(CFormat("  T2: %.1fus", two->arrivalTime[i]));
  }
  pointLabel_->setText(text);
}

void CMainFrame::Execute(CommandId id) {
  QAction* action = Action(id);
  if (action != nullptr && !action->isEnabled()) return;
  if (activeView_ != nullptr && activeView_->OnCommand(id)) return;
  if (!DocumentCommand(id)) FrameCommand(id);
  UpdateMenusForMode();
}

void CMainFrame::OpenFile(const QString& path, bool fromRecentList) {
  if (!doc_.SaveModified()) return;
  const std::string p = path.toStdString();
  if (doc_.OnOpenDocument(p)) {
    doc_.SetPathName(p, true);
  } else if (fromRecentList) {
    recentFiles_.Remove(p);  // an entry that no longer opens leaves the list
  }
  history_->AfterDocumentCommand();
  RebuildRecentFileMenu();
  RefreshViews();
}

bool CMainFrame::DocumentCommand(CommandId id) {
  switch (id) {
    case CommandId::FileNew:
      doc_.OnFileNew();
      // A new document starts a fresh history (unless the user kept the old one).
      if (doc_.PathName().empty() && !doc_.IsModified()) history_->Stack()->clear();
      break;
    case CommandId::FileOpen:
      doc_.OnFileOpen();
      break;
    case CommandId::FileSave:
      doc_.OnFileSave();
      break;
    case CommandId::FileSaveAs:
      doc_.OnFileSaveAs();
      break;
    case CommandId::FileOpenResult:
      doc_.OnFileOpenResult();
      break;
    case CommandId::FileSaveResult:
      doc_.OnFileSaveResult();
      break;
    case CommandId::ExportLas:
    case CommandId::ExportCsv:
      OnExportLog(doc_, id == CommandId::ExportLas ? LogFormat::Las : LogFormat::Csv);
      return true;
    case CommandId::SingleWaveRead:
      OnSingleWaveRead(doc_);
      return true;
    case CommandId::SingleWaveSave:
      OnSingleWaveSave(doc_);
      return true;
    case CommandId::ExportPointWaves:
      OnExportPointWaves(doc_);
      return true;
    case CommandId::StandardSl264:
      Record(history_.get(), ChooseStandardCommand(doc_));
      break;
    case CommandId::ParameterStatus:
      if (doc_.CurrentSection() < 0) {
        doc_.Ui().Message("请先打开文件", MessageButtons::Ok);
      } else {
        Parameter(doc_, this).exec();
      }
      return true;
    case CommandId::DigitalFilter:
      CDlgFilter::Run(doc_, ActiveChannel(), [this] { RefreshViews(); }, history_.get(), this);
      return true;
    case CommandId::TimeCorrection:
      CDlgTimeCorrection::Run(doc_, ActiveChannel(), [this] { RefreshViews(); }, history_.get(), this);
      return true;
    case CommandId::CurveAdjust:
      CDialogAdjust::Run(doc_, [this] { RefreshViews(); }, history_.get(), this);
      return true;
    case CommandId::DisplaySettings: {
      CDlgDisplaySettings dialog(doc_, mainView_->DrawingHeight(), [this] { RefreshViews(); }, this);
      dialog.exec();
      return true;
    }
    case CommandId::PageSetup: {
      CDlgPrintSet dialog(doc_, [this] { RefreshViews(); }, this);
      dialog.exec();
      return true;
    }
    default:
      return false;
  }
  history_->AfterDocumentCommand();
  RebuildRecentFileMenu();
  RefreshViews();
  return true;
}

void CMainFrame::FrameCommand(CommandId id) {
  switch (id) {
    case CommandId::RecentFile1:
    case CommandId::RecentFile2:
    case CommandId::RecentFile3:
    case CommandId::RecentFile4: {
      const QString path = Action(id)->data().toString();
      if (!path.isEmpty()) OpenFile(path, true);
      break;
    }
    case CommandId::Exit:
      close();
      break;
    case CommandId::MergeFiles:
      CDlgCombinFile::Run(doc_, this);
      break;
    case CommandId::ToggleToolbar:
      ToggleToolBar();
      break;
    case CommandId::ToggleStatusBar:
      statusBar()->setVisible(!statusBar()->isVisible());
      break;
    case CommandId::ToggleSectionBar:
      sectionBar_->setVisible(sectionBar_->isHidden());
      break;
    case CommandId::ToggleAnalysisBar:
      analysisBar_->setVisible(analysisBar_->isHidden());
      break;
    case CommandId::AnalysisOutput:
      EnterReport();
      break;
    case CommandId::ToggleDataTable:
    case CommandId::BackToMain:
      ToggleDataTable();
      break;
    case CommandId::AutoPick: {
      std::unique_ptr<Command> picked = AutoPickChannels(doc_);
      if (picked != nullptr) {
        doc_.Ui().SetStatusText(std::to_string(CountSuspectPoints(doc_)) + " 个可疑初至");
      }
      Record(history_.get(), std::move(picked));
      RefreshViews();
      break;
    }
    case CommandId::NextSuspectPick:
    case CommandId::PreviousSuspectPick: {
      const int step = id == CommandId::NextSuspectPick ? 1 : -1;
      const int point = NextSuspectPoint(doc_, doc_.CurrentPoint(), step);
      if (point < 0) {
        doc_.Ui().SetStatusText("没有可疑初至");
        break;
      }
      secView_->ShowPoint(point);
      mainView_->ShowPoint(point);
      RefreshViews();
      break;
    }
    case CommandId::EditUndo:
      history_->Stack()->undo();
      RefreshViews();
      break;
    case CommandId::EditRedo:
      history_->Stack()->redo();
      RefreshViews();
      break;
    case CommandId::ZoomIn:
      // Zoom is the channel-1 pane's: its level-1 row height is the measure.
      if (mainView_->ZoomIn()) RefreshViews();
      break;
    case CommandId::ZoomOut:
      if (mainView_->ZoomOut()) RefreshViews();
      break;
    case CommandId::NextPane:
      CyclePane(1);
      break;
    case CommandId::PreviousPane:
      CyclePane(-1);
      break;
    case CommandId::HelpContents:
      OpenHelp();
      break;
    case CommandId::OnlineUpdate:
      doc_.Ui().Message("已经是最新版本", MessageButtons::Ok);
      break;
    case CommandId::ContactUs:
      OpenContactPage();
      break;
    case CommandId::About:
      ShowAbout();
      break;
    default:
      break;
  }
}

void CMainFrame::EnterReport() {
  if (doc_.modes.reportMode != 1) {
    doc_.TakeProcessingSnapshot();
    SwitchLayout(Layout::Report);
    doc_.modes.reportMode = 1;
  }
  sectionBarBeforeReport_ = !sectionBar_->isHidden();
  sectionBar_->hide();
  analysisBar_->show();
  mainToolBar_->hide();
  reportToolBar_->setVisible(toolBarsOn_);
  doc_.modes.layoutMode = 1;
  UpdateMenusForMode();
}

void CMainFrame::ToggleDataTable() {
  ++doc_.modes.layoutToggles;
  const bool fromReport = doc_.modes.reportMode == 1;
  if (doc_.modes.layoutMode == 1) {
    doc_.modes.layoutMode = 0;
    doc_.modes.reportMode = 0;
    SwitchLayout(Layout::Main);
  } else {
    doc_.modes.layoutMode = 1;
    SwitchLayout(Layout::DataTable);
  }
  mainToolBar_->setVisible(toolBarsOn_);
  reportToolBar_->hide();
  analysisBar_->hide();
  if (fromReport) {
    if (sectionBarBeforeReport_) sectionBar_->show();
    // What the report changed is not kept in the processed test.
    doc_.RestoreProcessingSnapshot();
  }
  doc_.modes.reportMode = 0;
  RefreshViews();
}

void CMainFrame::ToggleToolBar() {
  toolBarsOn_ = !toolBarsOn_;
  QToolBar* bar = CurrentLayout() == Layout::Report ? reportToolBar_ : mainToolBar_;
  bar->setVisible(toolBarsOn_);
}

int CMainFrame::ActiveChannel() const {
  // Only the channel-1 pane opens the processing dialogs on channel 1; the
  // channel-2 pane and the analysis pane (which shows the pair) on channel 2.
  return activeView_ == mainView_ ? 0 : 1;
}

void CMainFrame::CyclePane(int step) {
  const QList<CTarnixView*> panes = LayoutPanes();
  const int at = std::max(0, static_cast<int>(panes.indexOf(activeView_)));
  CTarnixView* next = panes[(at + step + panes.size()) % panes.size()];
  next->setFocus(Qt::TabFocusReason);
  activeView_ = next;
}

void CMainFrame::OpenHelp() {
  // The guide sits beside the program in the build, in the data folder once installed.
  const QString bin = QCoreApplication::applicationDirPath();
  QString path = bin + "/help/index.html";
  if (!QFileInfo::exists(path) && QFileInfo::exists(bin + "/../share/tarnix/help/index.html")) {
    path = QFileInfo(bin + "/../share/tarnix/help/index.html").canonicalFilePath();
  }
  if (!QFileInfo::exists(path)) {
    doc_.Ui().Message("找不到帮助文档：" + path.toStdString(), MessageButtons::Ok);
  } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    // No browser to hand it to: the program shows it itself.
    (new CHelpWindow(path, this))->show();
  }
}

void CMainFrame::OpenContactPage() {
  // The address is configured in the application's settings ("Contact/Url").
  const QString url = QSettings().value("Contact/Url", "https://tarnix.example.com/contact").toString();
  if (!QDesktopServices::openUrl(QUrl(url))) {
    doc_.Ui().Message("无法打开网页浏览器：" + url.toStdString(), MessageButtons::Ok);
  }
}

void CMainFrame::ShowAbout() {
  QDialog about(this);
  about.setWindowTitle(QStringLiteral("关于 Tarnix"));
  auto* layout = new QVBoxLayout(&about);
  layout->addWidget(new QLabel(QString::fromUtf8(kProductLine)));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
  layout->addWidget(buttons);
  about.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  switch (doc_.QueryFrameClose(printPreviewShown)) {
    case FrameClose::Close:
      event->accept();
      break;
    case FrameClose::ClosePreviewOnly:
      printPreviewShown = false;
      event->ignore();
      break;
    case FrameClose::Stay:
      event->ignore();
      break;
  }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      OpenFile(url.toLocalFile());
      event->acceptProposedAction();
      return;
    }
  }
}

}  // namespace tarnix

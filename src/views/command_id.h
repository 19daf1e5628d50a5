#pragma once
// Every command of the menus, toolbars and accelerators.

namespace tarnix {

enum class CommandId {
  // 文件
  FileNew,
  FileOpen,
  FileSave,
  FileOpenResult,
  FileSaveResult,
  FileSaveAs,
  SingleWaveRead,
  SingleWaveSave,
  ExportPointWaves,
  MergeFiles,
  ExportLas,
  ExportCsv,
  Print,
  PrintPreview,
  PageSetup,
  PrinterSetup,
  RecentFile1,
  RecentFile2,
  RecentFile3,
  RecentFile4,
  Exit,
  // 设置
  ParameterStatus,
  DisplaySettings,
  StandardSl264,
  // 视图
  ToggleToolbar,
  ToggleStatusBar,
  ToggleSectionBar,
  ToggleAnalysisBar,
  ToggleDataTable,
  // 波形处理
  DigitalFilter,
  TimeCorrection,
  CurveAdjust,
  ZoomIn,
  ZoomOut,
  NextSuspectPick,
  PreviousSuspectPick,
  // 工具
  CopyWave,
  PasteWave,
  AutoPick,
  AnalysisOutput,
  // 分析与输出
  ExportExcel,
  ReportWord,
  ReportBmp,
  ReportPdf,
  BackToMain,
  // 帮助
  HelpContents,
  OnlineUpdate,
  ContactUs,
  About,
  // The edit menu
  EditUndo,
  EditRedo,
  // Accelerators without a menu entry
  EditCut,
  NextPane,
  PreviousPane,
  Unhandled,
};

}  // namespace tarnix

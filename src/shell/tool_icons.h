#pragma once
// The toolbar pictures: one consistent 32 x 32 set drawn in code, each with a
// normal, a hot (mouse over) and a disabled state.
#include <QIcon>

namespace tarnix {

enum class ToolIcon {
  Open,
  OpenResult,
  Save,
  SaveResult,
  DisplaySettings,
  DataTable,
  AutoPick,
  CurveAdjust,
  AnalysisOutput,
  About,
  ExportExcel,
  ReportWord,
  ReportBmp,
  PageSetup,
  PrintPreview,
  Print,
  BackToMain,
};

// QIcon with Normal, Active (hot) and Disabled pixmaps of 32 x 32.
QIcon MakeToolIcon(ToolIcon which);

}  // namespace tarnix

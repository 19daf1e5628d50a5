#pragma once
// "导出到EXCEL": the measurement table of the current receiver pair into a new
// workbook of the spreadsheet server "Excel.Application", through the calls
// and member ids the real application answers to (the call order is the
// contract). With the in-process servers the workbook becomes a real .xlsx.
#include <array>
#include <string>
#include <vector>

#include "analysis/algorithm.h"
#include "document/tarnix_doc.h"
#include "platform/automation/office_servers.h"

namespace tarnix {

inline constexpr int kExcelColumns = 8;
using ExcelRow = std::array<std::string, kExcelColumns>;

// The sheet as its texts: the header row, then one row per point of the
// evaluated range `firstIndex`..`lastIndex`, row k holding point `lastIndex`
// − k (the shallowest first, numbered from 0), as the data table lists them.
// A point receiver 2 lacks has empty L2, T2 and T cells and Vp "0".
std::vector<ExcelRow> ExcelSheetTexts(const Receivers& pair);

// How an export ended; every outcome but Done has its message.
enum class ExcelOutcome { Done, NoDocument, NoServer, NoWorkbook, NoSheet, NoRange };
const char* ExcelMessage(ExcelOutcome outcome);

// The thin client holding the automation references for one export; they are
// released when it goes, which is when an in-process server writes its file.
class OfficeExcel {
 public:
  explicit OfficeExcel(automation::ServerFactory& factory) : factory_(factory) {}
  ~OfficeExcel() { Release(); }
  OfficeExcel(const OfficeExcel&) = delete;
  OfficeExcel& operator=(const OfficeExcel&) = delete;

  // The calls of one export: server, workbook, sheet, cells column by column,
  // visible. The server is told to quit only when no workbook could be made.
  ExcelOutcome Export(const std::vector<ExcelRow>& texts);
  void Release();

 private:
  automation::ServerFactory& factory_;
  automation::DispatchPtr app_, books_, book_, sheets_, sheet_, range_;
};

// The command: the pair's texts exported under the wait cursor, then at most
// one message.
ExcelOutcome ExportExcel(const Receivers& pair, automation::ServerFactory& factory, UiServices& ui);

// The command for the pair whose first receiver is `section`, with the
// in-process servers writing where `output` says. A failed write is shown
// unless the export showed its message already; `written` hears of every file
// written (the desktop opens the visible ones). True when the sheet was filled
// and written.
bool ExportExcelFile(CTarnixDoc& doc, int section, const automation::OfficeOutput& output,
                     const automation::FinishedFn& written);

}  // namespace tarnix

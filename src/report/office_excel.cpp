#include "report/office_excel.h"

#include <algorithm>
#include <cmath>

#include "analysis/pair_readout.h"
#include "analysis/point_velocity.h"
#include "base/c_text.h"
#include "platform/automation/excel_server.h"
#include "report/office_run.h"

namespace tarnix {
namespace {

using namespace automation;
using namespace automation::excel;

const char* const kHeaders[kExcelColumns] = {"测点序号", "深度\nm",  "L1\nmm",     "T1\nus",
                                             "L2\nmm",   "T2\nus",   "声时差\nus", "波速差\nkm/s"};

float ArrivalAt(const SectionRecord& s, int i) {
  return i >= 0 && i < static_cast<int>(s.arrivalTime.size()) ? s.arrivalTime[i] : 0.0f;
}

ExcelRow RowOf(const SectionRecord& one, const SectionRecord& two, int i, int number) {
  ExcelRow row;
  const CSamNode* p1 = one.PointAt(i);
  const CSamNode* p2 = two.PointAt(i);
  const float t1 = ArrivalAt(one, i);
  row[0] = CFormat("%d", number);
  row[1] = CFormat("%.2f", PointDepth(one, i));
  row[2] = CFormat("%.0f", (p1 != nullptr ? p1->span : 0.0f) * 1000.0);
  row[3] = CFormat("%.1f", t1);
  // Receiver 2 may hold fewer points: its missing point stays empty.
  const bool second = p2 != nullptr && i < static_cast<int>(two.arrivalTime.size());
  if (second) {
    const float t2 = two.arrivalTime[i];
    row[4] = CFormat("%.0f", p2->span * 1000.0);
    row[5] = CFormat("%.1f", t2);
    row[6] = CFormat("%.1f", std::fabs(static_cast<double>(t1) - t2));
    // |L1 − L2| · 1000 / |T1 − T2| in single precision, as the Vp curve has it.
    row[7] = t1 == t2 ? "0" : CFormat("%.3f", PointVp(one, two, i));
  } else {
    row[7] = "0";
  }
  return row;
}

}  // namespace

std::vector<ExcelRow> ExcelSheetTexts(const Receivers& pair) {
  std::vector<ExcelRow> rows;
  ExcelRow header;
  std::copy(std::begin(kHeaders), std::end(kHeaders), header.begin());
  rows.push_back(header);
  if (pair.first == nullptr || pair.second == nullptr) return rows;
  const SectionRecord& one = *pair.first;
  const int last = std::min(one.lastIndex, one.PointCount() - 1);
  const int first = std::max(one.firstIndex, 0);
  for (int i = last; i >= first; --i) rows.push_back(RowOf(one, *pair.second, i, last - i));
  return rows;
}

const char* ExcelMessage(ExcelOutcome outcome) {
  switch (outcome) {
    case ExcelOutcome::NoDocument:
      return "请先打开文件!";
    case ExcelOutcome::NoServer:
      return "创建Excel服务失败!";
    case ExcelOutcome::NoWorkbook:
      return "新建Excel文件失败!";
    case ExcelOutcome::NoSheet:
      return "获取sheet失败!";
    case ExcelOutcome::NoRange:
      return "获取range失败!";
    default:
      return "";
  }
}

void OfficeExcel::Release() {
  range_.reset();
  sheet_.reset();
  sheets_.reset();
  book_.reset();
  books_.reset();
  app_.reset();
}

ExcelOutcome OfficeExcel::Export(const std::vector<ExcelRow>& texts) {
  app_ = factory_.Create("Excel.Application");
  if (app_ == nullptr) return ExcelOutcome::NoServer;
  books_ = AsObject(Get(app_, kWorkbooks));
  if (books_ != nullptr) book_ = AsObject(Call(books_, kAdd, {Missing{}}));
  if (book_ == nullptr) {
    Call(app_, kQuit);
    Release();
    return ExcelOutcome::NoWorkbook;
  }
  ExcelOutcome outcome = ExcelOutcome::Done;
  sheets_ = AsObject(Get(book_, kWorksheets));
  sheet_ = AsObject(Get(sheets_, kItem, {std::string("sheet1")}));
  if (sheet_ == nullptr) {
    outcome = ExcelOutcome::NoSheet;
  } else {
    range_ = AsObject(Get(sheet_, kCells));
    if (range_ == nullptr) outcome = ExcelOutcome::NoRange;
  }
  if (outcome == ExcelOutcome::Done) {
    Put(range_, kColumnWidth, std::int32_t{9});
    for (int column = 0; column < kExcelColumns; ++column) {
      for (size_t row = 0; row < texts.size(); ++row) {
        Put(range_, kItem, {static_cast<std::int32_t>(row + 1), std::int32_t{column + 1}}, texts[row][column]);
      }
    }
  }
  // Left open and visible for the user, whatever became of the sheet.
  Put(app_, kVisible, true);
  Release();
  return outcome;
}

ExcelOutcome ExportExcel(const Receivers& pair, ServerFactory& factory, UiServices& ui) {
  ExcelOutcome outcome = ExcelOutcome::NoDocument;
  if (pair.first != nullptr && pair.second != nullptr && pair.first->valid && pair.second->valid) {
    const WaitCursor wait(ui);
    outcome = OfficeExcel(factory).Export(ExcelSheetTexts(pair));
  }
  if (outcome != ExcelOutcome::Done) ui.Message(ExcelMessage(outcome), MessageButtons::Ok);
  return outcome;
}

bool ExportExcelFile(CTarnixDoc& doc, int section, const OfficeOutput& output, const FinishedFn& written) {
  // At most one message per export.
  return RunOfficeExport(output, doc.Ui(), written, true, [&](ServerFactory& servers) {
    return ExportExcel(ReceiversAt(doc.AllSections(), section), servers, doc.Ui()) == ExcelOutcome::Done;
  });
}

}  // namespace tarnix

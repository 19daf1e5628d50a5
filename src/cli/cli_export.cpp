// tarnix-cli export: a receiver pair as the workbook of "导出到EXCEL" (the same
// automation calls, answered by the in-process server), its per-depth log as
// LAS 2.0 or CSV, as "导出LAS" and "导出CSV" write it, or the word-processor
// report as "报告输出到WORD" makes it.
#include <cstdlib>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/gui_application.h"
#include "document/log_exports.h"
#include "report/office_excel.h"
#include "report/word_report.h"

namespace tarnix::cli {

int RunExport(const Args& args) {
  std::string in, out;
  bool xlsx = false;
  bool docx = false;
  LogFormat format = LogFormat::Las;
  int section = -1;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool output = a == "--xlsx" || a == "--las" || a == "--csv" || a == "--docx";
    if ((output || a == "--section") && i + 1 >= args.size()) return UsageError("export: " + a + " needs a value");
    if (output) {
      if (!out.empty()) return UsageError("export: one output at a time");
      xlsx = a == "--xlsx";
      docx = a == "--docx";
      format = a == "--las" ? LogFormat::Las : LogFormat::Csv;
      out = args[++i];
    } else if (a == "--section") {
      char* end = nullptr;
      const long s = std::strtol(args[++i].c_str(), &end, 10);
      if (*end != '\0' || s < 0 || s >= kSectionCount) return UsageError("export: --section takes 0 to 9");
      section = static_cast<int>(s);
    } else if (!a.empty() && a[0] != '-' && in.empty()) {
      in = a;
    } else {
      return UsageError("export: unexpected argument '" + a + "'");
    }
  }
  if (in.empty() || out.empty()) {
    return UsageError("export needs IN and --xlsx OUT.xlsx, --las OUT.las, --csv OUT.csv or --docx OUT.docx");
  }
  if (docx && section >= 0) return UsageError("export: --section goes with --xlsx, --las or --csv");
  // The report's pictures are drawn with fonts.
  const auto app = docx ? MakeGuiApplication() : nullptr;
  CliDocument opened;
  if (!opened.Open(in)) return 1;
  opened.ui.SetSubject(out);
  const automation::OfficeOutput file{out, "", ""};
  if (docx && opened.doc.CurrentSection() < 0) {
    // The desktop's command does nothing without a section; here that is a failure to tell.
    opened.doc.Ui().Message(kNothingToReport, MessageButtons::Ok);
    return 1;
  }
  if (docx) return ReportToWordFile(opened.doc, file, nullptr) ? 0 : 1;
  const int pair = section >= 0 ? section : opened.doc.CurrentSection();
  if (xlsx) return ExportExcelFile(opened.doc, pair, file, nullptr) ? 0 : 1;
  return ExportLog(opened.doc, pair, out, format) ? 0 : 1;
}

}  // namespace tarnix::cli

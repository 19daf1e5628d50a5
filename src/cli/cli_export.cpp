// tarnix-cli export: a receiver pair as the workbook of "导出到EXCEL" (the same
// automation calls, answered by the in-process server), or its per-depth log
// as LAS 2.0 or CSV, as "导出LAS" and "导出CSV" write it.
#include <cstdlib>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "document/log_exports.h"
#include "report/office_excel.h"

namespace tarnix::cli {

int RunExport(const Args& args) {
  std::string in, out;
  bool xlsx = false;
  LogFormat format = LogFormat::Las;
  int section = -1;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool takesValue = a == "--xlsx" || a == "--las" || a == "--csv" || a == "--section";
    if (takesValue && i + 1 >= args.size()) return UsageError("export: " + a + " needs a value");
    if (a == "--xlsx" || a == "--las" || a == "--csv") {
      if (!out.empty()) return UsageError("export: one output at a time");
      xlsx = a == "--xlsx";
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
  if (in.empty() || out.empty()) return UsageError("export needs IN and --xlsx OUT.xlsx, --las OUT.las or --csv OUT.csv");
  CliDocument opened;
  if (!opened.Open(in)) return 1;
  opened.ui.SetSubject(out);
  const int pair = section >= 0 ? section : opened.doc.CurrentSection();
  if (xlsx) return ExportExcelFile(opened.doc, pair, automation::OfficeOutput{out, "", ""}, nullptr) ? 0 : 1;
  return ExportLog(opened.doc, pair, out, format) ? 0 : 1;
}

}  // namespace tarnix::cli

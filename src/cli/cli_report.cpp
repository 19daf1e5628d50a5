// tarnix-cli report: the report's pages of a test as a PDF, as the desktop's
// "报告输出到PDF" writes them, or as one 1-bit bitmap per page as
// "报告输出到BMP" does, for batch reports without a display.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/gui_application.h"
#include "cli/report_files.h"
#include "report/report_job.h"

namespace tarnix::cli {
namespace {

bool ParseKinds(const std::string& text, PageKinds& kinds) {
  if (text == "report") kinds = {false, false, true};
  else if (text == "curve") kinds = {true, false, false};
  else if (text == "wave") kinds = {false, true, false};
  else if (text == "all") kinds = {true, true, true};
  else return false;
  return true;
}

}  // namespace

int RunReport(const Args& args) {
  std::string in, out, bmpDir;
  PageKinds kinds{false, false, true};
  bool kindsGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--pdf" && i + 1 < args.size()) {
      out = args[++i];
    } else if (a == "--bmp" && i + 1 < args.size()) {
      bmpDir = args[++i];
    } else if (a == "--pages" && i + 1 < args.size()) {
      if (!ParseKinds(args[++i], kinds)) return UsageError("report: --pages takes report, curve, wave or all");
      kindsGiven = true;
    } else if (!a.empty() && a[0] != '-' && in.empty()) {
      in = a;
    } else {
      return UsageError("report: unexpected argument '" + a + "'");
    }
  }
  if (in.empty() || out.empty() == bmpDir.empty()) return UsageError("report needs IN and --pdf OUT.pdf or --bmp DIR");
  const auto app = MakeGuiApplication();
  CliDocument cli;
  if (!cli.Open(in)) return 1;
  if (!kindsGiven) kinds = DefaultPageKinds(cli.doc);
  const ReportSource source(cli.doc);
  if (!bmpDir.empty()) {
    std::vector<std::string> written;
    std::string failed;
    const bool ok = WriteReportBitmaps(bmpDir, source, kinds, written, failed);
    for (const std::string& path : written) std::printf("%s\n", path.c_str());
    if (!ok) {
      std::fprintf(stderr, "tarnix-cli: cannot write %s\n", failed.c_str());
      return 1;
    }
    std::printf("%zu pages\n", written.size());
    return 0;
  }
  QString error;
  if (!WriteReportPdf(QString::fromStdString(out), source, kinds, error)) {
    std::fprintf(stderr, "tarnix-cli: %s\n", error.toStdString().c_str());
    return 1;
  }
  const Pagination pages = PaginateJob(PdfPrinterMetrics(), source, kinds);
  std::printf("%s: %d pages (%d curve, %d wave-train, %d report)\n", out.c_str(), pages.Total(), pages.curvePages,
              pages.wavePages, pages.reportPages);
  return 0;
}

}  // namespace tarnix::cli

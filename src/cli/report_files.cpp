#include "cli/report_files.h"

#include <filesystem>

#include "cli/cli_document.h"
#include "formats/file_error.h"
#include "report/report_bitmap.h"

namespace tarnix::cli {

PageKinds DefaultPageKinds(const CTarnixDoc& doc) {
  return SettingsFile().empty() ? PageKinds{false, false, true} : KindsOf(doc.pageSetup);
}

bool WriteReportBitmaps(const std::string& dir, const ReportSource& source, PageKinds kinds,
                        std::vector<std::string>& written, std::string& failed) {
  const PrinterMetrics m = PdfPrinterMetrics();
  const Pagination pages = PaginateJob(m, source, kinds);
  for (int page = 0; page < pages.Total(); ++page) {
    const std::string path = (std::filesystem::path(dir) / ReportBitmapPageName(source.header, page)).string();
    try {
      WriteMonoBitmap(path, RenderReportPageBitmap(m, pages, source, page));
    } catch (const FileError&) {
      failed = path;
      return false;
    }
    written.push_back(path);
  }
  return true;
}

}  // namespace tarnix::cli

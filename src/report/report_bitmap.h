#pragma once
// "报告输出到BMP": each page of the print job drawn at one fifth of the
// printer's resolution into a 1-bit bitmap with a 5-pixel white border.
#include <string>

#include "formats/mono_bitmap.h"
#include "report/report_job.h"

namespace tarnix {

inline constexpr int kBitmapReduction = 5;
inline constexpr int kBitmapBorder = 5;

// Page `page` of the job as printed (header block, content, frame).
MonoBitmap RenderReportPageBitmap(const PrinterMetrics& m, const Pagination& pages, const ReportSource& source,
                                  int page);

// The file name the desktop proposes for every page: the hole number.
std::string ReportBitmapName(const TestHeader& header);
// The same with the 1-based page number, for writing all pages unasked.
std::string ReportBitmapPageName(const TestHeader& header, int page);

}  // namespace tarnix

#pragma once
// Pages of the print job as 1-bit bitmaps with a 5-pixel white border: at one
// fifth of the printer's resolution for "报告输出到BMP", and at its full
// resolution for the pictures of the word-processor report.
#include <string>

#include "formats/mono_bitmap.h"
#include "report/report_job.h"

namespace tarnix {

inline constexpr int kBitmapReduction = 5;
inline constexpr int kBitmapBorder = 5;

// Page `page` of the job as printed (header block, content, frame).
MonoBitmap RenderReportPageBitmap(const PrinterMetrics& m, const Pagination& pages, const ReportSource& source,
                                  int page);

// The width of the pictures of the word-processor report, printer pixels.
inline constexpr int kWordPictureWidth = 4000;

// Page `page` for the word-processor report, whose table holds the project
// texts: only the page content, at printer resolution in a rectangle
// kWordPictureWidth wide, with the top 6/50 of the page, where the header
// block stands, cut off.
MonoBitmap RenderWordPageBitmap(const Pagination& pages, const ReportSource& source, int page);

// The file name the desktop proposes for every page: the hole number.
std::string ReportBitmapName(const TestHeader& header);
// The same with the 1-based page number, for writing all pages unasked.
std::string ReportBitmapPageName(const TestHeader& header, int page);

}  // namespace tarnix

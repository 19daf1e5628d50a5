#pragma once
// One page of a print job, of each kind, in printer pixels: the report page
// (header block, column band and body), the curve page, the wave-train page,
// and what every page carries (gutter line, header, footer, page number,
// outer frame).
#include <QPainter>
#include <QRect>

#include "model/test_header.h"
#include "report/report_pagination.h"
#include "report/report_source.h"

namespace tarnix {

// The project information block in format 0 ("格式1") or 1 ("格式2").
void DrawHeaderBlock(QPainter& p, const QRect& block, int format, const TestHeader& header);

// Without the header block for the word-processor report, whose table holds it.
void DrawReportPage(QPainter& p, const Pagination& pages, const ReportSource& source, int reportPage,
                    bool headerBlock);
void DrawCurvePage(QPainter& p, const Pagination& pages, const ReportSource& source, int curvePage);
void DrawWavePage(QPainter& p, const Pagination& pages, const ReportSource& source, int wavePage);
void DrawPageFurniture(QPainter& p, const Pagination& pages, const PrinterMetrics& m, const PageSetup& setup,
                       int page);

// What page p of the job shows, whatever its kind, without furniture and frame.
void DrawPageContent(QPainter& p, const Pagination& pages, const ReportSource& source, int page, bool headerBlock);
// Page p as printed.
void DrawPage(QPainter& p, const Pagination& pages, const PrinterMetrics& m, const ReportSource& source, int page);

}  // namespace tarnix

#pragma once
// A print job of the report into any paged device (printer, print preview,
// PDF): paginated with the device's own metrics.
#include <QPagedPaintDevice>
#include <QString>
#include <functional>

#include "report/report_pagination.h"
#include "report/report_source.h"

namespace tarnix {

// The kinds of page a job holds; the page settings choose them in the desktop.
struct PageKinds {
  bool curve = true;
  bool wave = false;
  bool report = false;
};
PageKinds KindsOf(const PageSetup& setup);

PrinterMetrics DeviceMetrics(const QPaintDevice& device);
// The metrics pagination uses without a printer: a PDF of A4 at 600 dpi, so
// that the page count is the same on every machine.
PrinterMetrics PdfPrinterMetrics();

Pagination PaginateJob(const PrinterMetrics& m, const ReportSource& source, PageKinds kinds);

// Told before each page (pages done, pages in all); false stops the job.
using PageProgress = std::function<bool(int done, int total)>;
// The job was stopped through its progress.
inline constexpr int kJobCancelled = -2;

// Draws every page of the job; the number of pages written, -1 when the
// device cannot be painted on, kJobCancelled when stopped.
int PrintReport(QPagedPaintDevice& device, const ReportSource& source, PageKinds kinds,
                const PageProgress& progress = {});

// A PDF of A4 at 600 dpi with the job's pages; false with `error` when the
// file cannot be written, false with an empty `error` when stopped (no file
// is left then).
bool WriteReportPdf(const QString& path, const ReportSource& source, PageKinds kinds, QString& error,
                    const PageProgress& progress = {});

}  // namespace tarnix

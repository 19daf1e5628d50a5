#include "report/report_job.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>

#include "report/report_pages.h"
#include "report/report_table.h"

namespace tarnix {
namespace {

constexpr int kPdfResolution = 600;

void SetUpPdf(QPdfWriter& writer) {
  writer.setResolution(kPdfResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  writer.setCreator(QStringLiteral("Tarnix"));
}

}  // namespace

PageKinds KindsOf(const PageSetup& s) { return {s.printCurvePages != 0, s.printWaveTrainPages != 0, s.printReportPages != 0}; }

PrinterMetrics DeviceMetrics(const QPaintDevice& device) {
  return {device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
}

PrinterMetrics PdfPrinterMetrics() {
  QBuffer sink;
  QPdfWriter writer(&sink);
  SetUpPdf(writer);
  return DeviceMetrics(writer);
}

Pagination PaginateJob(const PrinterMetrics& m, const ReportSource& source, PageKinds kinds) {
  PageSetup setup = source.setup;
  setup.printCurvePages = kinds.curve;
  setup.printWaveTrainPages = kinds.wave;
  setup.printReportPages = kinds.report;
  return Paginate(m, setup, source.Extent());
}

void DrawReportPage(QPainter& p, const Pagination& pages, const ReportSource& source, int r, bool headerBlock) {
  const PrintableArea& a = pages.area;
  const ReportBands bands = LayoutReportBands(a.height, source.setup.headerBlockFormat);
  if (headerBlock) {
    DrawHeaderBlock(p, QRect(a.left, a.top, a.width, bands.headerHeight), source.setup.headerBlockFormat,
                    source.header);
  }
  const TableFrame frame = PaperTableFrame(pages, source, r);
  DrawColumnBand(p, frame, source);
  DrawTableBody(p, frame, source);
}

void DrawPageContent(QPainter& p, const Pagination& pages, const ReportSource& source, int page, bool headerBlock) {
  int index = 0;
  switch (pages.KindOf(page, index)) {
    case PageKind::Curve:
      DrawCurvePage(p, pages, source, index);
      break;
    case PageKind::WaveTrain:
      DrawWavePage(p, pages, source, index);
      break;
    case PageKind::Report:
      DrawReportPage(p, pages, source, index, headerBlock);
      break;
  }
}

void DrawPage(QPainter& p, const Pagination& pages, const PrinterMetrics& m, const ReportSource& source, int page) {
  DrawPageFurniture(p, pages, m, source.setup, page);
  DrawPageContent(p, pages, source, page, true);
  const PrintableArea& a = pages.area;
  if (a.width > 0 && a.height > 0) {
    p.setPen(QPen(Qt::black, source.BorderWidth()));
    p.setBrush(Qt::NoBrush);
    p.drawRect(a.left, a.top, a.width, a.height);
  }
}

int PrintReport(QPagedPaintDevice& device, const ReportSource& source, PageKinds kinds,
                const PageProgress& progress) {
  const PrinterMetrics m = DeviceMetrics(device);
  const Pagination pages = PaginateJob(m, source, kinds);
  if (pages.Total() == 0) return 0;
  QPainter painter(&device);
  if (!painter.isActive()) return -1;
  for (int page = 0; page < pages.Total(); ++page) {
    if (progress && !progress(page, pages.Total())) return kJobCancelled;
    if (page > 0) device.newPage();
    DrawPage(painter, pages, m, source, page);
  }
  painter.end();
  return pages.Total();
}

bool WriteReportPdf(const QString& path, const ReportSource& source, PageKinds kinds, QString& error,
                    const PageProgress& progress) {
  // Written beside and renamed, so that a failed job leaves an older file whole.
  const QString staging = path + QStringLiteral(".part");
  int written = 0;
  {
    QPdfWriter writer(staging);
    SetUpPdf(writer);
    written = PrintReport(writer, source, kinds, progress);
  }
  std::error_code failed;
  if (written > 0) std::filesystem::rename(staging.toStdString(), path.toStdString(), failed);
  if (written <= 0 || failed) {
    QFile::remove(staging);
    error = written == kJobCancelled ? QString()
            : written == 0           ? QStringLiteral("没有可输出的页")
                                     : QStringLiteral("无法写入文件：") + path;
    return false;
  }
  return true;
}

}  // namespace tarnix

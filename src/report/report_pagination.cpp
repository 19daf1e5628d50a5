#include "report/report_pagination.h"

#include <algorithm>
#include <cmath>

namespace tarnix {
namespace {

int MmToPixels(double mm, int dpi) { return static_cast<int>(mm * kInchPerMm * dpi); }

// Pages of `length` pixels each that cover A; none when a page holds no pixel.
int PagesCovering(int pageLength, int perPage) {
  if (pageLength <= 0 || perPage <= 0) return 0;
  return pageLength / perPage + (pageLength % perPage != 0 ? 1 : 0);
}

}  // namespace

PrintableArea ComputePrintableArea(const PrinterMetrics& m, const PageSetup& s) {
  PrintableArea a;
  a.left = MmToPixels(s.leftMargin, m.dpiX);
  a.top = MmToPixels(s.topMargin, m.dpiY);
  a.width = static_cast<int>(m.horzRes - (s.leftMargin + s.rightMargin) * kInchPerMm * m.dpiX);
  a.height = static_cast<int>(m.vertRes - (s.topMargin + s.bottomMargin) * kInchPerMm * m.dpiY);
  return a;
}

int TracesPerWavePage(int paging, int pointCount, float move) {
  if (paging == 0) return std::max(pointCount, 0);
  if (!(move > 0.0f)) return 0;
  // Single precision, so that 20 m at 0.2 m gives 100 traces and not 99.
  const float span = paging == 1 ? 20.0f : 30.0f;
  const float traces = span / move;
  return traces >= 1.0f && traces < 1e6f ? static_cast<int>(traces) : 0;
}

PageKind Pagination::KindOf(int page, int& indexInKind) const {
  if (page < curvePages) {
    indexInKind = page;
    return PageKind::Curve;
  }
  if (page < curvePages + wavePages) {
    indexInKind = page - curvePages;
    return PageKind::WaveTrain;
  }
  indexInKind = page - curvePages - wavePages;
  return PageKind::Report;
}

Pagination Paginate(const PrinterMetrics& m, const PageSetup& setup, const HoleExtent& hole) {
  Pagination p;
  p.area = ComputePrintableArea(m, setup);
  const int h = p.area.height;
  if (hole.ruler > 0 && hole.depth > 0.0f) {
    // Single precision, as the length has always been taken: 19.9 m at 1:100 is 199 mm.
    p.holeMm = static_cast<int>(hole.depth * 1000.0f / static_cast<float>(hole.ruler));
    p.pageLength = static_cast<int>(p.holeMm * kInchPerMm * m.dpiY);
  }
  const int a = p.pageLength;

  // Each curve page shows 41/50 H and each report page 19/25 H of depth while
  // the counts use 0.86 H and 0.76 H: the pages are as many as either needs,
  // so that the bottom of the hole is always printed.
  const int curveShown = h > 0 ? h * 41 / 50 : 0;
  const int reportShown = h > 0 ? h * 19 / 25 : 0;
  const int x86 = static_cast<int>(kCurvePageFactor * h);
  const int x76 = static_cast<int>(kReportPageFactor * h);
  if (setup.printCurvePages != 0 && x86 > 0) {
    p.curvePages = std::max(PagesCovering(a, x86), PagesCovering(a, curveShown));
  }
  if (setup.printReportPages != 0 && x76 > 0 && a > 0) {
    const int counted = static_cast<int>(a / (kReportPageFactor * h)) + (a % x76 != 0 ? 1 : 0);
    p.reportPages = std::max(counted, PagesCovering(a, reportShown));
  }
  if (a > 0) {
    p.depthPerCurvePage = static_cast<double>(hole.depth) * curveShown / a;
    p.depthPerReportPage = static_cast<double>(hole.depth) * reportShown / a;
  }

  p.tracesPerPage = TracesPerWavePage(setup.waveTrainPaging, hole.pointCount, hole.move);
  if (setup.printWaveTrainPages != 0) {
    const int span = static_cast<int>(std::fabs(hole.firstPointDepth - hole.lastPointDepth));
    int pages = 1;
    if (setup.waveTrainPaging == 1) pages = (span + 19) / 20;
    if (setup.waveTrainPaging == 2) pages = (span + 29) / 30;
    // The span is in whole metres: the traces of the deepest points need their page too.
    if (p.tracesPerPage > 0) pages = std::max(pages, PagesCovering(hole.pointCount, p.tracesPerPage));
    p.wavePages = std::max(pages, 1);
  }
  return p;
}

double ScreenHoleLength(float depth, int32_t ruler, double dpiY) {
  if (ruler <= 0) return 0.0;
  const double scale = ruler / 100.0;
  return depth * 10.0 / scale * dpiY / 25.4;
}

}  // namespace tarnix

#pragma once
// How a print job is cut into pages: the printable area from the margins, the
// hole's length on paper and the page counts of the three kinds. Pure numbers,
// so that the count is the same on screen, printer, preview, PDF and CLI.
#include <cstdint>

#include "model/page_setup.h"

namespace tarnix {

// The fractions 0.76 and 0.86 of the printable height by which pages are
// counted, as the single-precision values the counts have always used (one
// step below the nearest floats).
inline constexpr float kReportPageFactor = 0.7599999308586121f;
inline constexpr float kCurvePageFactor = 0.85999995470047f;
// Millimetres to inches as the printed layout has always used it (not 1/25.4).
inline constexpr double kInchPerMm = 0.03937;

// What pagination needs of the output device.
struct PrinterMetrics {
  int horzRes = 0;  // pixels
  int vertRes = 0;
  int dpiX = 600;
  int dpiY = 600;
};

struct PrintableArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

PrintableArea ComputePrintableArea(const PrinterMetrics& m, const PageSetup& setup);

// What pagination needs of the hole.
struct HoleExtent {
  float depth = 0.0f;     // D, m
  int32_t ruler = 100;    // N of the scale 1:N
  float firstPointDepth = 0.0f;  // the section's measured points, deepest and shallowest
  float lastPointDepth = 0.0f;
  int pointCount = 0;
  float move = 0.0f;       // point spacing, m
};

enum class PageKind { Curve, WaveTrain, Report };

struct Pagination {
  PrintableArea area;
  int holeMm = 0;      // L: the hole's length on paper
  int pageLength = 0;  // A: the same in printer pixels
  int curvePages = 0;
  int wavePages = 0;
  int reportPages = 0;
  int tracesPerPage = 0;  // T of the wave-train pages; 0 draws no trace
  double depthPerCurvePage = 0.0;   // m
  double depthPerReportPage = 0.0;

  int Total() const { return curvePages + wavePages + reportPages; }
  // The kind of page p of the job and its index among the pages of its kind.
  PageKind KindOf(int page, int& indexInKind) const;
};

// Traces per wave-train page for the paging of the page settings (whole hole,
// 20 m or 30 m per page); 0 when the spacing gives none.
int TracesPerWavePage(int paging, int pointCount, float move);

Pagination Paginate(const PrinterMetrics& m, const PageSetup& setup, const HoleExtent& hole);

// Screen pixels of the hole's length at the scale 1:N; the scale enters as
// N / 100 in floating point, so that 1:20 and 1:50 do not divide by zero.
double ScreenHoleLength(float depth, int32_t ruler, double dpiY);

}  // namespace tarnix

#include "report/report_bitmap.h"

#include <algorithm>
#include <string_view>

#include "render/mono_image.h"
#include "report/report_pages.h"

namespace tarnix {

MonoBitmap RenderReportPageBitmap(const PrinterMetrics& m, const Pagination& pages, const ReportSource& source,
                                  int page) {
  const PrintableArea& a = pages.area;
  const auto reduced = [](int v) { return static_cast<int>(v / static_cast<double>(kBitmapReduction) + 0.5); };
  QImage image = BlankGreyImage(reduced(a.width) + 2 * kBitmapBorder, reduced(a.height) + 2 * kBitmapBorder);
  {
    QPainter p(&image);
    SetUpMonoPainter(p);
    // The printed page scaled down; lines thinner than a pixel still draw one
    // pixel wide with antialiasing off.
    p.translate(kBitmapBorder, kBitmapBorder);
    p.scale(1.0 / kBitmapReduction, 1.0 / kBitmapReduction);
    p.translate(-a.left, -a.top);
    ReportSource bitmapMode(source);
    bitmapMode.bitmapReduction = kBitmapReduction;
    DrawPage(p, pages, m, bitmapMode, page);
  }
  return ThresholdImage(image);
}

MonoBitmap RenderWordPageBitmap(const Pagination& pages, const ReportSource& source, int page) {
  const int h = pages.area.height;
  const int cut = h * 6 / 50;
  Pagination shifted = pages;
  shifted.area = {kBitmapBorder, kBitmapBorder - cut, kWordPictureWidth, h};
  QImage image = BlankGreyImage(kWordPictureWidth + 2 * kBitmapBorder, h - cut + 2 * kBitmapBorder);
  if (image.isNull()) return MonoBitmap(0, 0);
  {
    QPainter p(&image);
    SetUpMonoPainter(p);
    p.setPen(QPen(Qt::black, std::max(source.setup.gridWidth, 1)));
    DrawPageContent(p, shifted, source, page, false);
  }
  return ThresholdImage(image);
}

std::string ReportBitmapName(const TestHeader& header) { return header.m_holeID; }

std::string ReportBitmapPageName(const TestHeader& header, int page) {
  // The hole number comes from the file: nothing in it may leave the folder.
  std::string name = ReportBitmapName(header);
  for (char& c : name) {
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
  }
  if (name.empty() || name == "." || name == "..") name = "report";
  return name + "-" + std::to_string(page + 1) + ".bmp";
}

}  // namespace tarnix

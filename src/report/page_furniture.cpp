#include <algorithm>

#include "report/report_axes.h"
#include "report/report_layout.h"
#include "report/report_pages.h"

namespace tarnix {
namespace {

const char* const kFaces[] = {"宋体", "黑体", "隶书", "仿宋_GB2312", "楷体_GB2312"};
constexpr int kFurnitureFontHeight = 85;

// The text on one line, cut to the characters that fit, placed by `position`;
// standing on the rectangle's top edge (the header) or hanging
// from its bottom edge (footer, page number).
void PlaceText(QPainter& p, const QRect& rect, const std::string& text, int face, int position, bool standOnTop) {
  p.setFont(PixelFont(kFaces[std::clamp(face, 0, 4)], kFurnitureFontHeight));
  const QFontMetrics metrics = p.fontMetrics();
  const int average = std::max(metrics.averageCharWidth(), 1);
  const int n = rect.width() / average;
  QString line = QString::fromStdString(text);
  line.truncate(std::max(n, 0));
  double x = 0.0;
  if (!AlignedTextLeft(rect.left(), rect.width(), static_cast<int>(line.size()), n, position, x)) return;
  const int y = standOnTop ? rect.top() - metrics.height() : rect.bottom();
  p.drawText(QPointF(x, y + metrics.ascent()), line);
}

}  // namespace

void DrawPageFurniture(QPainter& p, const Pagination& pages, const PrinterMetrics& m, const PageSetup& s, int page) {
  const PrintableArea& a = pages.area;
  p.save();
  p.setPen(QPen(Qt::black, 1));
  if (s.gutterPosition == 0) {
    const int x = static_cast<int>(a.left - (s.leftMargin - s.gutter) * kInchPerMm * m.dpiX - 25);
    p.drawLine(x, a.top, x, a.top + a.height);
  } else {
    const int y = static_cast<int>(a.top - (s.topMargin - s.gutter) * kInchPerMm * m.dpiY - 25);
    p.drawLine(a.left, y, a.left + a.width, y);
  }
  auto mm = [&](int v) { return static_cast<int>(v * kInchPerMm * m.dpiY); };
  if (s.printHeader != 0) {
    const QRect rect(a.left, a.top - mm(s.headerHeight), a.width, mm(s.headerHeight));
    PlaceText(p, rect, s.headerText, s.headerFont, s.headerPosition, true);
  }
  int below = a.top + a.height;
  if (s.printFooter != 0) {
    const QRect rect(a.left, below, a.width, mm(s.footerHeight));
    PlaceText(p, rect, s.footerText, s.footerFont, s.footerPosition, false);
    below = rect.bottom();
  }
  if (s.printPageNumbers != 0) {
    const QRect rect(a.left, below, a.width, mm(5));
    PlaceText(p, rect, PageNumberText(s.firstPageNumber, page, s.pageNumberFormat), 0, s.pageNumberPosition, false);
  }
  p.restore();
}

}  // namespace tarnix

#include <algorithm>

#include "report/report_axes.h"
#include "report/report_pages.h"

namespace tarnix {

void DrawCurvePage(QPainter& p, const Pagination& pages, const ReportSource& source, int c) {
  const PrintableArea& a = pages.area;
  const int h = a.height;
  if (h <= 0 || a.width <= 0 || !(source.HoleDepth() > 0.0f) || pages.pageLength <= 0) return;
  const double ppm = pages.pageLength / static_cast<double>(source.HoleDepth());
  // A ruler down the left, the plot 41/50 of the height below the velocity axis.
  const int rulerWidth = a.width / 10;
  const QRect plot(a.left + a.width / 20 + rulerWidth, a.top + h * 2 / 25, a.width - 2 * (a.width / 20) - rulerWidth,
                   h * 41 / 50);
  const double windowTop = c * pages.depthPerCurvePage;
  p.save();
  const int grid = source.GridWidth();
  p.setPen(QPen(Qt::black, grid));
  DrawVelocityAxis(p, QRect(plot.left(), a.top + h / 50, plot.width(), h * 2 / 25 - h / 50 - grid), source.curve);
  DrawDepthRuler(p, QRect(plot.left() - rulerWidth, plot.top(), rulerWidth, plot.height()), windowTop, ppm);
  DrawDepthCurve(p, plot, windowTop, ppm, source.curve, source.series, grid);
  p.setPen(QPen(Qt::black, source.BorderWidth()));
  p.drawRect(plot);
  p.restore();
}

}  // namespace tarnix

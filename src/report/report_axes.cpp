#include "report/report_axes.h"

#include <algorithm>
#include <cmath>

#include "base/c_text.h"
#include "render/nice_step.h"

namespace tarnix {
void DrawDepthRuler(QPainter& p, const QRect& column, double windowTop, double ppm) {
  if (!(ppm > 0.0) || column.width() <= 0 || column.height() <= 0) return;
  p.save();
  p.setClipRect(column);
  const int textHeight = std::max(column.width() / 5, 1);
  p.setFont(PixelFont("Times New Roman", textHeight));
  // Labels at least three text heights apart; four minor ticks between.
  const double step = NiceStep(3.0 * textHeight / ppm);
  const double minor = step / 5;
  const double windowBottom = windowTop + column.height() / ppm;
  const int first = static_cast<int>(std::ceil(windowTop / minor - 1e-9));
  for (int k = first; k * minor <= windowBottom + 1e-9; ++k) {
    const double depth = k * minor;
    const int y = column.top() + static_cast<int>(std::lround((depth - windowTop) * ppm));
    const bool major = k % 5 == 0;
    const int length = major ? column.width() / 3 : column.width() / 6;
    p.drawLine(column.right() - length, y, column.right(), y);
    if (major) {
      const QString label = QString::fromStdString(CFormat("%g", std::round(depth * 100) / 100));
      p.drawText(QRect(column.left(), y - textHeight, column.width() - length - 2, 2 * textHeight),
                 Qt::AlignRight | Qt::AlignVCenter, label);
    }
  }
  p.restore();
}

void DrawVelocityAxis(QPainter& p, const QRect& band, const CDrawAnaCurve& curve) {
  if (band.width() <= 0 || band.height() <= 0) return;
  p.save();
  const int textHeight = std::max(band.height() / 3, 1);
  p.setFont(PixelFont("Times New Roman", textHeight));
  const QFontMetrics metrics = p.fontMetrics();
  const double span = static_cast<double>(curve.axisMax) - curve.axisMin;
  const int fit = std::max(1, band.width() / std::max(metrics.horizontalAdvance("00.0") * 2, 1));
  const double step = span > 0.0 ? NiceStep(span / fit) : 1.0;
  const int baseline = band.bottom();
  p.drawLine(band.left(), baseline, band.right(), baseline);
  for (double v = std::ceil(curve.axisMin / step) * step; span > 0.0 && v <= curve.axisMax + step * 1e-6; v += step) {
    const int x = curve.XOf(static_cast<float>(v), band);
    p.drawLine(x, baseline, x, baseline - textHeight / 2);
    const QString label = QString::fromStdString(CFormat("%g", std::round(v * 10) / 10));
    const int w = metrics.horizontalAdvance(label);
    p.drawText(std::clamp(x - w / 2, band.left(), std::max(band.left(), band.right() - w)),
               baseline - textHeight / 2 - 2, label);
  }
  p.drawText(band.left() + 2, band.top() + metrics.ascent(), QStringLiteral("km/s"));
  p.restore();
}

void DrawDepthCurve(QPainter& p, const QRect& plot, double windowTop, double ppm, const CDrawAnaCurve& curve,
                    const CurveSeries& series, int penWidth) {
  const int n = series.Count();
  if (n == 0 || !(ppm > 0.0) || plot.width() <= 0 || plot.height() <= 0) return;
  // The engine measures depth from the shallowest point of the range over its
  // plot: a plot placed at that point's depth and as tall as the range puts
  // every point at its depth on the page.
  const int top = std::clamp(series.last, 0, n - 1);
  const int bottom = std::clamp(series.first, 0, n - 1);
  const double shallow = std::min(series.depths[top], series.depths[bottom]);
  const double span = std::fabs(static_cast<double>(series.depths[bottom]) - series.depths[top]);
  CurveGeometry g;
  g.plot = QRect(plot.left(), plot.top() + static_cast<int>(std::lround((shallow - windowTop) * ppm)), plot.width(),
                 std::max(1, static_cast<int>(std::lround(span * ppm))));
  p.save();
  p.setClipRect(plot);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPolygonF points = curve.SeriesPoints(series, g);
  if (curve.showCurve && points.size() >= 2) {
    p.setPen(QPen(curve.curveColour, std::max(penWidth, 1)));
    p.drawPolyline(points);
  }
  p.restore();
}

}  // namespace tarnix

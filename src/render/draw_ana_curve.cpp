#include "render/draw_ana_curve.h"

#include <QFont>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "analysis/pair_readout.h"
#include "analysis/point_velocity.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

QColor ToColour(uint32_t c) { return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

// A tick spacing of 1, 2 or 5 times a power of ten giving at most `count` steps.
double NiceStep(double span, int count) {
  if (!(span > 0.0) || count < 1) return 1.0;
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= raw) return m * power;
  }
  return 10.0 * power;
}

// The drawn stretch of the range: without its leading and trailing points
// that have no samples. Empty when first > last.
void DrawnStretch(const CurveSeries& s, int& first, int& last) {
  first = std::max(s.first, 0);
  last = std::min(s.last, s.Count() - 1);
  auto has = [&](int i) { return i < static_cast<int>(s.hasSamples.size()) && s.hasSamples[i] != 0; };
  while (first <= last && !has(first)) ++first;
  while (last >= first && !has(last)) --last;
}

}  // namespace

float CurveGeometry::RowY(int row) const {
  const float yView = rowOrigin + row * rowPitch;
  return yView < gapAt ? viewTop + yView : viewTop + gapHeight + yView;
}

CurveSeries VpSeries(const Receivers& r) {
  CurveSeries s;
  if (r.first == nullptr) return s;
  const int n = r.first->PointCount();
  s.values.resize(n, 0.0f);
  s.depths.resize(n, 0.0f);
  s.hasSamples.resize(n, 0);
  s.first = r.first->firstIndex;
  s.last = r.first->lastIndex;
  for (int i = 0; i < n; ++i) {
    s.depths[i] = PointDepth(*r.first, i);
    if (r.second == nullptr) continue;
    const CSamNode* b = r.second->PointAt(i);
    s.hasSamples[i] = r.first->points[i].HasWaveform() && b != nullptr && b->HasWaveform();
    s.values[i] = PointVp(*r.first, *r.second, i);
  }
  return s;
}

void AutomaticAxis(const CurveSeries& series, float& axisMin, float& axisMax) {
  int first, last;
  DrawnStretch(series, first, last);
  float lo = INFINITY, hi = -INFINITY;
  for (int i = first; i <= last; ++i) {
    const float v = series.values[i];
    if (!(v > 0.0f) || !std::isfinite(v)) continue;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  if (!(lo <= hi)) {
    axisMin = 0.0f;
    axisMax = 6.0f;
    return;
  }
  axisMin = std::floor(lo);
  axisMax = std::max(std::ceil(hi), axisMin + 1.0f);
}

void CDrawAnaCurve::TakeSettings(const DisplaySettings& display, const CurveSeries& series) {
  if (display.HasFixedAxis()) {
    axisMin = display.axisStart;
    axisMax = display.axisEnd;
  } else {
    AutomaticAxis(series, axisMin, axisMax);
  }
  showCurve = display.curveAdjust[kShowVelocityCurve] != 0;
  curveColour = ToColour(display.colours[kVelocityCurveColour]);
  criterionColour = ToColour(display.colours[kTimeCurveColour]);
  markColour = ToColour(display.colours[kPickColour]);
}

int CDrawAnaCurve::XOf(float v, const QRect& plot) const {
  const double span = static_cast<double>(axisMax) - axisMin;
  if (!(span > 0.0)) return plot.left();
  const double held = std::clamp(static_cast<double>(v), static_cast<double>(axisMin), static_cast<double>(axisMax));
  return plot.left() + static_cast<int>((held - axisMin) * plot.width() / span);
}

double CDrawAnaCurve::PointY(const CurveSeries& s, const CurveGeometry& g, int i) const {
  if (!g.depthMode) return g.RowY(s.Count() - 1 - i);
  // Depth is measured from the shallowest point of the range, so that the
  // curve stands at the same depths whatever points are left out.
  const int top = std::clamp(s.last, 0, s.Count() - 1);
  const int bottom = std::clamp(s.first, 0, s.Count() - 1);
  const double span = std::fabs(static_cast<double>(s.depths[bottom]) - s.depths[top]);
  const double d = std::fabs(static_cast<double>(s.depths[i]) - s.depths[top]);
  return span > 0.0 ? g.plot.top() + d * g.plot.height() / span : g.plot.top();
}

QPolygonF CDrawAnaCurve::SeriesPoints(const CurveSeries& s, const CurveGeometry& g) const {
  QPolygonF points;
  int first, last;
  DrawnStretch(s, first, last);
  if (first > last) return points;
  const int step = std::max(samplingStep, 0) + 1;
  points.reserve((last - first) / step + 2);
  // From the shallowest drawn point down, so that the step keeps the top one.
  for (int i = last; i >= first; i -= step) points.append(QPointF(XOf(s.values[i], g.plot), PointY(s, g, i)));
  return points;
}

void CDrawAnaCurve::PlotSeries(QPainter& painter, const CurveSeries& series, const CurveGeometry& g) const {
  const QPolygonF points = SeriesPoints(series, g);
  if (points.size() < 2) return;
  painter.setPen(QPen(curveColour, 1));
  painter.drawPolyline(points);
}

void CDrawAnaCurve::DrawCurves(QPainter& painter, const CurveGeometry& g, const CurveSeries& series,
                               int currentPoint) {
  painter.save();
  const QRect& plot = g.plot;
  QFont font("Times New Roman");
  font.setPixelSize(std::clamp(plot.width() / 28, 8, 12));
  painter.setFont(font);
  const QFontMetrics metrics(font);

  // Velocity grid with its labels above the plot.
  const double span = static_cast<double>(axisMax) - axisMin;
  const double step = NiceStep(span, std::max(1, plot.width() / (metrics.horizontalAdvance("00.00") + 8)));
  for (double v = std::ceil(axisMin / step) * step; v <= axisMax + step * 1e-6; v += step) {
    const int x = XOf(static_cast<float>(v), plot);
    painter.setPen(QPen(QColor(210, 210, 210), 0));
    painter.drawLine(x, plot.top(), x, plot.bottom());
    painter.setPen(Qt::black);
    const QString label = QString::fromStdString(CFormat("%.2f", v));
    const int w = metrics.horizontalAdvance(label);
    painter.drawText(std::clamp(x - w / 2, 0, std::max(0, plot.right() - w)), plot.top() - 3, label);
  }
  painter.setPen(QPen(Qt::black, 0));
  if (g.depthMode) {
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
    // Whole metres down the left edge.
    const int top = std::clamp(series.last, 0, series.Count() - 1);
    const int bottom = std::clamp(series.first, 0, series.Count() - 1);
    if (series.Count() > 0 && series.depths[bottom] != series.depths[top]) {
      const double d0 = std::min(series.depths[top], series.depths[bottom]);
      const double dSpan = std::fabs(static_cast<double>(series.depths[bottom]) - series.depths[top]);
      const double dStep = std::max(1.0, NiceStep(dSpan, std::max(1, plot.height() / 30)));
      for (double d = std::ceil(d0 / dStep) * dStep; d <= d0 + dSpan + 1e-6; d += dStep) {
        const int y = plot.top() + static_cast<int>((d - d0) * plot.height() / dSpan);
        painter.drawLine(plot.left() - 3, y, plot.left(), y);
        const QString label = QString::fromStdString(CFormat("%.0f", d));
        painter.drawText(QRect(0, y - 6, plot.left() - 4, 12), Qt::AlignRight | Qt::AlignVCenter, label);
      }
    }
  } else {
    painter.drawLine(plot.left(), plot.top(), plot.right(), plot.top());
  }

  painter.setClipRect(plot);
  if (critical > 0.0f) {
    painter.setPen(QPen(criterionColour, 1, Qt::DashLine));
    const int x = XOf(critical, plot);
    painter.drawLine(x, plot.top(), x, plot.bottom());
  }
  if (showCurve) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    PlotSeries(painter, series, g);
    if (currentPoint >= 0 && currentPoint < series.Count()) {
      const QPointF at(XOf(series.values[currentPoint], plot), PointY(series, g, currentPoint));
      painter.setPen(QPen(markColour, 1));
      painter.setBrush(markColour);
      painter.drawEllipse(at, 3.0, 3.0);
    }
  }
  painter.restore();
}

float CDrawAnaCurve::CalcCriticalForCurve(const CAlgorithm& algorithm, const Sections& sections, int index,
                                          int kind) {
  critical = 0.0f;
  if (index < 0 || index >= kSectionCount || !sections[index].valid) return critical;
  const SectionRecord& s = sections[index];
  const std::vector<float>& values = kind == 0 ? s.velocity : s.ampDb;
  const int first = std::max(s.firstIndex, 0);
  const int last = std::min(s.lastIndex, static_cast<int>(values.size()) - 1);
  if (last < first) return critical;
  const int count = last - first + 1;
  critical = kind == 0 ? algorithm.CalcVelocityCritical(values.data() + first, count, sections, index, samplingStep)
                       : algorithm.CalcAmpCritical(values.data() + first, count, s, samplingStep);
  return critical;
}

}  // namespace tarnix

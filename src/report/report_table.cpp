#include "report/report_table.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "base/c_text.h"
#include "report/report_axes.h"

namespace tarnix {
namespace {

using C = TableColumns;

void Text(QPainter& p, int x, int top, const QString& text) { p.drawText(x, top + p.fontMetrics().ascent(), text); }

// The share of a layer's text that belongs to the part of the layer this
// window shows (a layer running over pages spreads its text over them), cut to
// what fits the cell when written with word break.
QString CellText(QPainter& p, const QString& whole, const QRect& cell, const TableFrame& f, double top, double bottom) {
  const double thickness = bottom - top;
  const double shownFrom = thickness > 0.0 ? (std::max(top, f.windowTop) - top) / thickness : 0.0;
  const double shownTo = thickness > 0.0 ? (std::min(bottom, f.WindowBottom()) - top) / thickness : 1.0;
  const int length = static_cast<int>(whole.size());
  const int from = std::clamp(static_cast<int>(length * shownFrom), 0, length);
  const int to = std::clamp(static_cast<int>(std::ceil(length * shownTo)), from, length);
  const QString share = whole.mid(from, to - from);
  const QRect measured = p.fontMetrics().boundingRect(QRect(0, 0, std::max(cell.width(), 1), 1 << 20),
                                                     Qt::TextWordWrap, share);
  return share.left(FittingCharacters(static_cast<int>(share.size()), cell.height(), measured.height()));
}

QString Value(float v, const char* format) { return v == 0.0f ? QString() : QString::fromStdString(CFormat(format, v)); }

void ParameterHeader(QPainter& p, const TableFrame& f, RockParameter kind, int left, int bh) {
  const int x = left + f.columns.unit * 7 / 10;
  auto row = [&](double at, const char* text) { Text(p, x, f.bandTop + static_cast<int>(bh * at / 40), text); };
  switch (kind) {
    case RockParameter::Poisson:
      row(12, "动泊"), row(22, "松比"), row(32, "Ud");
      break;
    case RockParameter::UnitWeight:
      row(12, "换算"), row(22, "容量"), row(32, f.paper ? "kg/m^3" : "kn/m^3");
      break;
    case RockParameter::Modulus:
      row(12, "动弹"), row(22, "模Ed"), row(32, "GPa");
      break;
    case RockParameter::Kv:
      if (f.paper) {
        row(11, "完整"), row(19, "性指"), row(27, "数"), row(33, "Kv");
      } else {
        row(12, "完整"), row(22, "性指"), row(32, "数Kv");
      }
      break;
  }
}

float ParameterValue(const LayerSet& l, RockParameter kind, int k) {
  auto at = [k](const std::vector<float>& v) { return k < static_cast<int>(v.size()) ? v[k] : 0.0f; };
  switch (kind) {
    case RockParameter::UnitWeight:
      return at(l.capacity);
    case RockParameter::Poisson:
      return at(l.u);
    case RockParameter::Modulus:
      return at(l.movefilm);
    case RockParameter::Kv:
      return at(l.index);
  }
  return 0.0f;
}

void DrawLegendTiles(QPainter& p, const QImage& legend, QRect cell, int gridWidth) {
  cell.adjust(gridWidth, gridWidth, -2, -2);
  const int h = cell.height();
  const int b = legend.height();
  if (legend.isNull() || b <= 0 || h <= 0 || cell.width() <= 0) return;
  const int n = std::max(1, h / (2 * b));
  const int tile = h / n;
  for (int i = 0; i < n && tile > 0; ++i) p.drawImage(QRect(cell.left(), cell.top() + i * tile, cell.width(), tile), legend);
}

// Layer k of a column (its top the previous bottom, or the hole's top) within
// the window, and its rows clipped to the body; false when the window misses it.
bool LayerInWindow(const TableFrame& f, const std::vector<float>& bottoms, int k, double& top, double& bottom, int& yTop,
                   int& yBottom) {
  bottom = bottoms[k];
  top = k > 0 ? bottoms[k - 1] : 0.0;
  if (bottom <= f.windowTop || top >= f.WindowBottom()) return false;
  yTop = std::max(f.DepthY(top), f.bodyTop);
  yBottom = std::min(f.DepthY(bottom), f.bodyBottom);
  return true;
}

}  // namespace

int TableFrame::DepthY(double depth) const {
  return bodyTop + static_cast<int>(std::lround((depth - windowTop) * pixelsPerMetre));
}

double TableFrame::WindowBottom() const {
  return pixelsPerMetre > 0.0 ? windowTop + (bodyBottom - bodyTop) / pixelsPerMetre : windowTop;
}

TableFrame PaperTableFrame(const Pagination& pages, const ReportSource& source, int r) {
  TableFrame f;
  const PrintableArea& a = pages.area;
  const ReportBands bands = LayoutReportBands(a.height, source.setup.headerBlockFormat);
  f.columns = LayoutColumns(a.left + a.width / 20, a.width - 2 * (a.width / 20), source.layers);
  f.bandTop = a.top + bands.bandTop;
  f.bandBottom = f.bodyTop = a.top + bands.bodyTop;
  f.bodyBottom = a.top + bands.bodyBottom;
  f.windowTop = r * pages.depthPerReportPage;
  f.pixelsPerMetre = source.HoleDepth() > 0.0f ? pages.pageLength / static_cast<double>(source.HoleDepth()) : 0.0;
  f.gridWidth = source.GridWidth();
  f.borderWidth = source.BorderWidth();
  return f;
}

void DrawColumnBand(QPainter& p, const TableFrame& f, const ReportSource& source) {
  const TableColumns& c = f.columns;
  const int bh = f.bandBottom - f.bandTop;
  if (bh <= 0 || c.unit <= 0) return;
  p.save();
  p.setPen(QPen(Qt::black, f.gridWidth));
  const int right = c.resultRight;
  const int quarter = f.bandTop + bh / 4;
  p.drawLine(c.left, quarter, right, quarter);
  p.drawLine(c.X(C::kCurve), f.bandTop + bh * 2 / 3, c.X(C::kResultDepth), f.bandTop + bh * 2 / 3);
  p.drawLine(c.X(C::kRuler), f.bandTop, c.X(C::kRuler), f.bandBottom);
  p.drawLine(c.X(C::kResultDepth), f.bandTop, c.X(C::kResultDepth), f.bandBottom);
  const std::vector<RockParameter> parameters = ParameterColumns(source.layers);
  std::vector<int> inner{C::kLegend, C::kLayerDepth, C::kCurve, C::kVelocity, C::kParameters};
  for (size_t i = 1; i <= parameters.size(); ++i) inner.push_back(C::kParameters + 4 * static_cast<int>(i));
  for (int at : inner) {
    if (c.X(at) < right) p.drawLine(c.X(at), quarter, c.X(at), f.bandBottom);
  }
  p.setPen(QPen(Qt::black, f.borderWidth));
  p.drawRect(QRect(c.left, f.bandTop, right - c.left, bh));

  p.setPen(Qt::black);
  p.setFont(PixelFont("Times New Roman", c.width / 45));
  Text(p, c.X(6.7), f.bandTop + bh / 20, QStringLiteral("钻 探 资 料"));
  const QString title = QStringLiteral("声   波   测   试   成   果");
  const int titleWidth = p.fontMetrics().horizontalAdvance(title);
  Text(p, (c.X(C::kResultDepth) + right - titleWidth) / 2, f.bandTop + bh / 20, title);

  p.setFont(PixelFont("Times New Roman", bh / 6));
  auto row = [&](double at, double rowAt, const QString& text) {
    Text(p, c.X(at), f.bandTop + static_cast<int>(bh * rowAt / 40), text);
  };
  row(3.8, 12, "岩"), row(3.8, 22, "性");
  row(9.4, 12, "柱"), row(9.4, 22, "状"), row(9.4, 32, "图");
  row(12.8, 12, "层底"), row(12.8, 22, "深度"), row(13, 32, "(m)");
  row(16.7, 12, "标尺"), row(16.8, 22, "(m)"), row(16.7, 32, QString::fromStdString(CFormat("1:%d", source.layers.m_ruler)));
  row(25.6, 14.5, "Vp - H 曲 线");
  row(37.4, 12, "深"), row(37.4, 22, "度"), row(37.2, 32, "(m)");
  row(40.7, 12, "平均"), row(40.7, 22, "波速"), row(41.1, 32, "m/s");
  for (size_t i = 0; i < parameters.size(); ++i) {
    ParameterHeader(p, f, parameters[i], c.X(C::kParameters + 4 * static_cast<int>(i)), bh);
  }
  if (source.layers.m_style2 == 1 && source.layers.m_style1 == 0) row(50.8, 25, "声 波 解 释");
  // The velocity axis in the lower third of the curve's header cell.
  const int axisTop = f.bandTop + bh * 2 / 3;
  DrawVelocityAxis(p, QRect(c.X(C::kCurve), axisTop, c.X(C::kResultDepth) - c.X(C::kCurve), f.bandBottom - axisTop - 2),
                   source.curve);
  p.restore();
}

void DrawTableBody(QPainter& p, const TableFrame& f, const ReportSource& source) {
  const TableColumns& c = f.columns;
  if (f.bodyBottom <= f.bodyTop || c.unit <= 0) return;
  const LayerSet& l = source.layers;
  const QRect body(c.left, f.bodyTop, c.resultRight - c.left, f.bodyBottom - f.bodyTop);
  const double windowBottom = f.WindowBottom();
  p.save();
  p.setClipRect(body.adjusted(-f.borderWidth, -f.borderWidth, f.borderWidth, f.borderWidth));
  const QPen grid(Qt::black, f.gridWidth);
  const bool visible = f.pixelsPerMetre > 0.0;

  // The selected test-result layer's cell, under everything else.
  const int results = std::min<int>(l.rightlayer, static_cast<int>(l.height.size()));
  if (visible && f.selectedLayer >= 0 && f.selectedLayer < results) {
    const int k = f.selectedLayer;
    const int top = k > 0 ? f.DepthY(l.height[k - 1]) : f.bodyTop;
    p.fillRect(QRect(QPoint(c.X(C::kResultDepth), std::max(top, f.bodyTop) + 2),
                     QPoint(c.resultRight, f.DepthY(l.height[k]) - 2)),
               QColor(255, 250, 205));
  }

  // The curve and the ruler inside the curve frame.
  if (visible) {
    DrawDepthRuler(p, QRect(c.X(C::kRuler), f.bodyTop, c.X(C::kCurve) - c.X(C::kRuler), body.height()), f.windowTop,
                   f.pixelsPerMetre);
    DrawDepthCurve(p, QRect(c.X(C::kCurve), f.bodyTop, c.X(C::kResultDepth) - c.X(C::kCurve), body.height()),
                   f.windowTop, f.pixelsPerMetre, source.curve, source.series, f.gridWidth);
  }

  // The drilling log.
  const int logLayers = std::min({static_cast<int>(l.leftlayer), static_cast<int>(l.depth.size()),
                                  static_cast<int>(l.describe.size()), static_cast<int>(l.picName.size())});
  for (int k = 0; visible && k < logLayers; ++k) {
    double top = 0.0, bottom = 0.0;
    int yTop = 0, yBottom = 0;
    if (!LayerInWindow(f, l.depth, k, top, bottom, yTop, yBottom)) continue;
    p.setPen(grid);
    p.drawLine(c.X(C::kLog), yBottom, c.X(C::kRuler), yBottom);
    const QRect textCell(c.X(C::kLog), yTop, c.X(C::kLegend) - c.X(C::kLog), yBottom - yTop);
    QFont font = PixelFont("Times New Roman", textCell.width() / 7);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(textCell, Qt::TextWordWrap, CellText(p, QString::fromStdString(l.describe[k]), textCell, f, top, bottom));
    DrawLegendTiles(p, source.Legend(l.picName[k]),
                    QRect(c.X(C::kLegend), yTop, c.X(C::kLayerDepth) - c.X(C::kLegend), yBottom - yTop), f.gridWidth);
    if (bottom <= windowBottom) {
      p.setFont(PixelFont("Times New Roman", c.unit));
      p.drawText(c.X(13.2), yBottom - 4 - p.fontMetrics().descent(),
                 QString::fromStdString(CFormat("%.2f", l.depth[k])));
    }
  }

  // The test-result layers.
  const std::vector<RockParameter> parameters = ParameterColumns(l);
  const bool interpretation = l.m_style2 == 1 && l.m_style1 == 0;
  const QFont resultFont = PixelFont("仿宋_GB2312", f.resultFontHeight);
  for (int k = 0; visible && k < results; ++k) {
    double top = 0.0, bottom = 0.0;
    int yTop = 0, yBottom = 0;
    if (!LayerInWindow(f, l.height, k, top, bottom, yTop, yBottom)) continue;
    if (bottom <= windowBottom) {
      p.setPen(grid);
      p.drawLine(c.X(C::kResultDepth), yBottom, c.resultRight, yBottom);
      p.setPen(Qt::black);
      p.setFont(resultFont);
      const int base = yBottom - p.fontMetrics().descent() - f.gridWidth;
      p.drawText(c.X(37.6) - 20, base, QString::fromStdString(CFormat("%.2f", l.height[k])));
      if (k < static_cast<int>(l.vp.size())) p.drawText(c.X(41.2), base, QString::fromStdString(CFormat("%d", l.vp[k])));
      for (size_t i = 0; i < parameters.size(); ++i) {
        const float v = ParameterValue(l, parameters[i], k);
        const QString text = Value(v, parameters[i] == RockParameter::UnitWeight ? "%.1f" : "%.2f");
        p.drawText(c.X(C::kParameters + 4 * static_cast<int>(i) + 0.5), base, text);
      }
    }
    if (interpretation && k < static_cast<int>(l.explain.size())) {
      const QRect cell(c.X(C::kParameters), yTop, c.resultRight - c.X(C::kParameters), yBottom - yTop);
      p.setFont(PixelFont("Times New Roman", cell.width() / 12));
      p.setPen(Qt::black);
      p.drawText(cell, Qt::TextWordWrap, CellText(p, QString::fromStdString(l.explain[k]), cell, f, top, bottom));
    }
  }

  // Column borders down the body and the frame.
  p.setPen(grid);
  std::vector<int> lines{C::kLegend, C::kLayerDepth, C::kRuler, C::kVelocity, C::kParameters};
  for (size_t i = 1; i <= parameters.size(); ++i) lines.push_back(C::kParameters + 4 * static_cast<int>(i));
  for (int at : lines) {
    if (c.X(at) < c.resultRight) p.drawLine(c.X(at), f.bodyTop, c.X(at), f.bodyBottom);
  }
  p.setPen(QPen(Qt::black, f.borderWidth));
  p.drawLine(c.X(C::kResultDepth), f.bodyTop, c.X(C::kResultDepth), f.bodyBottom);
  p.drawRect(body);
  p.restore();
}

}  // namespace tarnix

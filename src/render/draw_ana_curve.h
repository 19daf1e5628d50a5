#pragma once
// The Vp-H curve of a receiver pair, drawn into any QPainter: the analysis
// pane draws it into its cache, the report page into screen, printer, PDF and
// bitmaps. Two vertical mappings: by depth (the data table, the report) and by
// point index, level with the rows of the wave train.
#include <QColor>
#include <QPainter>
#include <QPolygonF>
#include <QRect>
#include <climits>
#include <vector>

#include "analysis/algorithm.h"
#include "document/display_settings.h"

namespace tarnix {

// Where the curve lies in the target, in device pixels.
struct CurveGeometry {
  QRect plot;              // the velocity axis spans its width
  bool depthMode = true;   // false: one row per point, as the wave train lays them out
  // Index mode: row r (counted from the shallowest point) has its baseline at
  // view y rowOrigin + r * rowPitch; view y 0 lies at screen y viewTop, and
  // from view y gapAt on the rows are pushed down by gapHeight (the wave
  // pane's current-waveform panel).
  float rowOrigin = 0.0f;
  float rowPitch = 1.0f;
  int viewTop = 0;
  int gapAt = INT_MAX;
  int gapHeight = 0;

  float RowY(int row) const;
};

// One value per point of a section and what the mapping needs of each point.
struct CurveSeries {
  std::vector<float> values;
  std::vector<float> depths;
  std::vector<unsigned char> hasSamples;
  int first = 0;  // the evaluated range
  int last = -1;

  int Count() const { return static_cast<int>(values.size()); }
};

// Vp of every point of the pair (0 where the times are equal or a receiver
// lacks the point); a point has samples when both receivers have its waveform.
CurveSeries VpSeries(const Receivers& r);

// The velocity range the curve shows when the user has fixed none: whole km/s
// around the values of the range, at least 1 km/s wide.
void AutomaticAxis(const CurveSeries& series, float& axisMin, float& axisMax);

class CDrawAnaCurve {
 public:
  // Copied from the display settings at the start of each draw; the axis is
  // the user's when one is set, else the automatic one of the series.
  void TakeSettings(const DisplaySettings& display, const CurveSeries& series);

  // The vertices of the curve: the leading and the trailing points of the range
  // without samples are left out, values are held within the axis, and with
  // sampling step s every (s + 1)-th point of the drawn stretch is taken.
  QPolygonF SeriesPoints(const CurveSeries& series, const CurveGeometry& g) const;
  void PlotSeries(QPainter& painter, const CurveSeries& series, const CurveGeometry& g) const;

  // The whole panel of a receiver pair: white ground, grid and axis labels,
  // the criterion line, the curve and the mark of the current point (-1: none).
  void DrawCurves(QPainter& painter, const CurveGeometry& g, const CurveSeries& series, int currentPoint);

  // Kind 0: the velocity criterion of the section over its range; kind 1: the
  // amplitude criterion. Kept as the curve's critical value.
  float CalcCriticalForCurve(const CAlgorithm& algorithm, const Sections& sections, int index, int kind);

  // Vertical position of point i.
  double PointY(const CurveSeries& series, const CurveGeometry& g, int i) const;
  // Horizontal position of a velocity, held within the axis.
  int XOf(float v, const QRect& plot) const;

  float axisMin = 0.0f;
  float axisMax = 6.0f;
  int samplingStep = 0;
  float critical = 0.0f;
  bool showCurve = true;
  QColor curveColour = Qt::blue;
  QColor criterionColour = Qt::red;
  QColor markColour = Qt::red;
};

}  // namespace tarnix

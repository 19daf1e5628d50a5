#include "views/analysis_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/pair_readout.h"
#include "document/tarnix_doc.h"
#include "views/main_view.h"
#include "views/section_form.h"

namespace tarnix {
namespace {

// Insets of the plot in the pane (the labels stand in them).
constexpr int kPlotLeft = 20;
constexpr int kPlotTop = 19;
constexpr int kPlotBottom = 20;

}  // namespace

CAnalysisView::CAnalysisView(CTarnixDoc& doc, QWidget* parent) : CTarnixView(doc, parent) {
  setMouseTracking(true);
}

void CAnalysisView::FollowWavePane(CMainView* pane) {
  wave_ = pane;
  if (pane != nullptr) connect(pane, &CMainView::Scrolled, this, &CAnalysisView::Invalidate);
  Invalidate();
}

void CAnalysisView::SetSectionForm(CSectionForm* form) { form_ = form; }

Receivers CAnalysisView::Pair() const {
  const int current = doc_.CurrentSection();
  if (current < 0) return {};
  Receivers r = ReceiversAt(doc_.AllSections(), current);
  if (r.first != nullptr && r.first->points.empty()) return {};
  return r;
}

int CAnalysisView::VerticalOffset() const { return wave_ != nullptr ? wave_->Layout().vScroll : 0; }

void CAnalysisView::ComputeGeometry() {
  CurveGeometry g;
  const int right = width() - width() / 30;
  if (wave_ == nullptr) {
    g.plot = QRect(kPlotLeft, kPlotTop, std::max(1, right - kPlotLeft), std::max(1, height() - kPlotTop - kPlotBottom));
  } else {
    // The rows exactly as the wave pane lays them out, scrolled with it.
    const WaveLayout& l = wave_->Layout();
    g.depthMode = false;
    g.plot = QRect(kPlotLeft, l.areaTop, std::max(1, right - kPlotLeft), std::max(1, l.areaBottom - l.areaTop));
    g.rowPitch = l.rowHeight;
    g.rowOrigin = kTrainMargin + 0.5f * l.rowHeight - l.vScroll;
    g.viewTop = l.areaTop;
    g.gapAt = l.panelHeight > 0 ? l.split : INT_MAX;
    g.gapHeight = l.panelHeight;
  }
  geometry_ = g;
}

void CAnalysisView::Invalidate() {
  cacheDirty_ = true;
  update();
}

void CAnalysisView::OnUpdate() { Invalidate(); }

void CAnalysisView::resizeEvent(QResizeEvent* event) {
  CTarnixView::resizeEvent(event);
  crossShown_ = false;
  Invalidate();
}

void CAnalysisView::paintEvent(QPaintEvent* event) {
  if (cacheDirty_ || cache_.size() != size()) {
    ComputeGeometry();
    cache_ = QImage(size(), QImage::Format_RGB32);
    cache_.fill(Qt::white);
    const Receivers pair = Pair();
    series_ = VpSeries(pair);
    if (pair.first != nullptr) {
      curve_.TakeSettings(doc_.display, series_);
      curve_.samplingStep = doc_.samplingStep;
      curve_.critical = pair.first->criticalV;
      QPainter painter(&cache_);
      curve_.DrawCurves(painter, geometry_, series_, doc_.CurrentPoint());
    }
    cacheDirty_ = false;
  }
  QPainter painter(this);
  for (const QRect& r : event->region()) painter.drawImage(r, cache_, r);
  if (!crossShown_) return;
  // Over the cache, inverting, so that moving it never redraws the curve.
  if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  }
  painter.setPen(QPen(QColor(0, 255, 0), 0));
  const QRect& plot = geometry_.plot;
  painter.drawLine(plot.left(), cross_.y(), plot.right(), cross_.y());
  painter.drawLine(cross_.x(), plot.top(), cross_.x(), plot.bottom());
}

// --- Cross-hair, read-outs and selection --------------------------------------

int CAnalysisView::PointAt(int y) const {
  if (series_.Count() == 0) return -1;
  if (wave_ != nullptr) {
    const WaveLayout& l = wave_->Layout();
    const int row = l.RowAt(y);
    return row >= 0 && row < l.rowCount ? l.PointOfRow(row) : -1;
  }
  const QRect& plot = geometry_.plot;
  if (y < plot.top() || y > plot.bottom()) return -1;
  const int first = std::clamp(series_.first, 0, series_.Count() - 1);
  const int last = std::clamp(series_.last, 0, series_.Count() - 1);
  // The depth under the cursor, measured as the curve is drawn; the nearest
  // point of the range is the one it stands on.
  const double span = std::fabs(static_cast<double>(series_.depths[first]) - series_.depths[last]);
  const double depth = (y - plot.top()) * span / std::max(plot.height(), 1);
  int best = last;
  double bestDistance = INFINITY;
  for (int i = first; i <= last; ++i) {
    const double d = std::fabs(std::fabs(static_cast<double>(series_.depths[i]) - series_.depths[last]) - depth);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

QRegion CAnalysisView::CrossHairRegion(QPoint p) const {
  const QRect& plot = geometry_.plot;
  return QRegion(QRect(plot.left(), p.y(), plot.width(), 1)) + QRegion(QRect(p.x(), plot.top(), 1, plot.height()));
}

void CAnalysisView::HideCrossHair() {
  if (!crossShown_) return;
  crossShown_ = false;
  update(CrossHairRegion(cross_));
}

void CAnalysisView::ShowReadouts(int point) {
  const Receivers pair = Pair();
  if (form_ == nullptr || pair.first == nullptr || pair.second == nullptr) return;
  const PairReadout r = PairReadoutAt(*pair.first, *pair.second, point);
  form_->ShowCursorDifferences(r.depth, r.timeDiff, r.spanDiff, r.vp);
  const SectionRecord* channels[2] = {pair.first, pair.second};
  for (int c = 0; c < 2; ++c) {
    const SectionRecord& s = *channels[c];
    auto at = [point](const std::vector<float>& v) {
      return point < static_cast<int>(v.size()) ? static_cast<double>(v[point]) : 0.0;
    };
    form_->ShowCursor(c, PointDepth(s, point), at(s.arrivalTime), at(s.ampDb), at(s.velocity),
                      c == 0 ? r.span1 : r.span2);
  }
}

void CAnalysisView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (Pair().first == nullptr || !geometry_.plot.contains(p)) {
    HideCrossHair();
    return;
  }
  QRegion dirty;
  if (crossShown_) dirty += CrossHairRegion(cross_);
  cross_ = p;
  crossShown_ = true;
  update(dirty + CrossHairRegion(p));
  const int point = PointAt(p.y());
  if (point >= 0) ShowReadouts(point);
}

void CAnalysisView::leaveEvent(QEvent* event) {
  CTarnixView::leaveEvent(event);
  HideCrossHair();
}

void CAnalysisView::SelectPoint(int point) {
  if (point < 0 || point >= series_.Count()) return;
  // Beside the wave train the row is also scrolled into view.
  if (wave_ != nullptr) {
    wave_->ShowPoint(point);
  } else {
    doc_.SetCurrentPoint(point);
  }
  Invalidate();
}

void CAnalysisView::mousePressEvent(QMouseEvent* event) {
  CTarnixView::mousePressEvent(event);
  // The right button does nothing here.
  if (event->button() != Qt::LeftButton || Pair().first == nullptr) return;
  const QPoint p = event->position().toPoint();
  if (p.y() < geometry_.plot.top() || p.y() > geometry_.plot.bottom()) return;
  if (wave_ == nullptr && !geometry_.plot.contains(p)) return;
  SelectPoint(PointAt(p.y()));
}

void CAnalysisView::keyPressEvent(QKeyEvent* event) {
  if (Pair().first == nullptr || (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down)) {
    CTarnixView::keyPressEvent(event);
    return;
  }
  // Up is the row above: the next point up the hole.
  const int step = event->key() == Qt::Key_Up ? 1 : -1;
  const int next = std::clamp(doc_.CurrentPoint() + step, 0, std::max(series_.Count() - 1, 0));
  if (next != doc_.CurrentPoint()) SelectPoint(next);
  event->accept();
}

}  // namespace tarnix

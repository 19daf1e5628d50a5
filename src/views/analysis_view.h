#pragma once
// The analysis pane: the Vp-H curve of the current receiver pair beside the
// wave train (one row per point, level with the waveforms, scrolling with the
// channel-1 pane) or beside the data table (by depth), with a cross-hair whose
// read-outs go to the section bar's cursor fields.
#include <QImage>
#include <QPointer>

#include "render/draw_ana_curve.h"
#include "views/tarnix_view.h"

namespace tarnix {

class CMainView;
class CSectionForm;

class CAnalysisView : public CTarnixView {
  Q_OBJECT
 public:
  CAnalysisView(CTarnixDoc& doc, QWidget* parent = nullptr);

  // Index mode, level with the rows of this wave pane; without one the pane
  // draws by depth.
  void FollowWavePane(CMainView* pane);
  void SetSectionForm(CSectionForm* form);
  bool DepthMode() const { return wave_ == nullptr; }

  void OnUpdate() override;

  // The point under pane y, or -1 outside the points.
  int PointAt(int y) const;
  const CurveGeometry& Geometry() const { return geometry_; }
  const CDrawAnaCurve& Curve() const { return curve_; }
  // How far the curve is scrolled down: the wave pane's vertical position.
  int VerticalOffset() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Receivers Pair() const;
  void ComputeGeometry();
  void Invalidate();
  QRegion CrossHairRegion(QPoint p) const;
  void HideCrossHair();
  void ShowReadouts(int point);
  void SelectPoint(int point);

  CDrawAnaCurve curve_;
  CurveGeometry geometry_;
  CurveSeries series_;
  QImage cache_;
  bool cacheDirty_ = true;
  QPointer<CMainView> wave_;
  QPointer<CSectionForm> form_;
  bool crossShown_ = false;
  QPoint cross_;
};

}  // namespace tarnix

#pragma once
// The depth ruler and the velocity axis, shared by the report table and the
// curve pages.
#include <QPainter>
#include <QRect>

#include "render/draw_ana_curve.h"
#include "render/interface_fonts.h"

namespace tarnix {

// Depth ticks and labels in whole steps chosen for the scale, down the column
// `column`, whose top stands at depth windowTop; nothing without a scale.
void DrawDepthRuler(QPainter& p, const QRect& column, double windowTop, double pixelsPerMetre);

// "km/s" and the labelled ticks of the curve's velocity range along `band`,
// whose width is the plot's.
void DrawVelocityAxis(QPainter& p, const QRect& band, const CDrawAnaCurve& curve);

// The Vp–H curve over `plot` (its top at depth windowTop), clipped to it, in
// a pen as wide as the device needs to show it.
void DrawDepthCurve(QPainter& p, const QRect& plot, double windowTop, double pixelsPerMetre,
                    const CDrawAnaCurve& curve, const CurveSeries& series, int penWidth);

}  // namespace tarnix

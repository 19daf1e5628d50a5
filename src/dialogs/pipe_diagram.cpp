#include "dialogs/pipe_diagram.h"

#include <QPainter>
#include <QtMath>

namespace tarnix {

CPipeDiagram::CPipeDiagram(QWidget* parent) : QWidget(parent) { setMinimumSize(160, 160); }

void CPipeDiagram::Show(int pipeCount, int offsetDegrees, std::vector<PipePair> merged) {
  pipeCount_ = pipeCount;
  offsetDegrees_ = offsetDegrees;
  merged_ = std::move(merged);
  update();
}

void CPipeDiagram::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  if (pipeCount_ < 1) return;
  const QPointF centre = QRectF(rect()).center();
  const double radius = std::min(width(), height()) / 2.0 - 22.0;
  p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
  p.drawEllipse(centre, radius, radius);
  // Pipe 1 at the top, the others clockwise; the offset angle turns them all.
  auto at = [&](int pipe) {
    const double a = qDegreesToRadians(offsetDegrees_ + 360.0 * (pipe - 1) / pipeCount_);
    return centre + QPointF(radius * std::sin(a), -radius * std::cos(a));
  };
  p.setPen(QPen(Qt::red, 2));
  for (const PipePair& pair : merged_) {
    if (pair.dest <= pipeCount_) p.drawLine(at(pair.sour), at(pair.dest));
  }
  p.setPen(QPen(Qt::black, 1));
  for (int i = 1; i <= pipeCount_; ++i) {
    const QPointF c = at(i);
    p.setBrush(Qt::lightGray);
    p.drawEllipse(c, 11.0, 11.0);
    p.drawText(QRectF(c.x() - 11, c.y() - 11, 22, 22), Qt::AlignCenter, QString::number(i));
  }
}

}  // namespace tarnix

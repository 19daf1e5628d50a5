#include "views/section_map.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/test_header.h"
#include "render/interface_fonts.h"

namespace tarnix {
namespace {

// Pipe centres on the hole outline. Two pipes face each other across the
// hole; more are spread clockwise from the top.
QPointF PipeCentre(int pipe, int pipes, QPointF centre, double radius) {
  const double start = pipes == 2 ? std::numbers::pi : -std::numbers::pi / 2;
  const double angle = start + 2 * std::numbers::pi * pipe / pipes;
  return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

}  // namespace

CSectionMap::CSectionMap(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(120, 110);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize CSectionMap::sizeHint() const { return {200, 140}; }

int CSectionMap::PairIndex(int source, int receiver) { return receiver * (receiver - 1) / 2 + source; }

void CSectionMap::SetPipeCount(int pipes) {
  pipes = std::clamp(pipes, 0, kMaxPipes);
  if (pipes == pipes_) return;
  pipes_ = pipes;
  flags_.assign(static_cast<size_t>(pipes * (pipes - 1) / 2), false);
  update();
}

void CSectionMap::ClearFlags() {
  std::fill(flags_.begin(), flags_.end(), false);
  update();
}

void CSectionMap::SelectPair(int source, int receiver) {
  std::fill(flags_.begin(), flags_.end(), false);
  const int low = std::min(source, receiver);
  const int high = std::max(source, receiver);
  if (low >= 0 && low != high && high < pipes_) flags_[static_cast<size_t>(PairIndex(low, high))] = true;
  update();
}

std::optional<std::pair<int, int>> CSectionMap::SelectedPair() const {
  for (int d = 1; d < pipes_; ++d) {
    for (int s = 0; s < d; ++s) {
      if (flags_[static_cast<size_t>(PairIndex(s, d))]) return std::pair{s, d};
    }
  }
  return std::nullopt;
}

void CSectionMap::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(QColor(160, 160, 160));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.setRenderHint(QPainter::Antialiasing);

  const QPointF centre(width() / 2.0, height() / 2.0);
  // Room outside the outline for the pipe numbers.
  const double radius = std::max(10.0, std::min(width(), height()) / 2.0 - 24.0);
  const double pipeRadius = std::clamp(radius / 7.0, 4.0, 8.0);

  p.setPen(QPen(QColor(90, 90, 90), 1.5));
  p.setBrush(QColor(238, 238, 238));
  p.drawEllipse(centre, radius, radius);

  const auto selected = SelectedPair();
  if (selected && pipes_ > 1) {
    p.setPen(QPen(QColor(0, 70, 200), 2.5));
    p.drawLine(PipeCentre(selected->first, pipes_, centre, radius),
               PipeCentre(selected->second, pipes_, centre, radius));
  }

  p.setFont(InterfaceFont(QStringLiteral("Times New Roman"), 10));
  for (int i = 0; i < pipes_; ++i) {
    const QPointF c = PipeCentre(i, pipes_, centre, radius);
    const bool inPair = selected && (selected->first == i || selected->second == i);
    p.setPen(QPen(inPair ? QColor(200, 0, 0) : Qt::black, 1.5));
    p.setBrush(inPair ? QColor(235, 60, 60) : QColor(Qt::white));
    p.drawEllipse(c, pipeRadius, pipeRadius);

    // The number sits outside the outline, on the pipe's ray from the centre.
    QPointF ray = c - centre;
    const double length = std::hypot(ray.x(), ray.y());
    if (length > 0) ray /= length;
    const QPointF at = c + ray * (pipeRadius + 9.0);
    const QRectF box(at.x() - 10, at.y() - 9, 20, 18);
    p.setPen(inPair ? QColor(200, 0, 0) : Qt::black);
    p.drawText(box, Qt::AlignCenter, QString::number(i + 1));
  }
}

}  // namespace tarnix
